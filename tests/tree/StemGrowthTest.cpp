#include "TreeTestSupport.h"
#include "TreeType.h"
#include "math/Math.h"

#include "StemWalk.h"

#include <algorithm> // Required for: std::clamp, std::max
#include <bit>       // Required for: std::bit_cast
#include <cmath>     // Required for: std::acos, std::isfinite, std::sqrt
#include <random>    // Required for: std::mt19937, std::uniform_real_distribution

#include <gtest/gtest.h>

using Velk::Vector3;

namespace {

// Centre of a ring: the mean of its vertices (exact for unlobed rings).
Vector3 centre(const Stem& stem, size_t ring) {
    Vector3 sum;
    const auto vertices = stem.ringVertices(stem.rings[ring]);
    for (const Vector3& v : vertices) sum += v;
    return sum * (1.0f / static_cast<float>(vertices.size()));
}

// Angle in degrees between the growth directions of two points.
double bendDegrees(const StemPoint& a, const StemPoint& b) {
    const Vector3 da = a.orientation * Vector3::UNIT_Y;
    const Vector3 db = b.orientation * Vector3::UNIT_Y;
    const double c = std::clamp(double(da.dotProduct(db)), -1.0, 1.0);
    return std::acos(c) * 180.0 / 3.14159265358979323846;
}

} // namespace

TEST(StemGrowth, SimpleTrunkRingHeightsAndRadii) {
    const auto tree = growPreset(TREE_SIMPLE, 0);
    const Stem& trunk = *tree->trunk;
    ASSERT_EQ(trunk.points.size(), 13u);
    ASSERT_EQ(trunk.rings.size(), 13u);
    const float heights[13] = {0, 0.25f, 0.5f, 0.75f, 1, 1.25f, 1.5f, 1.75f, 2, 4, 6, 8, 10};
    for (size_t i = 0; i < 13; ++i) {
        const Vector3 c = centre(trunk, i);
        EXPECT_NEAR(c.y, heights[i], 1e-5f) << "ring " << i;
        EXPECT_NEAR(c.x, 0.0f, 1e-6f);
        EXPECT_NEAR(trunk.points[i].end().y, heights[i], 1e-5f);
        EXPECT_EQ(trunk.ringVertices(trunk.rings[i]).size(), 6u);
    }
    EXPECT_EQ(trunk.points[0].segment, Vector3::ZERO);
    EXPECT_EQ(trunk.points[0].position, trunk.position);
    // The regular rings take the radius at relative heights 0.25 .. 1, ignoring the flare.
    const float zs[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    for (size_t i = 0; i < 4; ++i) {
        const size_t ring = 9 + i;
        const Vector3 v0 = trunk.ringVertices(trunk.rings[ring])[0];
        const float expected = std::max(trunk.radiusAt(0, zs[i], 10.0f, tree->trunkRadius), 0.0001f);
        EXPECT_NEAR((v0 - centre(trunk, ring)).length(), expected, 1e-5f) << ring;
        EXPECT_NEAR(v0.x, expected, 1e-5f) << "vertex 0 lies on local +X";
    }
    EXPECT_FLOAT_EQ(tree->trunkRadius, 0.15f);
}

TEST(StemGrowth, SimpleTrunkChildrenSitAtTheirOffsets) {
    const auto tree = growPreset(TREE_SIMPLE, 0);
    const Stem& trunk = *tree->trunk;
    const float heights[4] = {4.4f, 5.8f, 7.2f, 8.6f};
    for (size_t i = 0; i < 4; ++i) {
        const Stem& child = *trunk.children[i];
        EXPECT_NEAR(child.position.x, 0.0f, 1e-6f);
        EXPECT_NEAR(child.position.y, heights[i], 1e-5f) << i;
        EXPECT_NEAR(child.position.z, 0.0f, 1e-6f);
        EXPECT_EQ(child.points[0].position, child.position);
        // Tilted down by 45 degrees from the vertical trunk.
        EXPECT_NEAR(bendDegrees(trunk.points[0], child.points[0]), 45.0, 1e-3) << i;
        // A child never starts thicker than the trunk where it sits.
        EXPECT_LE(child.radius, trunk.radiusAt(0, heights[i] / 10.0f, 10.0f, trunk.radius));
        EXPECT_GT(child.radius, 0.0f);
    }
}

TEST(StemGrowth, PointCountsAndCollinearFlare) {
    const auto tree = growModified(TREE_QUAKING_ASPEN, 3, [](TreeParameters& p) {
        p.curveRes[0] = 5;
        p.curveV[0] = 0;
    });
    const Stem& trunk = *tree->trunk;
    EXPECT_EQ(trunk.points.size(), 14u);
    EXPECT_EQ(trunk.rings.size(), 14u);
    for (size_t i = 1; i <= 8; ++i) {
        EXPECT_EQ(trunk.points[i].orientation, trunk.points[0].orientation);
        EXPECT_NEAR(trunk.points[i].position.x, 0.0f, 1e-6f);
    }
    for (const auto& child : trunk.children) {
        EXPECT_EQ(child->points.size(), 6u); // curveRes[1] = 5
        EXPECT_EQ(child->rings.size(), 6u);
    }
    // A straight trunk ends exactly one length above its base.
    const StemPoint& last = trunk.points.back();
    EXPECT_NEAR(last.end().y, tree->trunkLength, 1e-4f);
    EXPECT_NEAR(last.end().x, 0.0f, 1e-6f);
}

TEST(StemGrowth, LombardyPoplarTrunkHasOneRegularSegment) {
    const auto tree = growPreset(TREE_LOMBARDY_POPLAR, 0);
    const Stem& trunk = *tree->trunk;
    ASSERT_EQ(trunk.points.size(), 10u);
    for (size_t i = 1; i <= 8; ++i)
        EXPECT_NEAR(trunk.points[i].segment.y, 0.1f * tree->trunkLength, 1e-4f);
    EXPECT_NEAR(trunk.points[9].segment.y, 0.2f * tree->trunkLength, 1e-4f);
}

TEST(StemGrowth, CurveBackBendsTheLowerHalfAndCurveTheUpper) {
    const auto tree = growModified(TREE_QUAKING_ASPEN, 0, [](TreeParameters& p) {
        p.curveRes[0] = 5;
        p.curve[0] = 20;
        p.curveBack[0] = 10;
        p.curveV[0] = 0;
    });
    const auto& pts = tree->trunk->points;
    ASSERT_EQ(pts.size(), 14u);
    const double expected[5] = {4, 4, 8, 8, 8};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(bendDegrees(pts[8 + i], pts[9 + i]), expected[i], 1e-3) << "segment " << i;

    const auto single = growModified(TREE_QUAKING_ASPEN, 0, [](TreeParameters& p) {
        p.curveRes[0] = 1;
        p.curve[0] = 20;
        p.curveBack[0] = 10;
        p.curveV[0] = 0;
    });
    EXPECT_NEAR(bendDegrees(single->trunk->points[8], single->trunk->points[9]), 40.0, 1e-3);
}

TEST(StemGrowth, ZeroRadiusGivesATinyRingNotACollapsedOne) {
    const auto tree = growModified(TREE_SIMPLE, 0, [](TreeParameters& p) { p.taper[0] = 1.0f; });
    // Taper 1 narrows the trunk to a point at its tip.
    const Stem& trunk = *tree->trunk;
    const Vector3 c = trunk.points.back().end();
    const Vector3 v0 = trunk.ringVertices(trunk.rings.back())[0];
    EXPECT_NEAR((v0 - c).length(), 0.0001f, 1e-6f);
}

TEST(StemGrowth, EveryRingVertexLiesWithinTheExtent) {
    for (uint32_t species = 0; species < TREE_TYPE_COUNT; ++species) {
        const auto tree = growPreset(species, 1);
        Vector3 max;
        forEachStem(*tree->trunk, 0, [&](const Stem& s, uint8_t) {
            for (const Vector3& v : s.ringVertexStore) {
                max.x = std::max(max.x, v.x);
                max.y = std::max(max.y, v.y);
                max.z = std::max(max.z, v.z);
            }
        });
        EXPECT_EQ(max, tree->extent) << species;
        EXPECT_TRUE(std::isfinite(max.x) && std::isfinite(max.y) && std::isfinite(max.z));
    }
}

TEST(Leaves, UnitLeafCornersAndQualityScaling) {
    TreeParameters params(2);
    params.loadPreset(TREE_PALM);
    Tree tree(params, 0);
    tree.params->leafScale = 1;
    tree.params->leafScaleX = 1;
    tree.params->leafQuality = 1;
    Stem stem(&tree);
    const StemPoint identity{Velk::Quaternion::IDENTITY, Vector3::ZERO, Vector3::ZERO};
    const int32_t before = tree.vertexCount;
    stem.addLeaf(identity, 0);
    ASSERT_EQ(stem.leaves.size(), 1u);
    const Vector3 unit[4] = {{-0.5f, 0, 0}, {-0.5f, 1, 0}, {0.5f, 1, 0}, {0.5f, 0, 0}};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(stem.leaves[0].corners[i], unit[i]) << i;
    EXPECT_EQ(tree.vertexCount, before + 4);

    tree.params->leafQuality = 4;
    stem.addLeaf(identity, 7); // the shape argument changes nothing
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(stem.leaves[1].corners[i], unit[i] * 0.5f) << i;
}

// A ring's vertices are worked out several at a time; each must have the
// bits of the engine's arithmetic for that vertex alone, for every ring size
// (whole groups and the vertices left over), and the extent must grow
// vertex by vertex as before. Rings of 1 to 9 sides on random stem points,
// with a lobed profile (the Black Tupelo's), radius 0 (drawn as 0.0001) and
// zeros of both signs in the segment.
TEST(StemGrowth, RingVerticesHaveTheBitsOfTheEngineArithmetic) {
    auto tree = growModified(TREE_BLACK_TUPELO, 0, [](TreeParameters& p) {
        p.lobes = 5;
        p.lobeDepth = 0.3f;
    });
    std::mt19937 random(20261208);
    const auto uniform = [&](float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); };
    for (int32_t sides = 1; sides <= 9; ++sides) {
        for (int trial = 0; trial < 40; ++trial) {
            const float w = uniform(-1, 1), x = uniform(-1, 1), y0 = uniform(-1, 1), z = uniform(-1, 1);
            const float norm = std::sqrt(w * w + x * x + y0 * y0 + z * z);
            const Velk::Quaternion q{w / norm, x / norm, y0 / norm, z / norm};
            const float y = trial % 3 == 0 ? -0.0f : uniform(0, 2);
            const StemPoint point{q, Vector3{trial % 2 ? 0.0f : -0.0f, y, 0.0f},
                                  Vector3{uniform(-50, 50), uniform(0, 30), uniform(-50, 50)}};
            const float radius = trial % 5 == 0 ? 0.0f : uniform(0.001f, 2.0f);
            StemPtr stem = makeStem(tree.get());
            GrowthShare share;
            share.extent = Vector3{uniform(-1, 1), uniform(-1, 1), uniform(-1, 1)};
            Vector3 extent = share.extent;
            stem->addRing(point, radius, sides, share);

            const Tree::RingProfile& profile = tree->ringProfile(sides);
            const double r = radius == 0.0f ? 0.0001 : double(radius);
            ASSERT_EQ(stem->rings.size(), 1u);
            const auto vertices = stem->ringVertices(stem->rings[0]);
            ASSERT_EQ(vertices.size(), size_t(sides));
            for (int32_t k = 0; k < sides; ++k) {
                const double rk = r * profile.lobeFactors[size_t(k)];
                const Vector3 local = point.segment + Vector3{static_cast<float>(rk * profile.cosines[size_t(k)]), 0.0f,
                                                              static_cast<float>(rk * profile.sines[size_t(k)])};
                const Vector3 expected = point.position + point.orientation * local;
                const Vector3& v = vertices[size_t(k)];
                EXPECT_EQ(std::bit_cast<uint32_t>(v.x), std::bit_cast<uint32_t>(expected.x)) << sides << " " << k;
                EXPECT_EQ(std::bit_cast<uint32_t>(v.y), std::bit_cast<uint32_t>(expected.y)) << sides << " " << k;
                EXPECT_EQ(std::bit_cast<uint32_t>(v.z), std::bit_cast<uint32_t>(expected.z)) << sides << " " << k;
                extent = Vector3{std::max(extent.x, expected.x), std::max(extent.y, expected.y),
                                 std::max(extent.z, expected.z)};
            }
            EXPECT_EQ(share.extent, extent) << sides;
        }
    }
}
