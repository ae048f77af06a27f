// The leaf passes on hand-built stems: shade, colour and its draws, the
// texture quarter of each leaf, normals and the two triangles per leaf.
#include "HandBuiltStems.h"
#include "LeafOutline.h"
#include "MeshLayout.h"
#include "Random.h"

#include <gtest/gtest.h>

#include <array>   // Required for: std::array
#include <cstdint> // Required for: uint32_t
#include <set>     // Required for: std::set
#include <vector>  // Required for: std::vector

using Velk::Vector3;

namespace {

// Vertex buffers for `vertices` vertices, written by the leaf pass of `stem`.
struct LeafVertices {
    LeafVertices(const Stem& stem, std::size_t vertices, float distance = 0.0f)
        : floats(TreeMeshLayout::FLOATS_PER_VERTEX * vertices), colours(vertices) {
        float* f = floats.data();
        uint32_t* c = colours.data();
        stem.writeLeafVertices(f, c, distance);
        written = static_cast<std::size_t>(c - colours.data());
        EXPECT_EQ(f, floats.data() + TreeMeshLayout::FLOATS_PER_VERTEX * written);
    }
    float at(std::size_t i, std::size_t k) const { return floats[TreeMeshLayout::FLOATS_PER_VERTEX * i + k]; }
    Vector3 normal(std::size_t i) const { return {at(i, 3), at(i, 4), at(i, 5)}; }

    std::vector<float> floats;
    std::vector<uint32_t> colours;
    std::size_t written = 0;
};

// A leaf whose corners are the outline itself, at height y.
Leaf outlineLeaf(float y = 0.0f) {
    Leaf leaf;
    for (std::size_t j = 0; j < 4; ++j) leaf.corners[j] = kLeafOutline[j] + Vector3(0.0f, y, 0.0f);
    return leaf;
}

// The packed colour the leaf pass must give a stem of shade t, drawing
// its three channel variations from the generator in order.
uint32_t expectedLeafColour(float t, uint8_t alpha) {
    const auto channel = [t](double scale, double offset) {
        return static_cast<uint32_t>(static_cast<int32_t>(double(randVar(20.0f)) + scale * t + offset));
    };
    const uint32_t red = channel(215.0, 20.0);
    const uint32_t green = channel(175.0, 60.0);
    const uint32_t blue = channel(195.0, 40.0);
    return (uint32_t(alpha) << 24) | (red << 16) | (green << 8) | blue;
}

TEST(LeafVertexPassTest, ALeaflessStemTakesSixDraws) {
    HandBuiltTree hand(2);
    seedRandom(1234);
    for (int i = 0; i < 6; ++i) nextRandom();
    const uint32_t afterSix = randomState();

    seedRandom(1234);
    const LeafVertices out(hand.trunk(), 1);
    EXPECT_EQ(out.written, 0u);
    EXPECT_EQ(randomState(), afterSix);
}

TEST(LeafVertexPassTest, EveryStemDrawsSixAndEveryLeafTwo) {
    HandBuiltTree hand(2);
    Stem& branch = addChild(hand.trunk(), 2.0f);
    addBasePoint(branch, {0.0f, 1.0f, 0.0f});
    branch.leaves = {outlineLeaf(), outlineLeaf(1.0f), outlineLeaf(2.0f)};
    addBasePoint(addChild(hand.trunk(), 2.0f), {0.0f, 1.5f, 0.0f});
    seedRandom(99);
    for (int i = 0; i < 3 * 6 + 3 * 2; ++i) nextRandom();
    const uint32_t expected = randomState();

    seedRandom(99);
    const LeafVertices out(hand.trunk(), 12);
    EXPECT_EQ(out.written, 12u);
    EXPECT_EQ(randomState(), expected);
}

TEST(LeafVertexPassTest, TwoLevelsGiveFullShade) {
    HandBuiltTree hand(2);
    Stem& branch = addChild(hand.trunk(), 6.0f);
    addBasePoint(branch, {0.0f, 3.0f, 0.0f});
    branch.leaves = {outlineLeaf()};
    seedRandom(7);
    for (int i = 0; i < 6; ++i) nextRandom(); // the trunk's colour
    const uint32_t expected = expectedLeafColour(1.0f, 255);

    seedRandom(7);
    const LeafVertices out(hand.trunk(), 4);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(out.colours[i], expected) << i;
}

TEST(LeafVertexPassTest, HalfWayAlongItsBranchGivesShadeOneHalf) {
    HandBuiltTree hand(3);
    addBasePoint(hand.trunk(), {0.0f, 0.0f, 0.0f});
    hand.trunk().length = 20.0f;
    Stem& branch = addChild(hand.trunk(), 6.0f);
    addBasePoint(branch, {0.0f, 5.0f, 0.0f});
    Stem& twig = addChild(branch, 2.0f);
    // 3 units from the branch's base, a branch of length 6.
    addBasePoint(twig, {0.0f, 5.0f, 3.0f});
    twig.leaves = {outlineLeaf()};

    seedRandom(31);
    for (int i = 0; i < 12; ++i) nextRandom(); // trunk and branch colours
    const uint32_t halfShade = expectedLeafColour(0.5f, 255);

    seedRandom(31);
    const LeafVertices out(hand.trunk(), 4);
    ASSERT_EQ(out.written, 4u);
    EXPECT_EQ(out.colours[0], halfShade);
    // Dark at the trunk, light at the tips: half shade sits between, about (127, 147, 137).
    EXPECT_NEAR(double((out.colours[0] >> 16) & 0xFF), 127.5, 20.0);
    EXPECT_NEAR(double((out.colours[0] >> 8) & 0xFF), 147.5, 20.0);
    EXPECT_NEAR(double(out.colours[0] & 0xFF), 137.5, 20.0);
}

TEST(LeafVertexPassTest, ShadeStopsAtOne) {
    HandBuiltTree hand(3);
    Stem& branch = addChild(hand.trunk(), 2.0f);
    addBasePoint(branch, {0.0f, 0.0f, 0.0f});
    Stem& twig = addChild(branch, 1.0f);
    addBasePoint(twig, {0.0f, 0.0f, 5.0f});
    twig.leaves = {outlineLeaf()};
    seedRandom(5);
    for (int i = 0; i < 12; ++i) nextRandom();
    const uint32_t fullShade = expectedLeafColour(1.0f, 255);
    seedRandom(5);
    const LeafVertices out(hand.trunk(), 4);
    EXPECT_EQ(out.colours[0], fullShade);
}

TEST(LeafVertexPassTest, LeafAlphaIsTheTopByte) {
    HandBuiltTree hand(2);
    hand.tree.params->leafAlpha = 128;
    Stem& branch = addChild(hand.trunk(), 1.0f);
    addBasePoint(branch, {});
    branch.leaves = {outlineLeaf(), outlineLeaf()};
    seedRandom(3);
    const LeafVertices out(hand.trunk(), 8);
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(out.colours[i] >> 24, 0x80u) << i;
}

TEST(LeafVertexPassTest, OutlineCornersFaceMinusZ) {
    HandBuiltTree hand(2);
    Stem& branch = addChild(hand.trunk(), 1.0f);
    addBasePoint(branch, {});
    branch.leaves = {outlineLeaf()};
    seedRandom(3);
    const LeafVertices out(hand.trunk(), 4);
    for (std::size_t j = 0; j < 4; ++j) {
        EXPECT_EQ(out.normal(j), Vector3(0.0f, 0.0f, -1.0f)) << j;
        EXPECT_EQ(out.at(j, 0), kLeafOutline[j].x);
        EXPECT_EQ(out.at(j, 1), kLeafOutline[j].y);
    }
}

// The texture quarter offsets (u, v) for E = -4 .. 4.
constexpr std::array<std::array<float, 2>, 9> kQuarterOffsets = {{
    {-1.0f, 0.0f}, {-0.5f, -0.5f}, {-0.5f, 0.0f}, {0.0f, -0.5f}, {0.0f, 0.0f},
    {0.0f, 0.5f}, {0.5f, 0.0f}, {0.5f, 0.5f}, {1.0f, 0.0f},
}};
// Corner texture coordinates for E = 0: one quarter of the leaf texture.
constexpr std::array<std::array<float, 2>, 4> kQuarterCorners = {{
    {0.0f, 1.0f}, {0.0f, 0.5f}, {0.5f, 0.5f}, {0.5f, 1.0f},
}};

TEST(LeafVertexPassTest, EachLeafShowsTheQuarterItsDrawPicks) {
    HandBuiltTree hand(2);
    Stem& branch = addChild(hand.trunk(), 1.0f);
    addBasePoint(branch, {});
    const std::size_t leafCount = 400;
    branch.leaves.assign(leafCount, outlineLeaf());

    // The quarter each leaf must get, from the same draws: the trunk's and
    // the branch's colours first, then two per leaf.
    seedRandom(2024);
    for (int i = 0; i < 12; ++i) nextRandom();
    std::vector<int> quarters;
    for (std::size_t i = 0; i < leafCount; ++i)
        quarters.push_back(roundToInt(static_cast<float>(randSigned() * 0.00399)));

    seedRandom(2024);
    const LeafVertices out(hand.trunk(), 4 * leafCount);
    std::set<int> seen;
    for (std::size_t i = 0; i < leafCount; ++i) {
        const int e = quarters[i];
        ASSERT_GE(e, -4);
        ASSERT_LE(e, 4);
        seen.insert(e);
        const auto& offset = kQuarterOffsets[static_cast<std::size_t>(e + 4)];
        for (std::size_t j = 0; j < 4; ++j) {
            EXPECT_EQ(out.at(4 * i + j, 6), kQuarterCorners[j][0] + offset[0]) << "leaf " << i << " E " << e;
            EXPECT_EQ(out.at(4 * i + j, 7), kQuarterCorners[j][1] - offset[1]) << "leaf " << i << " E " << e;
        }
    }
    // The draws covered every quarter offset, so the whole table was checked.
    EXPECT_EQ(seen.size(), 9u);
}

TEST(LeafIndexPassTest, TwoTrianglesPerLeafInStemOrder) {
    HandBuiltTree hand(2);
    Stem& first = addChild(hand.trunk(), 1.0f);
    first.leaves = {outlineLeaf()};
    Stem& second = addChild(hand.trunk(), 1.0f);
    second.leaves = {outlineLeaf(), outlineLeaf()};
    std::vector<uint32_t> indices(18);
    uint32_t* cursor = indices.data();
    uint32_t base = 40;
    hand.trunk().writeLeafIndices(cursor, base);
    EXPECT_EQ(cursor, indices.data() + 18);
    EXPECT_EQ(base, 52u);
    const std::vector<uint32_t> expected = {40, 41, 42, 40, 42, 43, 44, 45, 46,
                                            44, 46, 47, 48, 49, 50, 48, 50, 51};
    EXPECT_EQ(indices, expected);
}

} // namespace
