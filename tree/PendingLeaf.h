#pragma once

#include "Stem.h"

#include <span> // Required for: std::span

// A leaf whose random draws growth has made but whose corners are not yet
// worked out: everything its quad follows from. The corners need nothing
// else of the tree, so Tree::grow has them worked out beside growth
// (LeafPlacement), with the very same arithmetic.
struct PendingLeaf {
    Leaf* leaf = nullptr;            // where the corners go; its stem's list no longer grows
    const StemPoint* point = nullptr; // the stem point the leaf hangs from
    float along = 0.0f;              // distance from the point's start along its segment
    float turn = 0.0f;               // radians about the world Y axis
    float tilt = 0.0f;               // radians about the world X axis
    float width = 0.0f;              // leaf size: along its local X
    float height = 0.0f;             // and along its local Y
};

// Works out the corners of every pending leaf.
void placeLeaves(std::span<const PendingLeaf> leaves);
