// Every species at several seeds against the counters and mesh checksums
// the generator gave before the growth and mesh passes were tuned for speed
// (taken with `treegen stats --all --json --seed <n>` on the code of commit
// a4ac2b1, before any of that work). Faster code must give the same trees:
// the same stems, leaves and counters, and the same mesh bytes.
#include "MeshChecksum.h"
#include "StemWalk.h"
#include "Tree.h"
#include "TreeParameters.h"
#include "buffer/HardwareBufferManager.h"
#include "mesh/MeshManager.h"

#include <gtest/gtest.h>

#include <cstdint> // Required for: int32_t, int64_t, uint32_t, uint64_t

namespace {

struct GoldenTree {
    uint32_t species;
    int32_t seed;
    int32_t stems, leafCount;
    int64_t leavesCreated;
    int32_t vertices, stemTriangles, leafTriangles, frames;
    uint64_t checksum; // meshChecksum of the built mesh
};

constexpr GoldenTree kGolden[] = {
    {0, 0,       25,      0,      0,   1834,    752,      0, 113, 0x89eb0d301fa092b0ull}, // Simple
    {1, 0,     1458,  26423,  26406, 130008,  36900,  52812,   0, 0xbab0745aa60b5e74ull}, // Quaking Aspen
    {2, 0,    10073,  50661,  50580, 326208, 180996, 101160,   0, 0x33396f798826b774ull}, // Black Tupelo
    {3, 0,    19026, 140750, 140706, 697782, 154068, 281412,   0, 0x30fed9b120cf293bull}, // Weeping Willow
    {4, 0,      966,  17367,  17340,  85360,  24072,  34680,   0, 0xaa5db4783b843e40ull}, // Lombardy Poplar
    {5, 0,       34,   8147,   8147,  36332,   6928,  16294,   0, 0xc64e853d30848674ull}, // Palm
    {6, 0,     2101,  76547,  76520, 378536, 127824, 153040,   0, 0xe979326b90d54f32ull}, // European Larch
    {0, 1,       25,      0,      0,   1834,    752,      0, 113, 0x7af4ef48246ef01aull}, // Simple
    {1, 1,     1458,  26423,  26399, 129980,  36900,  52798,   0, 0x0e1cbe98a490e015ull}, // Quaking Aspen
    {2, 1,    10072,  50656,  50582, 326210, 180990, 101164,   0, 0x84e2ac90280b3eeaull}, // Black Tupelo
    {3, 1,    19026, 140750, 140710, 697798, 154068, 281420,   0, 0x2b6013cfcdca8763ull}, // Weeping Willow
    {4, 1,      966,  17367,  17344,  85376,  24072,  34688,   0, 0xd7cf259bdd5aafb7ull}, // Lombardy Poplar
    {5, 1,       34,   8147,   8147,  36332,   6928,  16294,   0, 0x23bc759ae6977651ull}, // Palm
    {6, 1,     2101,  76547,  76514, 378512, 127824, 153028,   0, 0x8ffcaa0f761aebb0ull}, // European Larch
    {0, 7,       25,      0,      0,   1834,    752,      0, 113, 0x34ad4cc419f8c062ull}, // Simple
    {1, 7,     1458,  26423,  26398, 129976,  36900,  52796,   0, 0x6df9c9c004205d9dull}, // Quaking Aspen
    {2, 7,    10072,  50654,  50593, 326254, 180990, 101186,   0, 0x1aa5122926f25493ull}, // Black Tupelo
    {3, 7,    19026, 140750, 140707, 697786, 154068, 281414,   0, 0xc8399e885041e486ull}, // Weeping Willow
    {4, 7,      966,  17367,  17350,  85400,  24072,  34700,   0, 0xc1679d70bd84b071ull}, // Lombardy Poplar
    {5, 7,       34,   8147,   8147,  36332,   6928,  16294,   0, 0xcf0802d7ccc3a1d9ull}, // Palm
    {6, 7,     2101,  76547,  76519, 378532, 127824, 153038,   0, 0x88bd735bed95d553ull}, // European Larch
    {0, 4711,    25,      0,      0,   1834,    752,      0, 113, 0x5ae25169f5179209ull}, // Simple
    {1, 4711,  1458,  26423,  26400, 129984,  36900,  52800,   0, 0xc5a5afc54ca01a18ull}, // Quaking Aspen
    {2, 4711, 10073,  50661,  50591, 326252, 180996, 101182,   0, 0x71f63c2344f34607ull}, // Black Tupelo
    {3, 4711, 19026, 140750, 140713, 697810, 154068, 281426,   0, 0x05acc3b491c2ae25ull}, // Weeping Willow
    {4, 4711,   966,  17367,  17346,  85384,  24072,  34692,   0, 0x7c22340e294b190bull}, // Lombardy Poplar
    {5, 4711,    34,   8147,   8147,  36332,   6928,  16294,   0, 0xb344ba61c1b2f73cull}, // Palm
    {6, 4711,  2101,  76547,  76519, 378532, 127824, 153038,   0, 0xefa1c480b2c999d8ull}, // European Larch
};

} // namespace

TEST(GrowthAndMeshGolden, EverySpeciesAtSeveralSeedsKeepsItsCountersAndBytes) {
    Velk::HardwareBufferManager buffers;
    Velk::MeshManager meshes;
    for (const GoldenTree& g : kGolden) {
        TreeParameters params(2);
        params.loadPreset(g.species);
        Tree tree(params, g.seed);
        tree.grow();
        SCOPED_TRACE(testing::Message() << params.getTypeName() << ", seed " << g.seed);
        EXPECT_EQ(tree.stemCount, g.stems);
        EXPECT_EQ(tree.leafCount, g.leafCount);
        EXPECT_EQ(countLeaves(*tree.trunk), g.leavesCreated);
        EXPECT_EQ(tree.vertexCount, g.vertices);
        EXPECT_EQ(tree.stemTriangleCount, g.stemTriangles);
        EXPECT_EQ(tree.leafTriangleCount, g.leafTriangles);
        EXPECT_EQ(tree.frameCount, g.frames);
        EXPECT_EQ(meshChecksum(*tree.buildMesh("TreeMesh")), g.checksum);
        meshes.removeAll();
    }
}
