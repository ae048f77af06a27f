#pragma once

#include "Stem.h"

#include <span>        // Required for: std::span
#include <type_traits> // Required for: std::is_trivially_copyable_v, std::is_trivially_destructible_v

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

// Growth keeps pending leaves in raw arena memory that is never destroyed
// element by element.
static_assert(std::is_trivially_copyable_v<PendingLeaf> && std::is_trivially_destructible_v<PendingLeaf>);

// Works out the corners of every pending leaf.
void placeLeaves(std::span<const PendingLeaf> leaves);
