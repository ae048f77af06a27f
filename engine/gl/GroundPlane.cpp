#include "gl/GroundPlane.h"

#include <cmath> // Required for: std::cos, std::sin

namespace Velk::GL {

namespace {
constexpr int kRings = 24;
constexpr int kSegments = 96;
constexpr float kFadeStart = 0.35f; // share of the radius that stays opaque

// 1 inside the opaque part, smoothly to 0 at the rim.
float fadeAt(float share) {
    if (share <= kFadeStart) return 1.0f;
    const float t = (share - kFadeStart) / (1.0f - kFadeStart);
    return 1.0f - t * t * (3.0f - 2.0f * t);
}
} // namespace

// Ring 0 is the centre (one vertex); ring r has kSegments vertices plus a
// repeated first one.
GroundGeometry makeGroundGeometry(float radius, float height, float tileSize) {
    GroundGeometry g;
    g.vertices.reserve(static_cast<std::size_t>(1 + kRings * (kSegments + 1)) * GroundGeometry::FLOATS_PER_VERTEX);
    const auto vertex = [&](float x, float z, float alpha) {
        g.vertices.insert(g.vertices.end(),
                          {x, height, z, 0.0f, 1.0f, 0.0f, x / tileSize, z / tileSize, 1.0f, 1.0f, 1.0f, alpha});
    };
    vertex(0.0f, 0.0f, 1.0f);
    constexpr float twoPi = 6.28318530718f;
    for (int ring = 1; ring <= kRings; ++ring) {
        // Rings closer together near the rim, where the fade happens.
        const float share = std::sqrt(static_cast<float>(ring) / kRings);
        for (int s = 0; s <= kSegments; ++s) {
            const float angle = twoPi * static_cast<float>(s) / kSegments;
            vertex(radius * share * std::cos(angle), radius * share * std::sin(angle), fadeAt(share));
        }
    }
    // Facing up: anticlockwise seen from above (+Y), i.e. from +X towards -Z.
    const auto at = [](int ring, int s) { return static_cast<unsigned int>(1 + (ring - 1) * (kSegments + 1) + s); };
    for (int s = 0; s < kSegments; ++s) g.indices.insert(g.indices.end(), {0u, at(1, s + 1), at(1, s)});
    for (int ring = 1; ring < kRings; ++ring) {
        for (int s = 0; s < kSegments; ++s) {
            g.indices.insert(g.indices.end(), {at(ring, s), at(ring, s + 1), at(ring + 1, s + 1)});
            g.indices.insert(g.indices.end(), {at(ring, s), at(ring + 1, s + 1), at(ring + 1, s)});
        }
    }
    const auto opaque = [&](unsigned int v) {
        return g.vertices[v * GroundGeometry::FLOATS_PER_VERTEX + GroundGeometry::ALPHA] >= 1.0f;
    };
    while (g.opaqueIndexCount + 3 <= g.indices.size() && opaque(g.indices[g.opaqueIndexCount]) &&
           opaque(g.indices[g.opaqueIndexCount + 1]) && opaque(g.indices[g.opaqueIndexCount + 2]))
        g.opaqueIndexCount += 3;
    return g;
}

} // namespace Velk::GL
