// The leaf pass in two halves: the draws made in one walk, the vertex writes
// in ranges that two threads share out in any order. Every split must give
// the bytes and the generator state of the pass written in one go.
#include "LeafDraws.h"
#include "MeshLayout.h"
#include "Random.h"
#include "Tree.h"
#include "TreeParameters.h"

#include <gtest/gtest.h>

#include <algorithm> // Required for: std::min
#include <cstddef>   // Required for: std::size_t
#include <cstdint>   // Required for: int32_t, uint32_t
#include <cstring>   // Required for: std::memcmp
#include <vector>    // Required for: std::vector

using TreeMeshLayout::FLOATS_PER_VERTEX;
using TreeMeshLayout::VERTICES_PER_LEAF;

namespace {

// Vertex buffers of the leaf part, filled with a pattern no vertex has.
struct LeafBuffers {
    explicit LeafBuffers(std::size_t leaves)
        : floats(FLOATS_PER_VERTEX * VERTICES_PER_LEAF * leaves, -12345.0f),
          colours(VERTICES_PER_LEAF * leaves, 0xDEADBEEFu) {}
    bool operator==(const LeafBuffers& o) const {
        return floats.size() == o.floats.size() && colours.size() == o.colours.size() &&
               std::memcmp(floats.data(), o.floats.data(), floats.size() * sizeof(float)) == 0 &&
               std::memcmp(colours.data(), o.colours.data(), colours.size() * sizeof(uint32_t)) == 0;
    }
    std::vector<float> floats;
    std::vector<uint32_t> colours;
};

} // namespace

TEST(LeafDraws, AnySplitOfTheWritesGivesThePassInOneGo) {
    // Quaking Aspen (tree kind 1), seed 0: thousands of leaves on hundreds of
    // stems, with runs of many lengths.
    TreeParameters params(2);
    params.loadPreset(1);
    Tree tree(params, 0);
    tree.grow();
    const std::size_t leaves = static_cast<std::size_t>(tree.leafTriangleCount) / 2;
    ASSERT_GT(leaves, 1000u);
    const uint32_t start = randomState();

    // The pass as one call, the way a single thread writes it.
    LeafBuffers whole(leaves);
    {
        float* f = whole.floats.data();
        uint32_t* c = whole.colours.data();
        tree.trunk->writeLeafVertices(f, c, 0.0f);
        ASSERT_EQ(c, whole.colours.data() + whole.colours.size());
    }
    const uint32_t afterPass = randomState();
    // No sentinel is left: every vertex was written.
    for (const uint32_t colour : whole.colours) ASSERT_NE(colour, 0xDEADBEEFu);

    // Chunks of 1 start at every run's first leaf and end at every run's
    // last; the others cut runs at odd places. Written from the last chunk
    // to the first, as a helper thread might.
    for (const std::size_t chunk : {std::size_t(1), std::size_t(3), std::size_t(7), std::size_t(512), leaves}) {
        seedRandom(static_cast<int32_t>(start));
        LeafDraws draws(leaves, static_cast<std::size_t>(tree.stemCount));
        draws.draw(*tree.trunk, 0.0f);
        EXPECT_EQ(randomState(), afterPass) << "chunk " << chunk;
        ASSERT_EQ(draws.leafCount(), leaves);
        LeafBuffers split(leaves);
        const std::size_t chunks = (leaves + chunk - 1) / chunk;
        for (std::size_t k = chunks; k-- > 0;)
            draws.write(k * chunk, std::min(leaves, (k + 1) * chunk), split.floats.data(), split.colours.data());
        EXPECT_TRUE(split == whole) << "chunk " << chunk;
    }
}
