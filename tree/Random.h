#pragma once

#include <cstdint> // Required for: int32_t, uint32_t
#include <span>    // Required for: std::span

// The one random generator of tree growth: a process-wide linear
// congruential generator. Its state is the only global state of growth; the
// order of draws decides the tree, so callers never reorder them.

// Sets the generator state (the seed taken as unsigned).
void seedRandom(int32_t seed);
// The draws never depend on the state's top bit, so seeds s and s - 2^31
// grow the same tree: the seeds that differ are 0..MAX_SEED.
inline constexpr int32_t MAX_SEED = 0x7FFFFFFF;
// The seed of a tree asked for with seed -1: the calendar clock's seconds,
// reduced to 0..MAX_SEED so that it can be reported and given again.
int32_t clockSeed();
// Advances the state and returns an integer in 0..32767.
int32_t nextRandom();
// An integer in -999..999 made from two draws: the sign first, then the size.
int32_t randSigned();
// Fills `out` with signed draws, the first first: the same values and the
// same state afterwards as calling randSigned() once for each, without a
// call per draw.
void randSigned(std::span<int32_t> out);
// A random variation of up to 0.999·|x|; draws twice unless x is zero.
float randVar(float x);
// The variation randVar(x) gives for the signed draw `s`, with the same bits:
// for callers that made their signed draws in one go.
inline float randVarOf(int32_t s, float x) {
    // Computed in double and rounded once.
    return static_cast<float>(static_cast<double>(s) * x * static_cast<double>(0.001f));
}
// Nearest integer, halves away from zero; values beyond int32 saturate, NaN gives 0.
int32_t roundToInt(float x);
// The same rounding on a value that was never held as a 32-bit float.
int32_t roundToInt(double x);

// Current state, for tests that check how many draws an operation made.
uint32_t randomState();
