// The leaf atlas: four leaf pictures, one per quarter, each drawn with its
// stalk at the bottom centre of the quarter and its tip at the top, because
// the mesh maps a leaf's base to the bottom of a quarter and its tip to the top.
#include "Noise.h"
#include "Textures.h"

#include <algorithm> // Required for: std::clamp, std::min, std::max
#include <cmath>     // Required for: std::sin, std::cos, std::pow, std::fabs

namespace {

constexpr float PI = 3.14159265358979f;

struct LeafStyle {
    float r, g, b;          // blade colour
    float bladeStart;       // where the blade begins along the quarter (0 bottom .. 1 top)
    float bend;             // sideways bow of the midrib
    int kind;               // outline: 0 round-ovate, 1 lanceolate, 2 heart, 3 lobed,
                            // 4 small round, 5 narrow lanceolate, 6 needle cluster, 7 frond segment
};

// Half-width of the blade, as a fraction of the quarter's half-width, at `a`
// (0 base of the blade .. 1 tip).
float halfWidth(int kind, float a) {
    if (a <= 0.0f || a >= 1.0f) return 0.0f;
    switch (kind) {
    case 0: return 0.80f * std::pow(std::sin(PI * std::pow(a, 0.75f)), 0.85f) * (1.0f + 0.035f * std::sin(a * 55.0f));
    case 1: return 0.30f * std::pow(std::sin(PI * a), 0.8f) * (1.0f + 0.03f * std::sin(a * 80.0f));
    case 2: return 0.78f * std::pow(std::sin(PI * std::pow(a, 0.6f)), 0.65f);
    case 4: return 0.62f * std::pow(std::sin(PI * std::pow(a, 0.9f)), 0.6f) * (1.0f + 0.025f * std::sin(a * 70.0f));
    case 5: return 0.16f * std::pow(std::sin(PI * std::pow(a, 1.2f)), 0.7f) * (1.0f + 0.03f * std::sin(a * 90.0f));
    default: // 3, lobed
        return 0.66f * std::pow(std::sin(PI * a), 0.7f) *
               (0.70f + 0.30f * std::cos(a * 4.5f * 2.0f * PI + 0.6f));
    }
}

// Whether (s, t) lies on one of the needles of a cluster: thin straight
// needles fanning out from a short spur at the bottom centre.
bool onNeedle(const LeafStyle& style, float s, float t, float& along) {
    constexpr int COUNT = 15;
    const float spurTop = style.bladeStart;
    for (int i = 0; i < COUNT; ++i) {
        const float f = (i + 0.5f) / COUNT;
        const float angle = (f - 0.5f) * 1.5f + style.bend * std::sin(f * 9.0f);
        // Every needle ends inside its quarter, whatever its angle.
        const float length = std::min(0.62f + 0.2f * std::sin(f * 23.0f + style.bend * 10.0f),
                                      0.46f / std::max(std::fabs(std::sin(angle)), 0.01f));
        // The needle runs from the spur's top along (sin angle, cos angle); s spans twice t's scale.
        const float dx = s * 0.5f, dy = t - spurTop;
        const float ux = std::sin(angle), uy = std::cos(angle);
        const float a = dx * ux + dy * uy;
        if (a < 0.0f || a > length) continue;
        const float off = std::fabs(dx * uy - dy * ux);
        if (off < 0.013f * (1.0f - 0.5f * a / length)) {
            along = a / length;
            return true;
        }
    }
    return false;
}

// Whether (s, t) lies on a frond segment: a curved rachis with narrow
// leaflets on both sides, longest in the middle.
bool onFrond(const LeafStyle& style, float s, float t, float& along, bool& rib) {
    const float a = (t - style.bladeStart) / (0.98f - style.bladeStart);
    if (a < 0.0f || a > 1.0f) return false;
    const float mid = style.bend * std::sin(PI * a) * 0.3f;
    const float x = s - mid;
    along = a;
    if (std::fabs(x) < 0.022f * (1.0f - 0.6f * a)) {
        rib = true;
        return true;
    }
    constexpr float PAIRS = 11.0f;
    const float span = 0.95f * std::pow(std::sin(PI * (0.08f + 0.9f * a)), 0.8f);
    const float across = std::fabs(x);
    if (across > span) return false;
    // Leaflets sweep towards the tip: their centreline rises with distance from the rachis.
    const float phase = a * PAIRS - across * 1.4f + (x < 0.0f ? 0.5f : 0.0f);
    const float f = phase - std::floor(phase);
    const float width = 0.5f * (1.0f - 0.6f * across / span);
    return std::fabs(f - 0.5f) < width * 0.5f;
}

// Colour and coverage of one sample of a leaf; s across (-1..1), t along (0..1).
float sampleLeaf(const LeafStyle& style, float s, float t, float rgb[3]) {
    if (style.kind == 6 || style.kind == 7) {
        float along = 0.0f;
        bool rib = false;
        bool spur = false;
        if (style.kind == 6) {
            spur = t > 0.015f && t < style.bladeStart + 0.01f && std::fabs(s) < 0.05f;
            if (!spur && !onNeedle(style, s, t, along)) return 0.0f;
        } else {
            const bool stalk = t > 0.015f && t < style.bladeStart + 0.02f && std::fabs(s) < 0.03f;
            if (stalk) rib = true;
            else if (!onFrond(style, s, t, along, rib)) return 0.0f;
        }
        const float lift = spur || rib ? 30.0f : 18.0f * along;
        const float shade = (spur ? 0.7f : 1.0f) *
                            (0.9f + 0.2f * periodicNoise(s * 20.0f + 50.0f, t * 20.0f, 64, 64, uint32_t(style.kind) + 5u));
        rgb[0] = style.r * shade + lift;
        rgb[1] = style.g * shade + lift;
        rgb[2] = style.b * shade + lift * 0.5f;
        return 1.0f;
    }
    const float a = (t - style.bladeStart) / (0.97f - style.bladeStart);
    const float sMid = s - style.bend * std::sin(PI * std::clamp(a, 0.0f, 1.0f)) * 0.25f;
    const float w = halfWidth(style.kind, a);
    const float across = std::fabs(sMid);
    const bool stalk = t > 0.015f && t < style.bladeStart + 0.06f && std::fabs(s) < 0.028f;
    const bool blade = across < w;
    if (!stalk && !blade) return 0.0f;

    float shade = 1.0f;
    float lift = 0.0f;
    if (blade) {
        const float edge = across / w;
        shade = 1.0f - 0.28f * edge * edge;
        // Midrib, then side veins running out towards the tip.
        if (across < 0.018f + 0.02f * (1.0f - a)) lift = 45.0f;
        else {
            const float phase = a * 7.0f - edge * 2.2f;
            const float f = phase - std::floor(phase);
            if (f < 0.07f && edge < 0.92f) lift = 22.0f * (1.0f - edge);
        }
        shade *= 0.9f + 0.2f * periodicNoise(s * 20.0f + 50.0f, t * 20.0f, 64, 64, uint32_t(style.kind) + 5u);
    } else {
        lift = 25.0f; // the stalk is paler than the blade
        shade = 0.85f;
    }
    rgb[0] = style.r * shade + lift;
    rgb[1] = style.g * shade + lift;
    rgb[2] = style.b * shade + lift * 0.5f;
    return 1.0f;
}

} // namespace

namespace {

// Draws the four pictures, in the order top left, top right, bottom left, bottom right.
Image drawAtlas(int size, const LeafStyle (&styles)[4]) {
    Image image(size, size, 4);
    const int q = size / 2;
    constexpr int N = 4; // samples per axis for smooth cut-out edges
    for (int quarter = 0; quarter < 4; ++quarter) {
        const LeafStyle& style = styles[quarter];
        const int ox = (quarter % 2) * q, oy = (quarter / 2) * q;
        for (int y = 0; y < q; ++y) {
            for (int x = 0; x < q; ++x) {
                float sum[3] = {0, 0, 0};
                float coverage = 0.0f;
                for (int j = 0; j < N; ++j) {
                    for (int i = 0; i < N; ++i) {
                        const float px = x + (i + 0.5f) / N, py = y + (j + 0.5f) / N;
                        const float s = (px - q * 0.5f) / (q * 0.5f);
                        const float t = (q - py) / q;
                        float rgb[3];
                        if (sampleLeaf(style, s, t, rgb) > 0.0f) {
                            coverage += 1.0f;
                            for (int c = 0; c < 3; ++c) sum[c] += rgb[c];
                        }
                    }
                }
                uint8_t* p = image.at(ox + x, oy + y);
                // Empty texels keep the blade colour so filtering never darkens the edge.
                const float base[3] = {style.r, style.g, style.b};
                for (int c = 0; c < 3; ++c) {
                    const float v = coverage > 0.0f ? sum[c] / coverage : base[c];
                    p[c] = uint8_t(std::clamp(v, 0.0f, 255.0f) + 0.5f);
                }
                p[3] = uint8_t(coverage / (N * N) * 255.0f + 0.5f);
            }
        }
    }
    return image;
}

} // namespace

Image makeLeafAtlas(int size) {
    const LeafStyle styles[4] = {
        {118.0f, 168.0f, 62.0f, 0.16f, 0.05f, 0},  // top left: round aspen-like leaf
        {132.0f, 176.0f, 74.0f, 0.10f, -0.12f, 1}, // top right: narrow willow-like leaf
        {80.0f, 140.0f, 52.0f, 0.18f, 0.0f, 2},    // bottom left: broad heart-shaped leaf
        {100.0f, 146.0f, 48.0f, 0.14f, 0.08f, 3},  // bottom right: lobed leaf
    };
    return drawAtlas(size, styles);
}

Image makeLeafAtlas(LeafKind kind, int size) {
    // Four pictures of one kind, differing in colour, stalk length and bow.
    const LeafStyle round[4] = {
        {112.0f, 166.0f, 60.0f, 0.30f, 0.06f, 4},
        {126.0f, 172.0f, 66.0f, 0.36f, -0.08f, 4},
        {98.0f, 152.0f, 54.0f, 0.28f, 0.0f, 4},
        {134.0f, 160.0f, 58.0f, 0.34f, 0.1f, 4},
    };
    const LeafStyle narrow[4] = {
        {132.0f, 176.0f, 74.0f, 0.08f, -0.14f, 5},
        {120.0f, 168.0f, 80.0f, 0.06f, 0.1f, 5},
        {142.0f, 170.0f, 88.0f, 0.09f, 0.0f, 5},
        {112.0f, 158.0f, 70.0f, 0.07f, 0.18f, 5},
    };
    const LeafStyle needles[4] = {
        {92.0f, 160.0f, 70.0f, 0.12f, 0.0f, 6},
        {104.0f, 170.0f, 76.0f, 0.10f, 0.05f, 6},
        {84.0f, 150.0f, 66.0f, 0.14f, -0.05f, 6},
        {110.0f, 166.0f, 72.0f, 0.11f, 0.09f, 6},
    };
    const LeafStyle fronds[4] = {
        {88.0f, 150.0f, 56.0f, 0.08f, 0.0f, 7},
        {100.0f, 158.0f, 60.0f, 0.06f, 0.15f, 7},
        {80.0f, 140.0f, 52.0f, 0.09f, -0.12f, 7},
        {104.0f, 150.0f, 58.0f, 0.07f, 0.06f, 7},
    };
    switch (kind) {
    case LeafKind::Round: return drawAtlas(size, round);
    case LeafKind::Narrow: return drawAtlas(size, narrow);
    case LeafKind::Needles: return drawAtlas(size, needles);
    default: return drawAtlas(size, fronds);
    }
}
