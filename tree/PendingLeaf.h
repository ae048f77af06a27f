#pragma once

#include "LeafTilts.h"
#include "Stem.h"

#include <bit>         // Required for: std::bit_cast
#include <cstddef>     // Required for: offsetof
#include <cstdint>     // Required for: uint32_t
#include <cstring>     // Required for: std::memcpy
#include <span>        // Required for: std::span
#include <type_traits> // Required for: the traits in the static_asserts

// A leaf whose random draws growth has made but whose corners are not yet
// worked out: everything its quad follows from besides the leaf size. The
// corners need nothing else of the tree, so Tree::grow has them worked out
// beside growth (LeafPlacement), with the very same arithmetic. Until then
// the leaf's own storage holds it (holdPending): handing a leaf over writes
// nothing but the leaf itself. Only its fields are ever read back.
struct PendingLeaf {
    const StemPoint* point = nullptr; // the stem point the leaf hangs from
    float along = 0.0f;               // distance from the point's start along its segment
    float turn = 0.0f;                // radians about the world Y axis
    float tilt = 0.0f;                // radians about the world X axis
    HalfAngle tiltHalf;               // of the tilt, where the tree's LeafTilts gave it
    float unused[5] = {};             // fills it to the size of a leaf
};
static_assert(sizeof(PendingLeaf) == sizeof(Leaf) && std::is_trivially_copyable_v<Leaf> &&
              std::is_standard_layout_v<PendingLeaf>);

// Makes `leaf` hold a pending leaf in place of its corners. Written field
// by field into the leaf's bytes: a whole PendingLeaf built on the stack and
// copied over would be read back before its parts reached memory, a stall
// on every leaf of the growing thread.
inline void holdPending(Leaf& leaf, const StemPoint* point, float along, float turn, float tilt,
                        HalfAngle tiltHalf) {
    unsigned char* const bytes = reinterpret_cast<unsigned char*>(&leaf);
    std::memcpy(bytes + offsetof(PendingLeaf, point), &point, sizeof point);
    std::memcpy(bytes + offsetof(PendingLeaf, along), &along, sizeof along);
    std::memcpy(bytes + offsetof(PendingLeaf, turn), &turn, sizeof turn);
    std::memcpy(bytes + offsetof(PendingLeaf, tilt), &tilt, sizeof tilt);
    std::memcpy(bytes + offsetof(PendingLeaf, tiltHalf) + offsetof(HalfAngle, cos), &tiltHalf.cos, sizeof(float));
    std::memcpy(bytes + offsetof(PendingLeaf, tiltHalf) + offsetof(HalfAngle, sin), &tiltHalf.sin, sizeof(float));
}

// The pending leaf that `leaf` holds.
inline PendingLeaf heldPending(const Leaf& leaf) { return std::bit_cast<PendingLeaf>(leaf); }

// The pending leaves of one stem: `count` leaves one after another in its
// list, each holding its PendingLeaf, all of the same size.
struct PendingRun {
    Leaf* leaves = nullptr;
    uint32_t count = 0;
    float width = 0.0f;  // leaf size: along its local X
    float height = 0.0f; // and along its local Y
    bool tiltsLookedUp = false; // each leaf holds its tiltHalf; otherwise only its tilt
};

// Growth keeps runs in raw arena memory that is never destroyed element by
// element.
static_assert(std::is_trivially_copyable_v<PendingRun> && std::is_trivially_destructible_v<PendingRun>);

// Works out the corners of every leaf of the runs, over what each holds.
void placeLeaves(std::span<const PendingRun> runs);
