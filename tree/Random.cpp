#include "Random.h"

#include <cmath>  // Required for: std::isnan
#include <ctime>  // Required for: std::time
#include <limits> // Required for: std::numeric_limits

namespace {
thread_local uint32_t state = 1;

constexpr uint32_t MULTIPLIER = 214013u;
constexpr uint32_t INCREMENT = 2531011u;

// One step of the generator from `s`: the next state, and the value it gives.
int32_t step(uint32_t& s) {
    s = s * MULTIPLIER + INCREMENT;
    return static_cast<int32_t>((s >> 16) & 0x7FFF);
}
} // namespace

void seedRandom(int32_t seed) { state = static_cast<uint32_t>(seed); }

int32_t clockSeed() {
    return static_cast<int32_t>(static_cast<uint32_t>(std::time(nullptr)) & static_cast<uint32_t>(MAX_SEED));
}

uint32_t randomState() { return state; }

void setRandomState(uint32_t s) { state = s; }

uint32_t advancedState(uint32_t s, uint64_t steps) {
    // One step is s -> a s + c (mod 2^32); 2^k steps are s -> A s + C, and
    // composing the map with itself squares it: (A, C) -> (A A, A C + C).
    uint32_t a = MULTIPLIER, c = INCREMENT;
    for (; steps != 0; steps >>= 1) {
        if (steps & 1) s = a * s + c;
        c = a * c + c;
        a = a * a;
    }
    return s;
}

int32_t nextRandom() { return step(state); }

int32_t randSigned() {
    const int32_t sign = (nextRandom() & 1) ? -1 : 1;
    return sign * (nextRandom() % 1000);
}

void randSigned(std::span<int32_t> out) {
    uint32_t s = state;
    for (int32_t& value : out) {
        // The two draws of randSigned: the sign, then the size.
        const int32_t sign = (step(s) & 1) ? -1 : 1;
        value = sign * (step(s) % 1000);
    }
    state = s;
}

float randVar(float x) {
    if (x == 0.0f) return 0.0f;
    return randVarOf(randSigned(), x);
}

int32_t roundToInt(double x) {
    const double r = x < 0.0 ? x - 0.5 : x + 0.5;
    // Degenerate parameters (a zero length divided by) can produce values no
    // int32 holds; they saturate instead of being undefined.
    if (std::isnan(r)) return 0;
    if (r <= -2147483649.0) return std::numeric_limits<int32_t>::min();
    if (r >= 2147483648.0) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

int32_t roundToInt(float x) { return roundToInt(static_cast<double>(x)); }
