// The leaf atlas: four leaf pictures, one per quarter, each drawn with its
// stalk at the bottom centre of the quarter and its tip at the top, because
// the mesh maps a leaf's base to the bottom of a quarter and its tip to the top.
#include "Noise.h"
#include "Textures.h"

#include <algorithm> // Required for: std::clamp
#include <cmath>     // Required for: std::sin, std::cos, std::pow, std::fabs

namespace {

constexpr float PI = 3.14159265358979f;

struct LeafStyle {
    float r, g, b;          // blade colour
    float bladeStart;       // where the blade begins along the quarter (0 bottom .. 1 top)
    float bend;             // sideways bow of the midrib
    int kind;               // outline: 0 round-ovate, 1 lanceolate, 2 heart, 3 lobed
};

// Half-width of the blade, as a fraction of the quarter's half-width, at `a`
// (0 base of the blade .. 1 tip).
float halfWidth(int kind, float a) {
    if (a <= 0.0f || a >= 1.0f) return 0.0f;
    switch (kind) {
    case 0: return 0.80f * std::pow(std::sin(PI * std::pow(a, 0.75f)), 0.85f) * (1.0f + 0.035f * std::sin(a * 55.0f));
    case 1: return 0.30f * std::pow(std::sin(PI * a), 0.8f) * (1.0f + 0.03f * std::sin(a * 80.0f));
    case 2: return 0.78f * std::pow(std::sin(PI * std::pow(a, 0.6f)), 0.65f);
    default:
        return 0.66f * std::pow(std::sin(PI * a), 0.7f) *
               (0.70f + 0.30f * std::cos(a * 4.5f * 2.0f * PI + 0.6f));
    }
}

// Colour and coverage of one sample of a leaf; s across (-1..1), t along (0..1).
float sampleLeaf(const LeafStyle& style, float s, float t, float rgb[3]) {
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

Image makeLeafAtlas(int size) {
    Image image(size, size, 4);
    const int q = size / 2;
    const LeafStyle styles[4] = {
        {118.0f, 168.0f, 62.0f, 0.16f, 0.05f, 0},  // top left: round aspen-like leaf
        {132.0f, 176.0f, 74.0f, 0.10f, -0.12f, 1}, // top right: narrow willow-like leaf
        {80.0f, 140.0f, 52.0f, 0.18f, 0.0f, 2},    // bottom left: broad heart-shaped leaf
        {100.0f, 146.0f, 48.0f, 0.14f, 0.08f, 3},  // bottom right: lobed leaf
    };
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
