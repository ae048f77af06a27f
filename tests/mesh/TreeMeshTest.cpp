// Whole trees into engine meshes: the submesh layout, buffer sizes, index
// ranges and bounds of every species, the golden counts of the Simple tree
// and the Quaking Aspen, and the determinism of the bytes.
#include "MeshChecksum.h"
#include "MeshLayout.h"
#include "Tree.h"
#include "TreeParameters.h"
#include "TreeType.h"
#include "buffer/HardwareBufferManager.h"
#include "core/Exception.h"
#include "mesh/MeshManager.h"

#include <gtest/gtest.h>

#include <algorithm> // Required for: std::max_element, std::min_element
#include <cmath>     // Required for: std::sqrt
#include <cstdint>   // Required for: uint32_t, uint64_t
#include <memory>    // Required for: std::unique_ptr
#include <tuple>     // Required for: std::tuple
#include <vector>    // Required for: std::vector

using namespace Velk;
using namespace TreeMeshLayout;

namespace {

// A grown tree of a preset, optionally with its parameters adjusted first.
template <class Adjust = void (*)(TreeParameters&)>
std::unique_ptr<Tree> growTree(uint32_t type, int32_t seed, Adjust adjust = [](TreeParameters&) {}) {
    TreeParameters params(1);
    params.loadPreset(type);
    adjust(params);
    auto tree = std::make_unique<Tree>(params, seed);
    tree->grow();
    return tree;
}

// The indices of submesh `index`, read back from its buffer.
std::vector<uint32_t> readIndices(const Mesh& mesh, std::size_t index) {
    const IndexData& data = *mesh.getSubMesh(index)->indexData;
    std::vector<uint32_t> indices(data.indexCount);
    if (!indices.empty()) data.indexBuffer->readData(0, indices.size() * sizeof(uint32_t), indices.data());
    return indices;
}

// Bark vertices of a grown tree: all its vertices less those of leaves and markers.
uint32_t barkVertices(const Tree& tree) {
    return uint32_t(tree.vertexCount - 2 * tree.leafTriangleCount - int32_t(VERTICES_PER_FRAME) * tree.frameCount);
}

class TreeMeshTest : public ::testing::Test {
protected:
    HardwareBufferManager buffers;
    MeshManager meshes;
};

TEST_F(TreeMeshTest, SimpleTreeMesh) {
    const auto tree = growTree(TREE_SIMPLE, 0);
    ASSERT_EQ(tree->vertexCount, 1834);
    ASSERT_EQ(tree->stemTriangleCount, 752);
    ASSERT_EQ(tree->frameCount, 113);
    Mesh* mesh = tree->buildMesh("TreeMesh");
    ASSERT_EQ(meshes.getByName("TreeMesh").get(), mesh);

    const VertexData& vertices = *mesh->sharedVertexData;
    EXPECT_EQ(vertices.vertexStart, 0u);
    EXPECT_EQ(vertices.vertexCount, 1834u);
    EXPECT_EQ(vertices.vertexBufferBinding->getBuffer(0)->getSizeInBytes(), 1834u * 32u);
    EXPECT_EQ(vertices.vertexBufferBinding->getBuffer(1)->getSizeInBytes(), 1834u * 4u);
    EXPECT_EQ(vertices.vertexBufferBinding->getBuffer(0)->getUsage(), HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    EXPECT_FALSE(vertices.vertexBufferBinding->getBuffer(0)->hasShadowBuffer());

    // Bark and markers; no leaves.
    ASSERT_EQ(mesh->getNumSubMeshes(), 2u);
    EXPECT_EQ(mesh->getSubMesh(0)->indexData->indexCount, 2256u);
    EXPECT_EQ(mesh->getSubMesh(1)->indexData->indexCount, 3051u);
    const std::vector<uint32_t> markers = readIndices(*mesh, 1);
    EXPECT_EQ(markers.front(), 1834u - 12u * 113u);
    EXPECT_EQ(*std::min_element(markers.begin(), markers.end()), 478u);
    EXPECT_EQ(*std::max_element(markers.begin(), markers.end()), 1833u);
}

TEST_F(TreeMeshTest, QuakingAspenSeed0Mesh) {
    const auto tree = growTree(TREE_QUAKING_ASPEN, 0);
    ASSERT_EQ(tree->vertexCount, 130008);
    ASSERT_EQ(tree->stemTriangleCount, 36900);
    ASSERT_EQ(tree->leafTriangleCount, 52812);
    Mesh* mesh = tree->buildMesh("TreeMesh");

    EXPECT_EQ(mesh->sharedVertexData->vertexBufferBinding->getBuffer(0)->getSizeInBytes(), 130008u * 32u);
    EXPECT_EQ(mesh->sharedVertexData->vertexBufferBinding->getBuffer(1)->getSizeInBytes(), 130008u * 4u);
    ASSERT_EQ(mesh->getNumSubMeshes(), 2u);
    EXPECT_EQ(mesh->getSubMesh(0)->indexData->indexCount, 110700u);
    EXPECT_EQ(mesh->getSubMesh(1)->indexData->indexCount, 158436u);
    // 26406 leaves of four vertices follow the bark.
    const std::vector<uint32_t> leaves = readIndices(*mesh, 1);
    EXPECT_EQ(leaves.front(), 130008u - 4u * 26406u);
    EXPECT_EQ(leaves.back(), 130007u);
}

TEST_F(TreeMeshTest, VertexDeclarationIsPositionNormalTextureColour) {
    const auto tree = growTree(TREE_SIMPLE, 0);
    const Mesh* mesh = tree->buildMesh("TreeMesh");
    const auto& elements = mesh->sharedVertexData->vertexDeclaration->getElements();
    ASSERT_EQ(elements.size(), 4u);
    const struct {
        uint16_t source;
        std::size_t offset;
        VertexElementType type;
        VertexElementSemantic semantic;
    } expected[4] = {{0, 0, VET_FLOAT3, VES_POSITION},
                     {0, 12, VET_FLOAT3, VES_NORMAL},
                     {0, 24, VET_FLOAT2, VES_TEXTURE_COORDINATES},
                     {1, 0, VET_COLOUR_ARGB, VES_DIFFUSE}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(elements[i].getSource(), expected[i].source) << i;
        EXPECT_EQ(elements[i].getOffset(), expected[i].offset) << i;
        EXPECT_EQ(elements[i].getType(), expected[i].type) << i;
        EXPECT_EQ(elements[i].getSemantic(), expected[i].semantic) << i;
        EXPECT_EQ(elements[i].getIndex(), 0u) << i;
    }
}

TEST_F(TreeMeshTest, BoundsFromExtent) {
    auto tree = growTree(TREE_SIMPLE, 0);
    tree->extent = Vector3(1.0f, 4.0f, 1.0f);
    const Mesh* mesh = tree->buildMesh("TreeMesh");
    EXPECT_EQ(mesh->getBounds().getMinimum(), Vector3(-1.0f, 0.0f, -1.0f));
    EXPECT_EQ(mesh->getBounds().getMaximum(), Vector3(1.0f, 4.0f, 1.0f));
    EXPECT_FLOAT_EQ(mesh->getBoundingSphereRadius(), 0.5f * std::sqrt(24.0f));
    EXPECT_NEAR(mesh->getBoundingSphereRadius(), 2.449f, 0.001f);
}

TEST_F(TreeMeshTest, GrownBoundsEncloseEveryBarkVertex) {
    const auto tree = growTree(TREE_BLACK_TUPELO, 3);
    const Mesh* mesh = tree->buildMesh("TreeMesh");
    const AxisAlignedBox& box = mesh->getBounds();
    EXPECT_EQ(box.getMaximum(), tree->extent);
    std::vector<float> floats(FLOATS_PER_VERTEX * barkVertices(*tree));
    mesh->sharedVertexData->vertexBufferBinding->getBuffer(0)->readData(0, floats.size() * sizeof(float), floats.data());
    for (std::size_t i = 0; i < floats.size(); i += FLOATS_PER_VERTEX) {
        ASSERT_LE(floats[i], box.getMaximum().x) << i;
        ASSERT_LE(floats[i + 1], box.getMaximum().y) << i;
        ASSERT_LE(floats[i + 2], box.getMaximum().z) << i;
    }
}

TEST_F(TreeMeshTest, SimpleTreeWithLeavesHasThreeSubMeshes) {
    const auto tree = growTree(TREE_SIMPLE, 0, [](TreeParameters& p) {
        p.leaves = 6;
        p.leafQuality = 1.0f;
        p.leafScale = 0.5f;
        p.leafScaleX = 0.5f;
    });
    ASSERT_GT(tree->leafCount, 0);
    ASSERT_GT(tree->leafTriangleCount, 0);
    const Mesh* mesh = tree->buildMesh("TreeMesh");
    ASSERT_EQ(mesh->getNumSubMeshes(), 3u);
    EXPECT_EQ(mesh->getSubMesh(0)->indexData->indexCount, 3u * uint32_t(tree->stemTriangleCount));
    EXPECT_EQ(mesh->getSubMesh(1)->indexData->indexCount, 3u * uint32_t(tree->leafTriangleCount));
    EXPECT_EQ(mesh->getSubMesh(2)->indexData->indexCount, 27u * uint32_t(tree->frameCount));
    const uint32_t bark = barkVertices(*tree);
    EXPECT_EQ(readIndices(*mesh, 1).front(), bark);
    EXPECT_EQ(readIndices(*mesh, 2).front(), bark + 2u * uint32_t(tree->leafTriangleCount));
}

TEST_F(TreeMeshTest, LeaflessTreeOfAnotherTypeHasBarkOnly) {
    const auto tree = growTree(TREE_QUAKING_ASPEN, 0, [](TreeParameters& p) { p.leaves = 0; });
    ASSERT_EQ(tree->leafCount, 0);
    const Mesh* mesh = tree->buildMesh("TreeMesh");
    EXPECT_EQ(mesh->getNumSubMeshes(), 1u);
}

TEST_F(TreeMeshTest, OneLevelTreeGetsNoLeavesWhateverItsLeafParameter) {
    const auto tree = growTree(TREE_QUAKING_ASPEN, 0, [](TreeParameters& p) { p.setLevels(1); p.levels = 1; });
    ASSERT_GT(tree->params->leaves, 0);
    ASSERT_EQ(tree->leafCount, 0);
    const Mesh* mesh = tree->buildMesh("TreeMesh");
    ASSERT_EQ(mesh->getNumSubMeshes(), 1u);
    EXPECT_EQ(mesh->getSubMesh(0)->indexData->indexCount, 3u * uint32_t(tree->stemTriangleCount));
}

TEST_F(TreeMeshTest, ATakenNameIsAnEngineError) {
    const auto tree = growTree(TREE_SIMPLE, 0);
    tree->buildMesh("TreeMesh");
    EXPECT_THROW(tree->buildMesh("TreeMesh"), Exception);
    meshes.remove("TreeMesh");
    EXPECT_NO_THROW(tree->buildMesh("TreeMesh"));
}

TEST(TreeMeshWithoutEngineTest, BuildingWithoutManagersIsAnEngineError) {
    const auto tree = growTree(TREE_SIMPLE, 0);
    EXPECT_THROW(tree->buildMesh("TreeMesh"), Exception);
    MeshManager meshes;
    // The mesh manager alone is not enough: buffers need their manager.
    EXPECT_THROW(tree->buildMesh("TreeMesh"), Exception);
}

TEST_F(TreeMeshTest, TheMeshOutlivesItsTree) {
    auto tree = growTree(TREE_SIMPLE, 0);
    tree->buildMesh("TreeMesh");
    tree.reset();
    const MeshPtr mesh = meshes.getByName("TreeMesh");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(readIndices(*mesh, 1).size(), 3051u);
}

// Checksums over both vertex buffers and all index buffers; any change to
// growth, the passes or the layout changes them. To regenerate after an
// intended change (growth included): `treegen stats --species <n> --seed 0`
// prints the checksum as meshChecksum.
constexpr uint64_t kSimpleChecksum = 0x89eb0d301fa092b0ull;
constexpr uint64_t kAspenSeed0Checksum = 0xbab0745aa60b5e74ull;

TEST_F(TreeMeshTest, SameTreeSameBytesWithinOneProcess) {
    for (uint32_t type : {uint32_t(TREE_SIMPLE), uint32_t(TREE_QUAKING_ASPEN)}) {
        const auto first = growTree(type, 0);
        const uint64_t a = meshChecksum(*first->buildMesh("First"));
        const auto second = growTree(type, 0);
        const uint64_t b = meshChecksum(*second->buildMesh("Second"));
        EXPECT_EQ(a, b) << "type " << type;
        meshes.removeAll();
    }
}

TEST_F(TreeMeshTest, SameTreeSameBytesAcrossProcessesAndBuilds) {
    const auto simple = growTree(TREE_SIMPLE, 0);
    EXPECT_EQ(meshChecksum(*simple->buildMesh("Simple")), kSimpleChecksum);
    const auto aspen = growTree(TREE_QUAKING_ASPEN, 0);
    EXPECT_EQ(meshChecksum(*aspen->buildMesh("Aspen")), kAspenSeed0Checksum);
}

// Every species with several seeds.
class SpeciesMeshTest : public ::testing::TestWithParam<std::tuple<uint32_t, int32_t>> {
protected:
    HardwareBufferManager buffers;
    MeshManager meshes;
};

// The passes run on plain memory, one element longer than the counters
// say: the cursors must stop exactly before the spare element.
TEST_P(SpeciesMeshTest, CursorsEndExactlyAtTheBufferEnds) {
    const auto [type, seed] = GetParam();
    const auto tree = growTree(type, seed);
    const std::size_t vertices = std::size_t(tree->vertexCount);
    std::vector<float> floats(FLOATS_PER_VERTEX * vertices + 1, -1.0f);
    std::vector<uint32_t> colours(vertices + 1, 0x12345678u);
    float* f = floats.data();
    uint32_t* c = colours.data();
    tree->trunk->writeStemVertices(f, c);
    const uint32_t bark = barkVertices(*tree);
    EXPECT_EQ(c, colours.data() + bark);
    if (tree->leafCount > 0) tree->trunk->writeLeafVertices(f, c, 0.0f);
    EXPECT_EQ(c, colours.data() + bark + 2 * std::size_t(tree->leafTriangleCount));
    if (hasFrameMarkers(*tree->params)) tree->trunk->writeFrameVertices(f, c);
    EXPECT_EQ(f, floats.data() + FLOATS_PER_VERTEX * vertices);
    EXPECT_EQ(c, colours.data() + vertices);
    EXPECT_EQ(floats.back(), -1.0f);
    EXPECT_EQ(colours.back(), 0x12345678u);

    const auto checkIndexPass = [](std::size_t count, uint32_t& base, auto pass) {
        std::vector<uint32_t> indices(count + 1, 0xFFFFFFFFu);
        uint32_t* cursor = indices.data();
        pass(cursor, base);
        EXPECT_EQ(cursor, indices.data() + count);
        EXPECT_EQ(indices.back(), 0xFFFFFFFFu);
    };
    uint32_t base = 0;
    checkIndexPass(3 * std::size_t(tree->stemTriangleCount), base,
                   [&](uint32_t*& i, uint32_t& b) { tree->trunk->writeStemIndices(i, b); });
    EXPECT_EQ(base, bark);
    if (tree->leafCount > 0)
        checkIndexPass(3 * std::size_t(tree->leafTriangleCount), base,
                       [&](uint32_t*& i, uint32_t& b) { tree->trunk->writeLeafIndices(i, b); });
    if (hasFrameMarkers(*tree->params))
        checkIndexPass(27 * std::size_t(tree->frameCount), base,
                       [&](uint32_t*& i, uint32_t& b) { tree->trunk->writeFrameIndices(i, b); });
    EXPECT_EQ(base, vertices);
}

TEST_P(SpeciesMeshTest, SubMeshLayoutAndIndexRanges) {
    const auto [type, seed] = GetParam();
    const auto tree = growTree(type, seed);
    const Mesh* mesh = tree->buildMesh("TreeMesh");
    const uint32_t vertices = uint32_t(tree->vertexCount);
    const uint32_t bark = barkVertices(*tree);
    const uint32_t leafVertices = 2 * uint32_t(tree->leafTriangleCount);
    const bool hasLeaves = tree->leafCount > 0;
    const bool hasMarkers = type == TREE_SIMPLE;

    // Each part's first and last vertex number, in submesh order.
    struct Part {
        std::size_t indexCount;
        uint32_t first, end;
    };
    std::vector<Part> parts = {{3 * std::size_t(tree->stemTriangleCount), 0, bark}};
    if (hasLeaves) parts.push_back({3 * std::size_t(tree->leafTriangleCount), bark, bark + leafVertices});
    if (hasMarkers) parts.push_back({27 * std::size_t(tree->frameCount), bark + leafVertices, vertices});
    ASSERT_EQ(parts.back().end, vertices);
    ASSERT_EQ(mesh->getNumSubMeshes(), parts.size());

    for (std::size_t s = 0; s < parts.size(); ++s) {
        const SubMesh* subMesh = mesh->getSubMesh(s);
        EXPECT_TRUE(subMesh->useSharedVertices);
        EXPECT_EQ(subMesh->operationType, OT_TRIANGLE_LIST);
        EXPECT_EQ(subMesh->indexData->indexStart, 0u);
        ASSERT_EQ(subMesh->indexData->indexCount, parts[s].indexCount) << "submesh " << s;
        if (parts[s].indexCount == 0) continue;
        EXPECT_EQ(subMesh->indexData->indexBuffer->getType(), HardwareIndexBuffer::INDEX_32BIT);
        const std::vector<uint32_t> indices = readIndices(*mesh, s);
        EXPECT_EQ(*std::min_element(indices.begin(), indices.end()), parts[s].first) << "submesh " << s;
        EXPECT_EQ(*std::max_element(indices.begin(), indices.end()), parts[s].end - 1) << "submesh " << s;
        if (s > 0) {
            EXPECT_EQ(indices.front(), parts[s].first) << "submesh " << s;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EverySpecies, SpeciesMeshTest,
                         ::testing::Combine(::testing::Range<uint32_t>(0, TREE_TYPE_COUNT),
                                            ::testing::Values(0, 1, 4242)),
                         [](const auto& info) {
                             return "type" + std::to_string(std::get<0>(info.param)) + "_seed" +
                                    std::to_string(std::get<1>(info.param));
                         });

} // namespace
