#include "Noise.h"

#include <cmath> // Required for: std::floor

uint32_t hash32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

namespace {

float lattice(int x, int y, uint32_t seed) {
    const uint32_t h = hash32(uint32_t(x) * 0x9E3779B1u ^ hash32(uint32_t(y) + seed));
    return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

int wrap(int v, int period) { return ((v % period) + period) % period; }

float smooth(float t) { return t * t * (3.0f - 2.0f * t); }

} // namespace

float periodicNoise(float x, float y, int periodX, int periodY, uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int x0 = int(fx), y0 = int(fy);
    const float tx = smooth(x - fx), ty = smooth(y - fy);
    const int ax = wrap(x0, periodX), bx = wrap(x0 + 1, periodX);
    const int ay = wrap(y0, periodY), by = wrap(y0 + 1, periodY);
    const float top = lattice(ax, ay, seed) + (lattice(bx, ay, seed) - lattice(ax, ay, seed)) * tx;
    const float bottom = lattice(ax, by, seed) + (lattice(bx, by, seed) - lattice(ax, by, seed)) * tx;
    return top + (bottom - top) * ty;
}

float periodicFbm(float x, float y, int periodX, int periodY, int octaves, uint32_t seed) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * periodicNoise(x, y, periodX, periodY, seed + uint32_t(i) * 1013u);
        total += weight;
        x *= 2.0f;
        y *= 2.0f;
        periodX *= 2;
        periodY *= 2;
        weight *= 0.5f;
    }
    return sum / total;
}
