// The wind's sway data: four floats for every vertex of the tree mesh, in the
// mesh's own vertex order, added as a buffer of its own without touching the
// mesh the builder wrote or the random sequence.
#include "LeafOutline.h"
#include "MeshChecksum.h"
#include "MeshLayout.h"
#include "Random.h"
#include "Tree.h"
#include "TreeParameters.h"
#include "TreeType.h"
#include "TreeWind.h"
#include "buffer/HardwareBufferManager.h"
#include "mesh/MeshManager.h"

#include <gtest/gtest.h>

#include <cmath>   // Required for: std::isfinite
#include <cstdint> // Required for: uint32_t, uint64_t
#include <memory>  // Required for: std::unique_ptr
#include <set>     // Required for: std::set
#include <vector>  // Required for: std::vector

using namespace Velk;
using namespace TreeMeshLayout;

namespace {

// Golden checksums of the whole mesh (buffers 0 and 1 and the indices) from
// tests/mesh/GrowthAndMeshGoldenTest.cpp, taken before the wind existed.
constexpr uint64_t kSimpleSeed0Checksum = 0x89eb0d301fa092b0ull;
constexpr uint64_t kAspenSeed0Checksum = 0xbab0745aa60b5e74ull;

std::unique_ptr<Tree> growTree(uint32_t type, int32_t seed) {
    TreeParameters params(1);
    params.loadPreset(type);
    auto tree = std::make_unique<Tree>(params, seed);
    tree->grow();
    return tree;
}

// The whole contents of vertex buffer `source`, as floats.
std::vector<float> readFloats(const Mesh& mesh, uint16_t source) {
    HardwareVertexBuffer& buffer = *mesh.sharedVertexData->vertexBufferBinding->getBuffer(source);
    std::vector<float> floats(buffer.getSizeInBytes() / sizeof(float));
    buffer.readData(0, floats.size() * sizeof(float), floats.data());
    return floats;
}

// Bark vertices: all vertices less those of leaves and markers.
std::size_t barkVertices(const Tree& tree) {
    return std::size_t(tree.vertexCount - 2 * tree.leafTriangleCount - int32_t(VERTICES_PER_FRAME) * tree.frameCount);
}

// Vertices of one stem's bark.
std::size_t ringVertexCount(const Stem& stem) {
    std::size_t n = 0;
    for (const StemRing& ring : stem.rings) n += ring.count;
    return n;
}

// Bark vertices of a stem and everything that grows on it.
std::size_t subtreeVertexCount(const Stem& stem) {
    std::size_t n = ringVertexCount(stem);
    for (const auto& child : stem.children) n += subtreeVertexCount(*child);
    return n;
}

class WindPassTest : public ::testing::Test {
protected:
    HardwareBufferManager buffers;
    MeshManager meshes;
};

} // namespace

// The aspen's sway data: ranges, the trunk's bend from 0 at the ground to 1
// at the top, no branch sway or phase on the trunk's bark, leaf weights 0 at
// the stalk and 1 at the tip, and a phase of its own for every main branch.
// The trunk weight follows from each vertex's own height, so it also shows
// that the floats are in the mesh's vertex order.
TEST_F(WindPassTest, AspenSwayData) {
    const auto tree = growTree(TREE_QUAKING_ASPEN, 0);
    Mesh* mesh = tree->buildMesh("TreeMesh");
    ASSERT_EQ(meshChecksum(*mesh), kAspenSeed0Checksum);
    const std::vector<float> geometry = readFloats(*mesh, GEOMETRY_SOURCE);
    tree->buildWind(*mesh);

    const VertexElement* element = mesh->sharedVertexData->vertexDeclaration->findElementBySemantic(VES_SWAY);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->getSource(), WIND_SOURCE);
    EXPECT_EQ(element->getType(), VET_FLOAT4);
    const std::vector<float> wind = readFloats(*mesh, WIND_SOURCE);
    const std::size_t vertices = std::size_t(tree->vertexCount);
    ASSERT_EQ(wind.size(), 4 * vertices);

    const float inverseHeight = 1.0f / tree->extent.y;
    float highestTrunk = 0.0f;
    for (std::size_t i = 0; i < vertices; ++i) {
        for (std::size_t k = 0; k < 4; ++k) {
            ASSERT_TRUE(std::isfinite(wind[4 * i + k])) << "vertex " << i;
            ASSERT_GE(wind[4 * i + k], 0.0f) << "vertex " << i << " float " << k;
            ASSERT_LE(wind[4 * i + k], 1.0f) << "vertex " << i << " float " << k;
        }
        const float h = std::min(std::max(geometry[8 * i + 1] * inverseHeight, 0.0f), 1.0f);
        ASSERT_NEAR(wind[4 * i], h * h, 1e-6f) << "trunk weight of vertex " << i;
        highestTrunk = std::max(highestTrunk, wind[4 * i]);
    }
    EXPECT_FLOAT_EQ(highestTrunk, 1.0f) << "the highest ring bends fully";

    // The trunk's bark: its first ring stands on the ground; no branch, no phase, no leaf.
    const Stem& trunk = *tree->trunk;
    for (std::size_t i = 0; i < trunk.rings[0].count; ++i) EXPECT_EQ(wind[4 * i], 0.0f) << "base ring vertex " << i;
    for (std::size_t i = 0; i < ringVertexCount(trunk); ++i) {
        ASSERT_EQ(wind[4 * i + 1], 0.0f) << "trunk vertex " << i;
        ASSERT_EQ(wind[4 * i + 3], 0.0f) << "trunk vertex " << i;
    }
    // No bark vertex flutters.
    const std::size_t bark = barkVertices(*tree);
    for (std::size_t i = 0; i < bark; ++i) ASSERT_EQ(wind[4 * i + 2], 0.0f) << "bark vertex " << i;

    // Every main branch: its base does not swing with it, its phase is its own.
    std::set<float> phases;
    std::size_t first = ringVertexCount(trunk);
    for (const auto& branch : trunk.children) {
        const std::size_t own = first;
        first += subtreeVertexCount(*branch);
        EXPECT_LT(wind[4 * own + 1], 0.1f) << "a branch swings little at its base";
        phases.insert(wind[4 * own + 3]);
    }
    EXPECT_EQ(first, bark) << "the walk above covers the bark";
    EXPECT_EQ(phases.size(), trunk.children.size()) << "every main branch has a phase of its own";

    // Leaves: stalk corners 0, tip corners 1, in outline order.
    for (std::size_t i = bark; i < vertices; ++i) {
        const float expected = kLeafOutline[(i - bark) % 4].y;
        ASSERT_EQ(wind[4 * i + 2], expected) << "leaf vertex " << i;
        ASSERT_GT(wind[4 * i + 3], 0.0f) << "a leaf sways with its branch's phase";
    }

    // Buffers 0 and 1 and the indices are those of the mesh before the wind.
    mesh->sharedVertexData->vertexBufferBinding->unsetBinding(WIND_SOURCE);
    EXPECT_EQ(meshChecksum(*mesh), kAspenSeed0Checksum);
}

// The markers of the Simple tree stay still, and the mesh before them is unchanged.
TEST_F(WindPassTest, FrameMarkersDoNotSway) {
    const auto tree = growTree(TREE_SIMPLE, 0);
    Mesh* mesh = tree->buildMesh("TreeMesh");
    tree->buildWind(*mesh);
    const std::vector<float> wind = readFloats(*mesh, WIND_SOURCE);
    const std::size_t bark = barkVertices(*tree);
    ASSERT_GT(tree->frameCount, 0);
    for (std::size_t i = 4 * bark; i < wind.size(); ++i) ASSERT_EQ(wind[i], 0.0f) << "marker float " << i;
    bool bends = false;
    for (std::size_t i = 0; i < bark; ++i) bends = bends || wind[4 * i] > 0.5f;
    EXPECT_TRUE(bends);
    mesh->sharedVertexData->vertexBufferBinding->unsetBinding(WIND_SOURCE);
    EXPECT_EQ(meshChecksum(*mesh), kSimpleSeed0Checksum);
}

// The sway data draws nothing from the random generator, so whatever is
// drawn after it is what would have been drawn without it; built twice, it
// is the same.
TEST_F(WindPassTest, DrawsNothingAndIsTheSameEveryTime) {
    const auto plain = growTree(TREE_LOMBARDY_POPLAR, 3);
    plain->buildMesh("Plain");
    const uint32_t expected = randomState();

    const auto swaying = growTree(TREE_LOMBARDY_POPLAR, 3);
    Mesh* mesh = swaying->buildMesh("Swaying");
    swaying->buildWind(*mesh);
    EXPECT_EQ(randomState(), expected);
    const std::vector<float> once = readFloats(*mesh, WIND_SOURCE);
    swaying->buildWind(*mesh);
    EXPECT_EQ(readFloats(*mesh, WIND_SOURCE), once);
    EXPECT_EQ(mesh->sharedVertexData->vertexDeclaration->getElementCount(), 5u) << "the sway element once";
}
