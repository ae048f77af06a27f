// The table of leaf tilts: which trees have one, and that each entry has the
// bits a leaf worked out on its own before there was a table.
#include "LeafTilts.h"
#include "Random.h"
#include "TreeParameters.h"
#include "math/Math.h"

#include <gtest/gtest.h>

#include <bit>     // Required for: std::bit_cast
#include <cmath>   // Required for: std::cos, std::sin
#include <cstdint> // Required for: int32_t, uint32_t

namespace {

TreeParameters preset(uint32_t index) {
    TreeParameters p(2);
    p.loadPreset(index);
    return p;
}

// A leaf's tilt half angle as growth worked it out for every leaf before
// the table, written out here on its own: the tilt in double, rounded to
// float, halved in float, then the float cosine and sine.
HalfAngle workedOut(const TreeParameters& p, uint8_t level, int32_t s) {
    const float downV = p.downAngleV[level];
    const float tiltVar =
        downV != 0.0f ? static_cast<float>(static_cast<double>(s) * downV * static_cast<double>(0.001f)) : 0.0f;
    const double down = double(p.downAngle[level]) + tiltVar;
    const float tilt = static_cast<float>(down * Velk::Math::fDeg2Rad);
    return {std::cos(0.5f * tilt), std::sin(0.5f * tilt)};
}

} // namespace

TEST(LeafTilts, EveryDrawLooksUpTheBitsOfTheLeafsOwnArithmetic) {
    // Quaking Aspen (1), Weeping Willow (3) and European Larch (6): tilts
    // varied by a draw of 10, 10 and 30 degrees on the leaves' level.
    for (const uint32_t index : {1u, 3u, 6u}) {
        const TreeParameters p = preset(index);
        const uint8_t level = static_cast<uint8_t>(p.levels - 1);
        ASSERT_GT(p.downAngleV[level], 0.0f) << index;
        const LeafTilts tilts(p, level, LeafTilts::MIN_LEAVES);
        ASSERT_FALSE(tilts.empty()) << index;
        for (int32_t s = -999; s <= 999; ++s) {
            const HalfAngle expected = workedOut(p, level, s);
            ASSERT_EQ(std::bit_cast<uint32_t>(tilts.of(s).cos), std::bit_cast<uint32_t>(expected.cos))
                << index << " draw " << s;
            ASSERT_EQ(std::bit_cast<uint32_t>(tilts.of(s).sin), std::bit_cast<uint32_t>(expected.sin))
                << index << " draw " << s;
        }
    }

    // A tilt that does not vary: every leaf looks up draw 0.
    TreeParameters still = preset(1);
    const uint8_t level = static_cast<uint8_t>(still.levels - 1);
    still.downAngleV[level] = 0.0f;
    const LeafTilts unvaried(still, level, 50000);
    ASSERT_FALSE(unvaried.empty());
    EXPECT_EQ(std::bit_cast<uint32_t>(unvaried.of(0).sin), std::bit_cast<uint32_t>(workedOut(still, level, 0).sin));
    EXPECT_EQ(unvaried.of(0).sin, std::sin(0.5f * static_cast<float>(double(still.downAngle[level]) *
                                                                     Velk::Math::fDeg2Rad)));
}

TEST(LeafTilts, NoTableWhereTiltsFollowTheStemOrLeavesAreFew) {
    // The Palm's leaves are graded along the stem (a variation of -80).
    const TreeParameters palm = preset(5);
    EXPECT_TRUE(LeafTilts(palm, static_cast<uint8_t>(palm.levels - 1), 100000).empty());
    // Fewer leaves than the table has entries.
    const TreeParameters aspen = preset(1);
    EXPECT_TRUE(LeafTilts(aspen, static_cast<uint8_t>(aspen.levels - 1), LeafTilts::MIN_LEAVES - 1).empty());
    EXPECT_TRUE(LeafTilts().empty());
}
