#include "TreeParameters.h"
#include "TreeType.h"

#include <gtest/gtest.h>

namespace {

// The sixteen arrays of a record as generic float views, for checks that
// must cover every one of them.
template <class F> void eachArray(const TreeParameters& p, F&& f) {
    f("downAngle", p.downAngle);
    f("downAngleV", p.downAngleV);
    f("rotate", p.rotate);
    f("rotateV", p.rotateV);
    f("length", p.length);
    f("lengthV", p.lengthV);
    f("taper", p.taper);
    f("branches", p.branches);
    f("segSplits", p.segSplits);
    f("splitAngle", p.splitAngle);
    f("splitAngleV", p.splitAngleV);
    f("curveRes", p.curveRes);
    f("curve", p.curve);
    f("curveBack", p.curveBack);
    f("curveV", p.curveV);
    f("ringVertices", p.ringVertices);
}

void fillDistinct(TreeParameters& p) {
    int n = 1;
    for (auto* a : {&p.downAngle, &p.downAngleV, &p.rotate, &p.rotateV, &p.length, &p.lengthV,
                    &p.taper, &p.segSplits, &p.splitAngle, &p.splitAngleV, &p.curve,
                    &p.curveBack, &p.curveV})
        for (float& v : *a) v = float(n++);
    for (auto* a : {&p.branches, &p.curveRes, &p.ringVertices})
        for (int32_t& v : *a) v = n++;
}

} // namespace

TEST(TreeParameters, ConstructionAllocatesEveryArrayAndSetsOpaqueLeaves) {
    TreeParameters p(2);
    EXPECT_EQ(p.levels, 2);
    EXPECT_EQ(p.getLeafAlpha(), 255);
    eachArray(p, [](const char* name, const auto& a) { EXPECT_EQ(a.size(), 2u) << name; });
}

TEST(TreeParameters, SetLevelsGrowsShrinksAndKeepsEqualCounts) {
    TreeParameters p(2);
    fillDistinct(p);
    const TreeParameters before = p;

    p.setLevels(2); // nothing changes, nothing is cleared
    eachArray(p, [&](const char* name, const auto& a) { EXPECT_EQ(a.size(), 2u) << name; });
    EXPECT_EQ(p.curve, before.curve);
    EXPECT_EQ(p.branches, before.branches);

    p.setLevels(4);
    EXPECT_EQ(p.levels, 4);
    int arrays = 0;
    eachArray(p, [&](const char* name, const auto& a) {
        ++arrays;
        ASSERT_EQ(a.size(), 4u) << name;
        EXPECT_EQ(a[2], 0) << name;
        EXPECT_EQ(a[3], 0) << name;
    });
    EXPECT_EQ(arrays, 16);
    EXPECT_EQ(p.taper[0], before.taper[0]);
    EXPECT_EQ(p.taper[1], before.taper[1]);
    EXPECT_EQ(p.ringVertices[1], before.ringVertices[1]);

    p.taper[2] = 7.0f;
    p.setLevels(3);
    EXPECT_EQ(p.taper.size(), 3u);
    EXPECT_EQ(p.taper[0], before.taper[0]);
    EXPECT_EQ(p.taper[2], 7.0f);

    p.setLevels(0);
    EXPECT_EQ(p.levels, 0);
    eachArray(p, [](const char* name, const auto& a) { EXPECT_TRUE(a.empty()) << name; });
}

TEST(TreeParameters, CloneIsDeepAndKeepsLeafAlpha) {
    TreeParameters p(3);
    p.loadPreset(TREE_WEEPING_WILLOW);
    p.setLeafAlpha(40);
    const auto copy = p.clone();
    EXPECT_EQ(copy->getLeafAlpha(), 40);
    EXPECT_EQ(copy->getType(), TREE_WEEPING_WILLOW);
    EXPECT_EQ(copy->levels, p.levels);
    EXPECT_EQ(copy->curveV, p.curveV);
    EXPECT_EQ(copy->branches, p.branches);
    copy->curveV[1] = 123.0f;
    EXPECT_EQ(p.curveV[1], 90.0f);
}

TEST(Presets, NamesAndLevels) {
    const char* names[TREE_TYPE_COUNT] = {"Simple",          "Quaking Aspen", "Black Tupelo",
                                          "Weeping Willow",  "Lombardy Poplar", "Palm",
                                          "European Larch"};
    const int levels[TREE_TYPE_COUNT] = {3, 3, 4, 4, 3, 2, 3};
    for (uint32_t t = 0; t < TREE_TYPE_COUNT; ++t) {
        TreeParameters p(2);
        p.loadPreset(t);
        EXPECT_EQ(p.getTypeName(), names[t]);
        EXPECT_EQ(p.levels, levels[t]) << names[t];
        eachArray(p, [&](const char* name, const auto& a) {
            EXPECT_EQ(a.size(), size_t(levels[t])) << names[t] << ' ' << name;
        });
    }
}

TEST(Presets, UnknownNumberGivesQuakingAspenWithoutAName) {
    TreeParameters aspen(2), seven(2);
    aspen.loadPreset(TREE_QUAKING_ASPEN);
    seven.loadPreset(7);
    EXPECT_EQ(seven.getType(), 7u);
    EXPECT_EQ(seven.getTypeName(), "");
    seven.type = aspen.type; // everything else must be equal
    EXPECT_EQ(seven.scale, aspen.scale);
    EXPECT_EQ(seven.shape, aspen.shape);
    EXPECT_EQ(seven.leaves, aspen.leaves);
    EXPECT_EQ(seven.curveV, aspen.curveV);
    EXPECT_EQ(seven.downAngleV, aspen.downAngleV);
    EXPECT_EQ(seven.ringVertices, aspen.ringVertices);
}

TEST(Presets, StartUpSequenceAndValuesThatPresetsLeaveAlone) {
    // The application builds its set with 2 levels and loads Quaking Aspen.
    TreeParameters p(2);
    p.loadPreset(TREE_QUAKING_ASPEN);
    EXPECT_EQ(p.levels, 3);
    EXPECT_EQ(p.branches[0], 1);
    EXPECT_EQ(p.branches[1], 50);
    EXPECT_EQ(p.pruneRatio, 0.0f);
    EXPECT_FLOAT_EQ(p.lobeDepth, 0.07f);
    EXPECT_EQ(p.curveRes, (std::vector<int32_t>{3, 5, 3}));
    EXPECT_EQ(p.downAngleV, (std::vector<float>{0, -50, 10}));

    // Simple then Quaking Aspen (both 3 levels): Aspen does not write leafShape.
    TreeParameters s(3);
    s.loadPreset(TREE_SIMPLE);
    s.leafShape = 9;
    s.loadPreset(TREE_QUAKING_ASPEN);
    EXPECT_EQ(s.leafShape, 9);

    // Palm then Black Tupelo: entries 2 and 3 are zeroed by the resize, then written.
    TreeParameters palm(2);
    palm.loadPreset(TREE_PALM);
    palm.loadPreset(TREE_BLACK_TUPELO);
    EXPECT_EQ(palm.branches, (std::vector<int32_t>{0, 50, 25, 12}));
    EXPECT_EQ(palm.downAngle[0], 0.0f);
    palm.loadPreset(TREE_PALM);
    EXPECT_EQ(palm.ringVertices, (std::vector<int32_t>{16, 8}));

    // European Larch does not write curveBack[2]; every reachable sequence leaves 0.
    TreeParameters larch(2);
    larch.loadPreset(TREE_PALM);
    larch.loadPreset(TREE_EUROPEAN_LARCH);
    EXPECT_EQ(larch.curveBack[2], 0.0f);
    EXPECT_EQ(larch.curveBack[1], -20.0f);

    // Simple carries no leaves.
    TreeParameters simple(2);
    simple.loadPreset(TREE_SIMPLE);
    EXPECT_EQ(simple.getLeaves(), 0);
    EXPECT_EQ(simple.leafQuality, 0.0f);
}
