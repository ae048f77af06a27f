// The bark passes on hand-built stems: vertex layout, normals from cyclic
// neighbours, texture coordinates, colour bytes and the triangle bands.
#include "HandBuiltStems.h"
#include "MeshLayout.h"

#include <gtest/gtest.h>

#include <cstdint> // Required for: uint32_t
#include <cstring> // Required for: std::memcpy
#include <vector>  // Required for: std::vector

using Velk::Vector3;

namespace {

// Vertex buffers for `vertices` vertices, written by the bark pass of `stem`.
struct BarkVertices {
    BarkVertices(const Stem& stem, std::size_t vertices)
        : floats(TreeMeshLayout::FLOATS_PER_VERTEX * vertices), colours(vertices) {
        float* f = floats.data();
        uint32_t* c = colours.data();
        stem.writeStemVertices(f, c);
        floatsWritten = static_cast<std::size_t>(f - floats.data());
        coloursWritten = static_cast<std::size_t>(c - colours.data());
    }
    Vector3 position(std::size_t i) const { return {at(i, 0), at(i, 1), at(i, 2)}; }
    Vector3 normal(std::size_t i) const { return {at(i, 3), at(i, 4), at(i, 5)}; }
    float u(std::size_t i) const { return at(i, 6); }
    float v(std::size_t i) const { return at(i, 7); }
    float at(std::size_t i, std::size_t k) const { return floats[TreeMeshLayout::FLOATS_PER_VERTEX * i + k]; }

    std::vector<float> floats;
    std::vector<uint32_t> colours;
    std::size_t floatsWritten = 0, coloursWritten = 0;
};

// The ring of four points round the y axis used by several tests.
void addSquareRing(Stem& stem, float y) {
    addRing(stem, {{1.0f, y, 0.0f}, {0.0f, y, 1.0f}, {-1.0f, y, 0.0f}, {0.0f, y, -1.0f}});
}

TEST(BarkVertexPassTest, FourPointRingNormalsAndTextureCoordinates) {
    HandBuiltTree hand(1);
    addSquareRing(hand.trunk(), 0.0f);
    addSquareRing(hand.trunk(), 1.0f);
    const BarkVertices out(hand.trunk(), 8);
    ASSERT_EQ(out.coloursWritten, 8u);
    ASSERT_EQ(out.floatsWritten, 64u);

    EXPECT_EQ(out.position(0), Vector3(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(out.position(5), Vector3(0.0f, 1.0f, 1.0f));
    EXPECT_EQ(out.normal(0), Vector3(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(out.normal(1), Vector3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(out.normal(3), Vector3(0.0f, 0.0f, -1.0f));
    const float expectedU[4] = {0.0f, 0.5f, 1.0f, 1.5f};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(out.u(i), expectedU[i]) << i;
        EXPECT_EQ(out.u(4 + i), expectedU[i]) << i;
        EXPECT_EQ(out.v(i), 0.0f) << i;
        // The last of R rings has v = 2 (R - 1) / R.
        EXPECT_EQ(out.v(4 + i), 1.0f) << i;
    }
}

TEST(BarkVertexPassTest, NormalsComeFromCyclicNeighbours) {
    HandBuiltTree hand(1);
    // An irregular ring, so each normal depends on exactly which neighbours it uses.
    const Vector3 p[5] = {{2.0f, 0.0f, 0.0f}, {0.5f, 0.0f, 1.5f}, {-1.0f, 0.0f, 1.0f},
                          {-1.5f, 0.0f, -0.5f}, {0.3f, 0.0f, -2.0f}};
    addRing(hand.trunk(), {p[0], p[1], p[2], p[3], p[4]});
    const BarkVertices out(hand.trunk(), 5);
    for (std::size_t i = 0; i < 5; ++i) {
        Vector3 expected = p[i] * 2.0f - p[(i + 4) % 5] - p[(i + 1) % 5];
        expected.normalise();
        EXPECT_EQ(out.normal(i), expected) << "point " << i;
    }
    EXPECT_NEAR(out.normal(0).length(), 1.0f, 1e-6f);
}

TEST(BarkVertexPassTest, ColourBytesInMemoryOrder) {
    HandBuiltTree hand(1);
    addSquareRing(hand.trunk(), 0.0f);
    const BarkVertices out(hand.trunk(), 4);
    unsigned char bytes[4];
    std::memcpy(bytes, &out.colours[2], 4);
    EXPECT_EQ(bytes[0], 0xCC);
    EXPECT_EQ(bytes[1], 0xDD);
    EXPECT_EQ(bytes[2], 0xEE);
    EXPECT_EQ(bytes[3], 0xFF);
}

TEST(BarkVertexPassTest, StemBeforeChildrenInListOrder) {
    HandBuiltTree hand(3);
    addSquareRing(hand.trunk(), 0.0f);
    Stem& first = addChild(hand.trunk(), 1.0f);
    addRing(first, {{10.0f, 0.0f, 0.0f}, {11.0f, 0.0f, 0.0f}, {12.0f, 0.0f, 1.0f}});
    Stem& grandchild = addChild(first, 1.0f);
    addRing(grandchild, {{20.0f, 0.0f, 0.0f}, {21.0f, 0.0f, 0.0f}, {22.0f, 0.0f, 1.0f}});
    Stem& second = addChild(hand.trunk(), 1.0f);
    addRing(second, {{30.0f, 0.0f, 0.0f}, {31.0f, 0.0f, 0.0f}, {32.0f, 0.0f, 1.0f}});
    const BarkVertices out(hand.trunk(), 13);
    EXPECT_EQ(out.coloursWritten, 13u);
    EXPECT_EQ(out.position(4).x, 10.0f);
    EXPECT_EQ(out.position(7).x, 20.0f);
    EXPECT_EQ(out.position(10).x, 30.0f);
    EXPECT_EQ(out.position(12).x, 32.0f);
}

TEST(BarkIndexPassTest, TwoRingsOfThreeGiveTheWholeBand) {
    HandBuiltTree hand(1);
    addRing(hand.trunk(), {{1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {-1.0f, 0.0f, 0.0f}});
    addRing(hand.trunk(), {{1.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 1.0f}, {-1.0f, 1.0f, 0.0f}});
    std::vector<uint32_t> indices(18);
    uint32_t* cursor = indices.data();
    uint32_t base = 100;
    hand.trunk().writeStemIndices(cursor, base);
    EXPECT_EQ(cursor, indices.data() + 18);
    EXPECT_EQ(base, 106u);
    const std::vector<uint32_t> expected = {
        /* j 0 */ 101, 100, 103, 101, 103, 104,
        /* j 1 */ 102, 101, 104, 102, 104, 105,
        /* j 2, closing the ring */ 100, 102, 105, 100, 105, 103,
    };
    EXPECT_EQ(indices, expected);
}

TEST(BarkIndexPassTest, RingsOfNWriteSixNPerBand) {
    HandBuiltTree hand(1);
    for (int r = 0; r < 5; ++r) addSquareRing(hand.trunk(), float(r));
    std::vector<uint32_t> indices(6 * 4 * 4 + 1, 0xFFFFFFFFu);
    uint32_t* cursor = indices.data();
    uint32_t base = 0;
    hand.trunk().writeStemIndices(cursor, base);
    EXPECT_EQ(cursor - indices.data(), 96);
    EXPECT_EQ(base, 20u);
    EXPECT_EQ(indices.back(), 0xFFFFFFFFu);
    for (std::size_t i = 0; i + 1 < indices.size(); ++i) EXPECT_LT(indices[i], 20u) << i;
}

TEST(BarkIndexPassTest, ASingleRingWritesNoTrianglesButAdvancesBase) {
    HandBuiltTree hand(2);
    addSquareRing(hand.trunk(), 0.0f);
    addSquareRing(hand.trunk(), 1.0f);
    Stem& child = addChild(hand.trunk(), 1.0f);
    addRing(child, {{1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {-1.0f, 0.0f, 0.0f}});
    Stem& next = addChild(hand.trunk(), 1.0f);
    addRing(next, {{1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {-1.0f, 0.0f, 0.0f}});
    addRing(next, {{1.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 1.0f}, {-1.0f, 1.0f, 0.0f}});
    std::vector<uint32_t> indices(24 + 18);
    uint32_t* cursor = indices.data();
    uint32_t base = 0;
    hand.trunk().writeStemIndices(cursor, base);
    EXPECT_EQ(cursor, indices.data() + indices.size());
    EXPECT_EQ(base, 8u + 3u + 6u);
    // The third stem's band starts after the trunk's 8 and the single ring's 3.
    EXPECT_EQ(indices[24], 12u);
    EXPECT_EQ(indices[25], 11u);
    EXPECT_EQ(indices[26], 14u);
}

TEST(BarkPassTest, OneWalkWritesWhatTheTwoPassesWrite) {
    // Stems of one, two and three rings, of three, four and five vertices
    // (a ring of five has a partly filled group of four), one under another
    // and side by side: every case of the walk's numbering.
    HandBuiltTree hand(3);
    addSquareRing(hand.trunk(), 0.0f);
    addSquareRing(hand.trunk(), 1.0f);
    Stem& single = addChild(hand.trunk(), 1.0f);
    addRing(single, {{1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {-1.0f, 0.0f, 0.0f}});
    Stem& branch = addChild(hand.trunk(), 1.0f);
    for (float y : {0.0f, 0.5f, 1.0f})
        addRing(branch, {{2.0f, y, 0.0f}, {0.6f, y, 1.9f}, {-1.6f, y, 1.2f}, {-1.6f, y, -1.2f}, {0.6f, y, -1.9f}});
    Stem& twig = addChild(branch, 0.5f);
    addRing(twig, {{1.0f, 2.0f, 0.0f}, {0.0f, 2.0f, 1.0f}, {-1.0f, 2.0f, 0.0f}});
    addRing(twig, {{1.0f, 3.0f, 0.0f}, {0.0f, 3.0f, 1.0f}, {-1.0f, 3.0f, 0.0f}});
    constexpr std::size_t vertices = 8 + 3 + 15 + 6, indices = 24 + 2 * 30 + 18;

    const BarkVertices separate(hand.trunk(), vertices);
    std::vector<uint32_t> separateIndices(indices);
    uint32_t* cursor = separateIndices.data();
    uint32_t separateBase = 7;
    hand.trunk().writeStemIndices(cursor, separateBase);
    ASSERT_EQ(cursor, separateIndices.data() + indices);

    std::vector<float> floats(TreeMeshLayout::FLOATS_PER_VERTEX * vertices);
    std::vector<uint32_t> colours(vertices), together(indices);
    float* f = floats.data();
    uint32_t* c = colours.data();
    uint32_t* i = together.data();
    uint32_t base = 7;
    hand.trunk().writeStemBark(f, c, i, base);
    EXPECT_EQ(f, floats.data() + floats.size());
    EXPECT_EQ(c, colours.data() + colours.size());
    EXPECT_EQ(i, together.data() + indices);
    EXPECT_EQ(base, 7u + vertices);
    EXPECT_EQ(base, separateBase);
    // Compared as bytes: the same bits, not merely equal values.
    EXPECT_EQ(std::memcmp(floats.data(), separate.floats.data(), floats.size() * sizeof(float)), 0);
    EXPECT_EQ(colours, separate.colours);
    EXPECT_EQ(together, separateIndices);
}

} // namespace
