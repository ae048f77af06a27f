#pragma once

#include "Stem.h"
#include "math/Vector3.h"

#include <algorithm> // Required for: std::min
#include <array>     // Required for: std::array
#include <cmath>     // Required for: std::floor
#include <cstddef>   // Required for: std::size_t

// The sway data a vertex shader needs to move a tree in the wind, four
// floats per vertex:
//   x  trunk:  how far the vertex moves with the whole tree bending, 0 at the
//              ground growing to 1 at the top (the square of the relative
//              height, as a cantilever bends);
//   y  branch: how far it moves with its main branch, 0 on the trunk and at
//              the branch's base, 1 at a branch-length from the base;
//   z  leaf:   how far it flutters as a leaf, 0 on bark and at a leaf's
//              stalk end, 1 at its tip;
//   w  phase:  the main branch's phase in 0..1, so that branches do not
//              move in step (0 on the trunk).
// Nothing here draws from the random generator: the phases follow from the
// branches' order, so a tree sways the same way every time it is grown.
namespace TreeWind {

inline constexpr std::size_t FLOATS_PER_VERTEX = 4;

// What every vertex of one stem shares: its main branch (the trunk's child
// it belongs to, or none for the trunk itself).
struct StemWind {
    Velk::Vector3 branchBase;
    float inverseBranchLength = 0.0f; // 0 on the trunk
    float phase = 0.0f;
};

// The trunk's context: no branch, no phase.
inline StemWind trunkWind() { return {}; }

// The context of `child`, the `index`th child of a stem whose context is
// `parent`. The trunk's children start a branch of their own; deeper stems
// move with the branch they grow on.
inline StemWind childWind(const StemWind& parent, const Stem& child, std::size_t index, bool parentIsTrunk) {
    if (!parentIsTrunk) return parent;
    StemWind w;
    w.branchBase = child.position;
    w.inverseBranchLength = child.length > 0.0f ? 1.0f / child.length : 0.0f;
    // Golden-ratio steps spread the phases of neighbouring branches evenly.
    const double step = 0.6180339887498949 * double(index + 1);
    w.phase = float(step - std::floor(step));
    return w;
}

// The four floats of a vertex at `position` on a stem (leaf 0) or a leaf
// corner (leaf = how far along the leaf the corner lies), for a tree whose
// highest point is 1 / inverseHeight above the ground.
inline std::array<float, 4> windAt(const StemWind& stem, const Velk::Vector3& position,
                                   float inverseHeight, float leaf) {
    const float h = std::min(std::max(position.y * inverseHeight, 0.0f), 1.0f);
    const float branch =
        std::min((position - stem.branchBase).length() * stem.inverseBranchLength, 1.0f);
    return {h * h, branch, leaf, stem.phase};
}

} // namespace TreeWind
