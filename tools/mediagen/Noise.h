#pragma once

#include <cstdint> // Required for: uint32_t

// Value noise that repeats every `periodX` by `periodY` lattice cells, so
// textures made from it tile without seams. Results lie in 0..1.
float periodicNoise(float x, float y, int periodX, int periodY, uint32_t seed);
// Sum of `octaves` periodic noises, each of twice the frequency and half
// the weight of the one before; normalised to 0..1.
float periodicFbm(float x, float y, int periodX, int periodY, int octaves, uint32_t seed);
// A well-mixed 32-bit hash.
uint32_t hash32(uint32_t x);
