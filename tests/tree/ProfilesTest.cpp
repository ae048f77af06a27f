#include "Profiles.h"
#include "TreeParameters.h"

#include <gtest/gtest.h>

TEST(ShapeRatio, EnvelopesAtTheirKnownPoints) {
    EXPECT_NEAR(shapeRatio(5, 0.7f), 1.0f, 1e-6f);
    EXPECT_EQ(shapeRatio(5, 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(shapeRatio(0, 0.5f), 0.6f);
    EXPECT_FLOAT_EQ(shapeRatio(1, 0.5f), 1.0f);
    EXPECT_FLOAT_EQ(shapeRatio(2, 1.0f), 1.0f);
    EXPECT_FLOAT_EQ(shapeRatio(4, 0.5f), 0.75f);
    EXPECT_FLOAT_EQ(shapeRatio(6, 1.0f), 0.2f);
    EXPECT_FLOAT_EQ(shapeRatio(7, 0.0f), 0.5f);
    EXPECT_NEAR(shapeRatio(7, 0.7f), 1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(shapeRatio(7, 1.0f), 0.5f);
    for (float r : {0.0f, 0.13f, 0.5f, 0.77f, 1.0f}) {
        EXPECT_EQ(shapeRatio(3, r), 1.0f);
        EXPECT_EQ(shapeRatio(8, r), 1.0f);
        EXPECT_EQ(shapeRatio(9, r), shapeRatio(0, r)) << r;
        EXPECT_EQ(shapeRatio(200, r), shapeRatio(0, r)) << r;
    }
}

TEST(ShapeRatio, TendFlameHoldsItsProductAsAFloat) {
    // 0.5 + float(r * 0.5/0.7): the rounding of the product is part of the result.
    const float r = 0.37f;
    const float expected = static_cast<float>(0.5 + static_cast<float>(r * 0.7142857142857143));
    EXPECT_EQ(shapeRatio(7, r), expected);
}

namespace {
TreeParameters oneLevel(float taper, float flare) {
    TreeParameters p(2);
    p.taper = {taper, taper};
    p.flare = flare;
    return p;
}
} // namespace

TEST(RadiusAt, ConeHalvesAtTheTipForTaperOneHalf) {
    const TreeParameters p = oneLevel(0.5f, 0.6f);
    EXPECT_FLOAT_EQ(radiusAt(p, 0, 1.0f, 10.0f, 2.0f), 1.0f);
    EXPECT_FLOAT_EQ(radiusAt(p, 1, 1.0f, 10.0f, 2.0f), 1.0f);
}

TEST(RadiusAt, FlareWidensOnlyTheLowestEighthOfTheTrunk) {
    const TreeParameters p = oneLevel(1.0f, 0.6f);
    EXPECT_NEAR(radiusAt(p, 0, 0.0f, 10.0f, 1.0f), 1.594f, 1e-5f);
    // At and above one eighth the flare factor is exactly 1.
    EXPECT_EQ(radiusAt(p, 0, 0.125f, 10.0f, 1.0f), radiusAt(p, 1, 0.125f, 10.0f, 1.0f));
    EXPECT_EQ(radiusAt(p, 0, 0.5f, 10.0f, 1.0f), 0.5f);
    // Any other level ignores the flare.
    EXPECT_EQ(radiusAt(p, 1, 0.0f, 10.0f, 1.0f), 1.0f);
}

TEST(RadiusAt, TaperModes) {
    // t = 1: a cone to a point.
    EXPECT_FLOAT_EQ(radiusAt(oneLevel(1.0f, 0), 1, 0.5f, 10.0f, 2.0f), 1.0f);
    // t in (1, 2): the tip is rounded, the radius within one radius of the tip is a circle arc.
    const TreeParameters round = oneLevel(1.5f, 0);
    EXPECT_FLOAT_EQ(radiusAt(round, 1, 0.0f, 10.0f, 1.0f), 1.0f);
    EXPECT_FLOAT_EQ(radiusAt(round, 1, 1.0f, 10.0f, 1.0f), 0.0f);
    // A negative taper keeps the full radius away from the tip.
    EXPECT_FLOAT_EQ(radiusAt(oneLevel(-1.0f, 0), 1, 0.5f, 10.0f, 1.0f), 1.0f);
    // t >= 2: periodic bulges, the full radius at the base.
    const float bulge = radiusAt(oneLevel(2.1f, 0), 1, 0.0f, 10.0f, 1.0f);
    EXPECT_GT(bulge, 0.0f);
    EXPECT_LE(bulge, 1.0f);
}
