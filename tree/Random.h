#pragma once

#include <cstdint> // Required for: int32_t, uint32_t, uint64_t
#include <span>    // Required for: std::span

// The one random generator of tree growth: a linear congruential generator
// with one state per thread. Its state is the only global state of growth;
// the order of draws decides the tree, so callers never reorder them. A tree
// is seeded, grown and meshed on one thread; when growth hands a share of
// the stems to a second thread, that thread starts its share from the state
// the draws before it leave (advancedState), so the draws are those of one
// thread.

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

// Generator steps randVar(x) makes: two (randSigned), none for a zero x.
inline uint64_t randVarSteps(float x) { return x == 0.0f ? 0 : 2; }

// Current state, for tests that check how many draws an operation made, and
// for growth sharing its stems between threads.
uint32_t randomState();
// Sets the calling thread's state.
void setRandomState(uint32_t state);
// The state `steps` draws after `state`, worked out in log2(steps) steps.
uint32_t advancedState(uint32_t state, uint64_t steps);
