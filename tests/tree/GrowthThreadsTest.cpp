// A tree grown on two threads is the tree grown on one, to the bit: every
// stem's spine, rings and leaves, every counter, the extent and the
// generator's state after growth (where the mesh's draws continue).
#include "StemWalk.h"
#include "Random.h"
#include "TreeTestSupport.h"
#include "TreeType.h"

#include <gtest/gtest.h>

#include <cmath>      // Required for: std::abs
#include <cstring>    // Required for: std::memcmp
#include <functional> // Required for: std::function
#include <string>     // Required for: std::string
#include <vector>     // Required for: std::vector

namespace {

// Compares two trees grown from the same parameters and seed.
void expectSameTree(const Tree& a, const Tree& b, const std::string& what) {
    EXPECT_EQ(a.vertexCount, b.vertexCount) << what;
    EXPECT_EQ(a.stemTriangleCount, b.stemTriangleCount) << what;
    EXPECT_EQ(a.leafTriangleCount, b.leafTriangleCount) << what;
    EXPECT_EQ(a.frameCount, b.frameCount) << what;
    EXPECT_EQ(std::memcmp(&a.extent, &b.extent, sizeof a.extent), 0) << what;
    std::vector<const Stem*> stemsA, stemsB;
    forEachStem(*a.trunk, 0, [&](const Stem& s, uint8_t) { stemsA.push_back(&s); });
    forEachStem(*b.trunk, 0, [&](const Stem& s, uint8_t) { stemsB.push_back(&s); });
    ASSERT_EQ(stemsA.size(), stemsB.size()) << what;
    const auto sameBytes = [](const auto& x, const auto& y) {
        return x.size() == y.size() && (x.empty() || std::memcmp(x.data(), y.data(), x.size() * sizeof x[0]) == 0);
    };
    for (size_t i = 0; i < stemsA.size(); ++i) {
        const Stem& s = *stemsA[i];
        const Stem& t = *stemsB[i];
        ASSERT_TRUE(sameBytes(s.points, t.points)) << what << ", stem " << i;
        ASSERT_TRUE(sameBytes(s.ringVertexStore, t.ringVertexStore)) << what << ", stem " << i;
        ASSERT_TRUE(sameBytes(s.leaves, t.leaves)) << what << ", stem " << i;
        ASSERT_EQ(s.radius, t.radius) << what << ", stem " << i;
    }
}

// Grows the tree of `params` and `seed` with `threads`; `state` receives
// the generator's state after growth.
std::unique_ptr<Tree> grown(const TreeParameters& params, int32_t seed, GrowthThreads threads, uint32_t& state) {
    auto tree = std::make_unique<Tree>(params, seed);
    tree->grow(threads);
    state = randomState();
    return tree;
}

} // namespace

TEST(GrowthThreads, TwoThreadsGrowTheTreeOneThreadGrows) {
    // Every species at three seeds, and parameter sets whose draws differ
    // from the presets': variations of zero draw nothing, a negative down
    // angle variation is a shape, not a draw.
    struct Change {
        const char* name;
        std::function<void(TreeParameters&)> apply;
    };
    const std::vector<Change> changes = {
        {"presets", [](TreeParameters&) {}},
        {"no variation", [](TreeParameters& p) {
             for (auto* v : {&p.rotateV, &p.downAngleV, &p.lengthV, &p.curveV})
                 for (float& x : *v) x = 0.0f;
         }},
        {"conical down angles", [](TreeParameters& p) {
             for (float& x : p.downAngleV) x = -std::abs(x) - 10.0f;
         }},
    };
    for (const Change& change : changes) {
        for (uint32_t species = 0; species < TREE_TYPE_COUNT; ++species) {
            for (const int32_t seed : {0, 1, 4711}) {
                TreeParameters params(2);
                params.loadPreset(species);
                change.apply(params);
                const std::string what = std::string(change.name) + ", species " + std::to_string(species) +
                                         ", seed " + std::to_string(seed);
                uint32_t oneState = 0, twoState = 0, autoState = 0;
                const auto one = grown(params, seed, GrowthThreads::CallingThread, oneState);
                const auto two = grown(params, seed, GrowthThreads::TwoThreads, twoState);
                const auto automatic = grown(params, seed, GrowthThreads::Automatic, autoState);
                EXPECT_EQ(oneState, twoState) << what;
                EXPECT_EQ(oneState, autoState) << what;
                expectSameTree(*one, *two, what + ", two threads");
                expectSameTree(*one, *automatic, what + ", automatic");
            }
        }
    }
}
