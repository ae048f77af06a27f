// Ground: short grass in tufts of several greens, with bare soil showing
// through in patches. Tiles both ways, so the ground repeats it.
#include "Noise.h"
#include "Textures.h"

#include <algorithm> // Required for: std::clamp
#include <cmath>     // Required for: std::pow

namespace {
uint8_t byte(float v) { return uint8_t(std::clamp(v, 0.0f, 255.0f) + 0.5f); }
float mix(float a, float b, float t) { return a + (b - a) * t; }
} // namespace

Image makeGround(int size) {
    Image image(size, size, 3);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = float(x) / size, v = float(y) / size;
            // Where soil shows: large soft patches.
            const float patches = periodicFbm(u * 5.0f, v * 5.0f, 5, 5, 5, 71u);
            const float soil = 0.6f * std::clamp((patches - 0.62f) * 4.0f, 0.0f, 1.0f);
            // Grass: fine blades (high-frequency noise) over tufts of colour.
            const float blades = periodicFbm(u * 192.0f, v * 192.0f, 192, 192, 2, 83u);
            const float tufts = periodicFbm(u * 28.0f, v * 28.0f, 28, 28, 3, 89u);
            const float dry = periodicFbm(u * 7.0f, v * 7.0f, 7, 7, 4, 97u);
            const float shade = 0.75f + 0.5f * (blades - 0.5f) + 0.25f * (tufts - 0.5f);
            const float grassR = mix(62.0f, 120.0f, dry * dry) * shade;
            const float grassG = mix(104.0f, 124.0f, dry) * shade;
            const float grassB = mix(38.0f, 58.0f, dry) * shade;
            // Soil: brown with small stones and crumbs.
            const float crumbs = periodicFbm(u * 128.0f, v * 128.0f, 128, 128, 2, 101u);
            const float soilShade = 0.8f + 0.4f * (crumbs - 0.5f);
            const float soilR = 112.0f * soilShade, soilG = 88.0f * soilShade, soilB = 62.0f * soilShade;
            // Blades stand over the soil's edge: the soil shows only between them.
            const float bare = soil * std::pow(1.0f - blades, 0.5f);
            uint8_t* p = image.at(x, y);
            p[0] = byte(mix(grassR, soilR, bare));
            p[1] = byte(mix(grassG, soilG, bare));
            p[2] = byte(mix(grassB, soilB, bare));
        }
    }
    return image;
}
