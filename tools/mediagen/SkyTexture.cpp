// Sky box faces: a blue sky that brightens to a hazy horizon. The colour is
// a function of the view direction only, so neighbouring faces meet
// without seams.
#include "Noise.h"
#include "Textures.h"

#include <algorithm> // Required for: std::clamp
#include <cmath>     // Required for: std::sqrt, std::asin, std::pow

namespace {

struct Dir {
    float x, y, z;
};

// Direction through texel (sc, tc) in -1..1 of cube face `face`.
Dir faceDirection(int face, float sc, float tc) {
    switch (face) {
    case 0: return {1.0f, -tc, -sc};
    case 1: return {-1.0f, -tc, sc};
    case 2: return {sc, 1.0f, tc};
    case 3: return {sc, -1.0f, -tc};
    case 4: return {sc, -tc, 1.0f};
    default: return {-sc, -tc, -1.0f};
    }
}

float mix(float a, float b, float t) { return a + (b - a) * t; }

} // namespace

std::array<Image, 6> makeSkyFaces(int size) {
    std::array<Image, 6> faces{Image(size, size, 3), Image(size, size, 3), Image(size, size, 3),
                               Image(size, size, 3), Image(size, size, 3), Image(size, size, 3)};
    const float zenith[3] = {38.0f, 92.0f, 190.0f};
    const float horizon[3] = {196.0f, 218.0f, 238.0f};
    const float ground[3] = {150.0f, 164.0f, 178.0f};
    for (int face = 0; face < 6; ++face) {
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const float sc = 2.0f * (x + 0.5f) / size - 1.0f;
                const float tc = 2.0f * (y + 0.5f) / size - 1.0f;
                Dir d = faceDirection(face, sc, tc);
                const float len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
                const float up = d.y / len;
                uint8_t* p = faces[size_t(face)].at(x, y);
                for (int c = 0; c < 3; ++c) {
                    float v;
                    if (up >= 0.0f) {
                        const float t = std::pow(up, 0.45f);
                        v = mix(horizon[c], zenith[c], t);
                    } else {
                        v = mix(horizon[c], ground[c], std::min(1.0f, -up * 4.0f));
                    }
                    p[c] = uint8_t(std::clamp(v, 0.0f, 255.0f) + 0.5f);
                }
            }
        }
    }
    return faces;
}
