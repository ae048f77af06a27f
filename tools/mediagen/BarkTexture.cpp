// Bark: vertical ridges broken by furrows that wander slowly up the stem.
#include "Noise.h"
#include "Textures.h"

#include <algorithm> // Required for: std::clamp
#include <cmath>     // Required for: std::cos, std::pow

namespace {
uint8_t byte(float v) { return uint8_t(std::clamp(v, 0.0f, 255.0f) + 0.5f); }
} // namespace

Image makeBark(int size) {
    Image image(size, size, 3);
    const float tau = 6.28318530718f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = float(x) / size, v = float(y) / size;
            // Warp the ridge lines sideways with noise that changes slowly upwards.
            const float warp = periodicFbm(u * 6.0f, v * 3.0f, 6, 3, 3, 11u) - 0.5f;
            const float ridgePhase = u * 10.0f + warp * 1.6f;
            const float ridge = 0.5f + 0.5f * std::cos(tau * ridgePhase);
            // Deep narrow furrows where the ridge function is low.
            const float furrow = std::pow(1.0f - ridge, 4.0f);
            // Fine vertical grain and patches of lighter, weathered bark.
            const float grain = periodicFbm(u * 48.0f, v * 6.0f, 48, 6, 3, 23u);
            const float patches = periodicFbm(u * 4.0f, v * 4.0f, 4, 4, 4, 37u);
            // Occasional horizontal cracks across the ridges.
            const float crack = periodicNoise(u * 10.0f, v * 40.0f, 10, 40, 51u);
            const float crackDark = crack > 0.82f ? (crack - 0.82f) * 2.5f : 0.0f;

            float shade = 0.78f + 0.35f * (grain - 0.5f) + 0.3f * (patches - 0.5f);
            shade *= 1.0f - 0.75f * furrow - 0.35f * crackDark;
            shade *= 0.85f + 0.15f * ridge;
            const float r = 120.0f * shade + 18.0f * patches;
            const float g = 104.0f * shade + 12.0f * patches;
            const float b = 88.0f * shade + 6.0f * patches;
            uint8_t* p = image.at(x, y);
            p[0] = byte(r);
            p[1] = byte(g);
            p[2] = byte(b);
        }
    }
    return image;
}
