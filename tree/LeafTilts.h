#pragma once

#include "TreeParameters.h"

#include <cmath>   // Required for: std::cos, std::sin
#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: int32_t, uint8_t
#include <vector>  // Required for: std::vector

// The cosine and sine of half an angle, as Quaternion::FromAngleAxis takes
// them: half = 0.5f * angle in float, then cos and sin of that float.
struct HalfAngle {
    float cos = 1.0f;
    float sin = 0.0f;
};
inline HalfAngle halfAngleOf(float angle) {
    const float half = 0.5f * angle;
    return {std::cos(half), std::sin(half)};
}

// The tilt of a leaf of the last level from its signed draw `s` (0 where the
// tilt does not vary, and so draws nothing), where the tilt follows from the
// draw (a variation of zero or more): the down angle plus the variation, in
// radians.
float leafTiltOf(const TreeParameters& p, uint8_t level, int32_t s);

// Where the leaves' tilts follow from a draw alone, a tree's leaves take at
// most one tilt per signed draw, 1,999 in all, however many leaves there
// are. Their half angles are worked out once per tree with the arithmetic
// each leaf would use, so a leaf looks its cosine and sine up instead of
// calling both: the same bits at a fraction of the cost.
class LeafTilts {
public:
    // Leaves below this many are fewer than the table's entries: each works
    // its own out.
    static constexpr int32_t MIN_LEAVES = 2000;

    // No table.
    LeafTilts() = default;
    // The table of the leaves of `level`, or none where their tilts do not
    // follow from the draw alone (a negative variation grades them along
    // the stem) or where there are fewer than MIN_LEAVES leaves.
    LeafTilts(const TreeParameters& p, uint8_t level, int32_t leaves);

    bool empty() const { return halves_.empty(); }
    // The half angle of the tilt of signed draw `s` (-999..999); the draw of
    // a tree whose tilts do not vary is 0.
    const HalfAngle& of(int32_t s) const { return halves_[static_cast<std::size_t>(s + DRAW_MAX)]; }

private:
    static constexpr int32_t DRAW_MAX = 999;
    std::vector<HalfAngle> halves_; // at s + 999
};
