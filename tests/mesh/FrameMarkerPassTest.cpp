// The frame-marker passes: marker vertices placed at each stem point's
// segment end, in the point's orientation, and the nine triangles per marker.
#include "FrameMarkers.h"
#include "HandBuiltStems.h"
#include "MeshLayout.h"
#include "math/Math.h"

#include <gtest/gtest.h>

#include <cstdint> // Required for: uint32_t
#include <vector>  // Required for: std::vector

using Velk::Quaternion;
using Velk::Vector3;

namespace {

constexpr std::size_t kFloats = TreeMeshLayout::FLOATS_PER_VERTEX;

// Runs the marker vertex pass of `stem` into buffers of `vertices` vertices.
struct MarkerVertices {
    MarkerVertices(const Stem& stem, std::size_t vertices) : floats(kFloats * vertices), colours(vertices) {
        float* f = floats.data();
        uint32_t* c = colours.data();
        stem.writeFrameVertices(f, c);
        written = static_cast<std::size_t>(c - colours.data());
        EXPECT_EQ(f, floats.data() + kFloats * written);
    }
    Vector3 position(std::size_t i) const { return {floats[kFloats * i], floats[kFloats * i + 1], floats[kFloats * i + 2]}; }
    Vector3 normal(std::size_t i) const { return {floats[kFloats * i + 3], floats[kFloats * i + 4], floats[kFloats * i + 5]}; }

    std::vector<float> floats;
    std::vector<uint32_t> colours;
    std::size_t written = 0;
};

void expectNear(const Vector3& actual, const Vector3& expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-5f) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-5f) << what;
}

TEST(FrameVertexPassTest, IdentityPointAtTheOrigin) {
    HandBuiltTree hand(1);
    addRing(hand.trunk(), {{1.0f, 0.0f, 0.0f}});
    const MarkerVertices out(hand.trunk(), 12);
    ASSERT_EQ(out.written, 12u);
    EXPECT_EQ(out.position(0), Vector3(0.5f, 0.0f, 0.0f));
    EXPECT_EQ(out.position(4), Vector3(0.0f, 0.5f, 0.0f));
    EXPECT_EQ(out.position(8), Vector3(0.0f, 0.0f, 0.5f));
    EXPECT_EQ(out.position(1), Vector3(0.0f, -0.015f, -0.02f));
    for (std::size_t j = 0; j < 12; ++j) {
        EXPECT_EQ(out.colours[j], frameMarkerColours[j]) << j;
        expectNear(out.normal(j), frameMarkerNormals[j], "normal");
        EXPECT_EQ(out.floats[kFloats * j + 6], 0.0f);
        EXPECT_EQ(out.floats[kFloats * j + 7], 0.0f);
    }
    EXPECT_EQ(out.colours[0], 0xA0FF0000u);
    EXPECT_EQ(out.colours[5], 0xA000FF00u);
    EXPECT_EQ(out.colours[11], 0xA00000FFu);
}

TEST(FrameVertexPassTest, MarkerSitsAtTheSegmentEndInThePointsOrientation) {
    HandBuiltTree hand(1);
    // A quarter turn about y takes local x to world -z.
    const Quaternion turn = Quaternion::FromAngleAxis(Velk::Math::HALF_PI, Vector3::UNIT_Y);
    addRing(hand.trunk(), {{1.0f, 0.0f, 0.0f}});
    addRing(hand.trunk(), {{1.0f, 0.0f, 0.0f}}, StemPoint{turn, {0.0f, 2.0f, 0.0f}, {1.0f, 1.0f, 1.0f}});
    const MarkerVertices out(hand.trunk(), 24);
    ASSERT_EQ(out.written, 24u);
    expectNear(out.position(12), {1.0f, 3.0f, 0.5f}, "x tip");
    expectNear(out.position(16), {1.0f, 3.5f, 1.0f}, "y tip");
    expectNear(out.position(20), {1.5f, 3.0f, 1.0f}, "z tip");
    expectNear(out.normal(12), {0.0f, 0.0f, -1.0f}, "x tip normal");
}

TEST(FrameVertexPassTest, ChildrenFollowTheirParent) {
    HandBuiltTree hand(2);
    addRing(hand.trunk(), {{1.0f, 0.0f, 0.0f}});
    Stem& child = addChild(hand.trunk(), 1.0f);
    addRing(child, {{1.0f, 0.0f, 0.0f}}, StemPoint{Quaternion::IDENTITY, {}, {5.0f, 0.0f, 0.0f}});
    const MarkerVertices out(hand.trunk(), 24);
    EXPECT_EQ(out.written, 24u);
    EXPECT_EQ(out.position(12), Vector3(5.5f, 0.0f, 0.0f));
}

TEST(FrameIndexPassTest, NineTrianglesPerPointFromEachTip) {
    HandBuiltTree hand(2);
    addRing(hand.trunk(), {{1.0f, 0.0f, 0.0f}});
    Stem& child = addChild(hand.trunk(), 1.0f);
    addRing(child, {{1.0f, 0.0f, 0.0f}});
    std::vector<uint32_t> indices(54);
    uint32_t* cursor = indices.data();
    uint32_t base = 10;
    hand.trunk().writeFrameIndices(cursor, base);
    EXPECT_EQ(cursor, indices.data() + 54);
    EXPECT_EQ(base, 34u);
    const std::vector<uint32_t> first(indices.begin(), indices.begin() + 27);
    const std::vector<uint32_t> expected = {10, 11, 12, 10, 12, 13, 10, 13, 11,
                                            14, 15, 16, 14, 16, 17, 14, 17, 15,
                                            18, 19, 20, 18, 20, 21, 18, 21, 19};
    EXPECT_EQ(first, expected);
    EXPECT_EQ(indices[27], 22u);
    EXPECT_EQ(indices[53], 31u);
}

} // namespace
