// The bark of every stem: its cross-section rings as vertices, and the
// triangle band between each pair of neighbouring rings.
#include "Stem.h"

#include "FourNormals.h"
#include "MeshLayout.h"
#include "VertexWriter.h"

#include <cstddef> // Required for: std::size_t

using Velk::Vector3;

namespace {

// Every stem's lists lie in memory of their own, far from its parent's and
// its siblings', so a walk over the bark would wait on each child's lists
// in turn. Asking for the next child's lists before walking the current
// child lets those loads overlap the walk; `ahead(next)` asks, `walk(child)`
// walks. (Measured: the bark's vertex pass a tenth to a quarter faster.)
template <class Ahead, class Walk> void walkChildren(const Stem& stem, Ahead ahead, Walk walk) {
    const std::size_t count = stem.children.size();
    for (std::size_t k = 0; k < count; ++k) {
        if (k + 1 < count) ahead(*stem.children[k + 1]);
        walk(*stem.children[k]);
    }
}

} // namespace

void Stem::writeStemVertices(float*& floats, uint32_t*& colours) const {
    const std::size_t ringCount = rings.size();
    for (std::size_t r = 0; r < ringCount; ++r) {
        const std::span<const Vector3> ring = ringVertices(rings[r]);
        const std::size_t n = ring.size();
        if (n == 0) continue;
        // The texture wraps twice round the stem and twice along it, whatever
        // its size; there is no seam vertex, so u never reaches 2.
        const float v = static_cast<float>(2 * r) / static_cast<float>(ringCount);
        // Normals four at a time; the lanes past the ring's end stay zero
        // and are not written.
        for (std::size_t first = 0; first < n; first += 4) {
            const std::size_t count = n - first < 4 ? n - first : 4;
            FourVectors normals{};
            for (std::size_t lane = 0; lane < count; ++lane) {
                const std::size_t i = first + lane;
                const Vector3& p = ring[i];
                const Vector3& prev = ring[i == 0 ? n - 1 : i - 1];
                const Vector3& next = ring[i + 1 == n ? 0 : i + 1];
                // Points outwards from the chord of the neighbours, so lobed rings shade as lobes.
                const Vector3 normal = p * 2.0f - prev - next;
                normals.x[lane] = normal.x;
                normals.y[lane] = normal.y;
                normals.z[lane] = normal.z;
            }
            normaliseFour(normals);
            for (std::size_t lane = 0; lane < count; ++lane) {
                const std::size_t i = first + lane;
                const float u = static_cast<float>(2 * i) / static_cast<float>(n);
                writeVertex(floats, colours, ring[i], {normals.x[lane], normals.y[lane], normals.z[lane]},
                            u, v, TreeMeshLayout::BARK_COLOUR);
            }
        }
    }
    walkChildren(
        *this,
        [](const Stem& next) {
            __builtin_prefetch(next.rings.data());
            __builtin_prefetch(next.ringVertexStore.data());
        },
        [&](const Stem& child) { child.writeStemVertices(floats, colours); });
}

void Stem::writeStemIndices(uint32_t*& indices, uint32_t& base) const {
    uint32_t lower = base; // first vertex of the current ring
    for (std::size_t r = 0; r < rings.size(); ++r) {
        const uint32_t n = rings[r].count;
        const uint32_t upper = lower + n;
        if (r + 1 < rings.size()) {
            for (uint32_t j = 0; j < n; ++j) {
                const uint32_t k = j + 1 == n ? 0 : j + 1;
                // Counter-clockwise seen from outside the stem.
                writeTriangle(indices, lower + k, lower + j, upper + j);
                writeTriangle(indices, lower + k, upper + j, upper + k);
            }
        }
        lower = upper;
    }
    // Also a stem with a single ring keeps its vertices numbered.
    base = lower;
    walkChildren(
        *this, [](const Stem& next) { __builtin_prefetch(next.rings.data()); },
        [&](const Stem& child) { child.writeStemIndices(indices, base); });
}
