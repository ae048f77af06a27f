// Whole trees against their known counters, determinism, and every species
// grown cleanly (this binary also runs under the sanitizers).
#include "BlockCache.h"
#include "StemWalk.h"
#include "TreeTestSupport.h"
#include "TreeType.h"

#include <cmath>   // Required for: std::isfinite
#include <cstring> // Required for: std::memcmp

#include <gtest/gtest.h>

TEST(TreeGolden, SimpleCounters) {
    for (int32_t seed : {0, 9, 77}) {
        const auto tree = growPreset(TREE_SIMPLE, seed);
        EXPECT_EQ(tree->stemCount, 25);
        EXPECT_EQ(tree->vertexCount, 1834);
        EXPECT_EQ(tree->stemTriangleCount, 752);
        EXPECT_EQ(tree->frameCount, 113);
        EXPECT_EQ(tree->leafTriangleCount, 0);
        EXPECT_EQ(countLeaves(*tree->trunk), 0);
    }
}

TEST(TreeGolden, QuakingAspenSeedZero) {
    const auto tree = growPreset(TREE_QUAKING_ASPEN, 0);
    EXPECT_FLOAT_EQ(tree->treeScale, 15.157f);
    EXPECT_EQ(tree->trunkLength, tree->treeScale);
    EXPECT_EQ(tree->stemCount, 1458);
    EXPECT_EQ(tree->leafCount, 26423);
    EXPECT_EQ(countLeaves(*tree->trunk), 26406);
    EXPECT_EQ(tree->leafTriangleCount, 52812);
    EXPECT_EQ(tree->vertexCount, 130008);
    EXPECT_EQ(tree->stemTriangleCount, 36900);
    EXPECT_EQ(tree->frameCount, 0);
}

namespace {

// Bitwise equality of two arrays of plain records.
template <class List> bool sameBits(const List& a, const List& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(a[0])) == 0);
}

// Bitwise equality of every ring vertex and leaf corner of two trees.
bool sameGeometry(const Stem& a, const Stem& b) {
    if (a.ringVertexStore.size() != b.ringVertexStore.size() ||
        a.leaves.size() != b.leaves.size() || a.children.size() != b.children.size() ||
        a.points.size() != b.points.size())
        return false;
    if (!sameBits(a.ringVertexStore, b.ringVertexStore) || !sameBits(a.leaves, b.leaves))
        return false;
    for (size_t i = 0; i < a.children.size(); ++i)
        if (!sameGeometry(*a.children[i], *b.children[i])) return false;
    return true;
}

} // namespace

TEST(TreeGolden, SameSeedGivesTheIdenticalTreeOtherSeedsDiffer) {
    for (uint32_t species = 0; species < TREE_TYPE_COUNT; ++species) {
        const auto a = growPreset(species, 4711);
        const auto b = growPreset(species, 4711);
        EXPECT_TRUE(sameGeometry(*a->trunk, *b->trunk)) << species;
        EXPECT_EQ(a->vertexCount, b->vertexCount);
        EXPECT_EQ(a->extent, b->extent);
        if (species == TREE_SIMPLE) continue; // Simple has no variation at all
        const auto c = growPreset(species, 4712);
        EXPECT_FALSE(sameGeometry(*a->trunk, *c->trunk)) << species;
    }
}

TEST(TreeGolden, EverySpeciesGrowsFiniteGeometryWithConsistentCounters) {
    for (uint32_t species = 0; species < TREE_TYPE_COUNT; ++species) {
        for (int32_t seed : {0, 1, 2}) {
            const auto tree = growPreset(species, seed);
            const TreeParameters& p = *tree->params;
            int64_t vertices = 0, triangles = 0, points = 0, leaves = 0;
            bool finite = true;
            forEachStem(*tree->trunk, 0, [&](const Stem& s, uint8_t level) {
                ASSERT_EQ(s.points.size(), s.rings.size());
                const size_t expectedPoints = 1 + size_t(p.curveRes[level]) + (level == 0 ? 8 : 0);
                ASSERT_EQ(s.points.size(), expectedPoints);
                vertices += int64_t(s.ringVertexStore.size());
                triangles += 2 * p.ringVertices[level] * int64_t(s.rings.size() - 1);
                points += int64_t(s.points.size());
                leaves += int64_t(s.leaves.size());
                if (!s.leaves.empty()) {
                    EXPECT_EQ(level, p.levels - 1);
                }
                for (const auto& v : s.ringVertexStore)
                    finite &= std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
                for (const auto& leaf : s.leaves)
                    for (const auto& v : leaf.corners)
                        finite &= std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
            });
            EXPECT_TRUE(finite) << species << '/' << seed;
            const int64_t frames = species == TREE_SIMPLE ? points : 0;
            EXPECT_EQ(tree->vertexCount, vertices + 4 * leaves + 12 * frames) << species;
            EXPECT_EQ(tree->stemTriangleCount, triangles) << species;
            EXPECT_EQ(tree->leafTriangleCount, 2 * leaves) << species;
            EXPECT_EQ(tree->frameCount, frames) << species;
            if (species != TREE_SIMPLE) {
                EXPECT_GT(leaves, 0) << species;
            }
        }
    }
}

TEST(TreeGolden, TreesGrownFromReusedMemoryAreTheSame) {
    BlockCache memory;
    TreeParameters params(2);
    params.loadPreset(TREE_QUAKING_ASPEN);
    const auto fresh = growPreset(TREE_QUAKING_ASPEN, 3);
    {
        Tree first(params, 3, &memory);
        first.grow();
        EXPECT_TRUE(sameGeometry(*first.trunk, *fresh->trunk));
    }
    const size_t cached = memory.cachedBytes();
    EXPECT_GT(cached, 1000000u) << "the first tree's blocks are kept";
    Tree second(params, 3, &memory);
    second.grow();
    EXPECT_TRUE(sameGeometry(*second.trunk, *fresh->trunk));
    EXPECT_LT(memory.cachedBytes(), cached) << "the second tree reused them";
}
