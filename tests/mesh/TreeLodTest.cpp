// Levels of detail of whole trees: their layout, their sizes, the leaves
// they keep, and that making them leaves the random generator alone.
#include "Random.h"
#include "Tree.h"
#include "TreeLodChain.h"
#include "TreeLodMesh.h"
#include "TreeParameters.h"
#include "TreeType.h"
#include "TreeWind.h"
#include "buffer/HardwareBufferManager.h"
#include "mesh/MeshManager.h"

#include <gtest/gtest.h>

#include <algorithm> // Required for: std::max_element, std::min_element
#include <cstdint>   // Required for: uint32_t
#include <memory>    // Required for: std::unique_ptr

using namespace Velk;

namespace {

std::unique_ptr<Tree> growTree(uint32_t type, int32_t seed) {
    TreeParameters params(1);
    params.loadPreset(type);
    auto tree = std::make_unique<Tree>(params, seed);
    tree->grow();
    return tree;
}

} // namespace

TEST(TreeLod, LevelsHalveTheTrianglesAndKeepTheirLayout) {
    HardwareBufferManager buffers;
    MeshManager meshes;
    for (uint32_t type = 0; type < TREE_TYPE_COUNT; ++type) {
        SCOPED_TRACE("species " + std::to_string(type));
        const std::unique_ptr<Tree> tree = growTree(type, 3);
        const Mesh* mesh = tree->buildMesh("TreeMesh" + std::to_string(type));
        const std::vector<TreeLod> levels = buildTreeLods(*tree, *mesh, 3);
        ASSERT_EQ(levels.size(), 4u);
        // The full level is the whole mesh: every vertex, every triangle.
        EXPECT_EQ(levels[0].vertexCount(), std::size_t(tree->vertexCount));
        EXPECT_EQ(levels[0].leafIndices.size(), 3 * std::size_t(tree->leafTriangleCount));
        EXPECT_EQ(levels[0].barkIndices.size(), 3 * std::size_t(tree->stemTriangleCount));
        for (std::size_t l = 0; l < levels.size(); ++l) {
            const TreeLod& lod = levels[l];
            EXPECT_EQ(lod.geometry.size(), 8 * lod.vertexCount());
            EXPECT_EQ(lod.wind.size(), TreeWind::FLOATS_PER_VERTEX * lod.vertexCount());
            if (l > 0) {
                EXPECT_LE(double(lod.triangleCount()), LOD_TRIANGLE_RATIO * double(levels[l - 1].triangleCount()));
            }
            // Bark vertices come first, leaf vertices after them; no vertex is unused.
            const uint32_t barkEnd =
                lod.barkIndices.empty() ? 0 : *std::max_element(lod.barkIndices.begin(), lod.barkIndices.end()) + 1;
            if (!lod.leafIndices.empty()) {
                EXPECT_EQ(*std::min_element(lod.leafIndices.begin(), lod.leafIndices.end()), barkEnd);
                EXPECT_LT(*std::max_element(lod.leafIndices.begin(), lod.leafIndices.end()), lod.vertexCount());
            }
            for (float w : lod.wind) {
                EXPECT_GE(w, 0.0f);
                EXPECT_LE(w, 1.0f);
            }
        }
        // Leaves thin evenly: a level with leaves keeps whole quads, a share of
        // the full count near its target (0.97 / 2 per level, or less when the
        // bark needed the level made again).
        if (tree->leafCount > 0) {
            const double kept = double(levels[1].leafIndices.size()) / double(levels[0].leafIndices.size());
            EXPECT_EQ(levels[1].leafIndices.size() % 6, 0u);
            EXPECT_LE(kept, 0.4851);
            EXPECT_GT(kept, 0.2);
        }
    }
}

TEST(TreeLod, MakingLevelsDrawsNothingFromTheRandomGenerator) {
    HardwareBufferManager buffers;
    MeshManager meshes;
    const std::unique_ptr<Tree> tree = growTree(TREE_QUAKING_ASPEN, 0);
    const Mesh* mesh = tree->buildMesh("TreeMesh");
    seedRandom(1234);
    const int32_t expected = nextRandom();
    seedRandom(1234);
    buildTreeLods(*tree, *mesh, 2);
    std::size_t smallest = 0;
    EXPECT_TRUE(fitTriangleBudget(*tree, *mesh, 20000, smallest).has_value());
    EXPECT_EQ(nextRandom(), expected);
}

TEST(TreeLod, ATriangleBudgetIsMetOrTheSmallestSizeIsSaid) {
    HardwareBufferManager buffers;
    MeshManager meshes;
    const std::unique_ptr<Tree> tree = growTree(TREE_QUAKING_ASPEN, 0);
    const Mesh* mesh = tree->buildMesh("TreeMesh");
    std::size_t smallest = 0;
    // Larger than the tree: the full tree, every triangle.
    const auto whole = fitTriangleBudget(*tree, *mesh, 10'000'000, smallest);
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(whole->triangleCount(), std::size_t(tree->stemTriangleCount + tree->leafTriangleCount));
    const auto fitted = fitTriangleBudget(*tree, *mesh, 5000, smallest);
    ASSERT_TRUE(fitted.has_value());
    EXPECT_LE(fitted->triangleCount(), 5000u);
    EXPECT_FALSE(fitTriangleBudget(*tree, *mesh, 3, smallest).has_value());
    EXPECT_GT(smallest, 3u);
    const auto least = fitTriangleBudget(*tree, *mesh, smallest, smallest);
    ASSERT_TRUE(least.has_value()) << "the smallest size said is reachable";
    EXPECT_EQ(least->triangleCount(), smallest);
}
