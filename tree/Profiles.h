#pragma once

#include <cstdint> // Required for: uint8_t, uint32_t

class TreeParameters;

// The envelope that scales the length of the trunk's branches with their
// height on the trunk; `ratio` is normally 0..1.
float shapeRatio(uint32_t shape, float ratio);

// Radius at relative position z (0 base .. 1 tip) of a stem of `level` with
// the given length and base radius: the level's taper and, on the trunk, the
// flare near the ground.
float radiusAt(const TreeParameters& params, uint8_t level, float z, float length, float radius);
