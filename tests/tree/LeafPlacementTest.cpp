// The corner helper of growth: leaves handed over as runs, placed on a helper
// thread and by the growing thread at the end, must get exactly the corners
// they get on one thread, whatever the split between the threads.
#include "LeafPlacement.h"
#include "PendingLeaf.h"

#include <gtest/gtest.h>

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint32_t
#include <cstring> // Required for: std::memcmp
#include <vector>  // Required for: std::vector

using Velk::Quaternion;
using Velk::Vector3;

namespace {

// Stem points turned every which way, for leaves to hang from.
std::vector<StemPoint> turnedPoints() {
    std::vector<StemPoint> points;
    for (int i = 0; i < 37; ++i) {
        const Quaternion turn = Quaternion::FromAngleAxis(0.37f * float(i), Vector3{0.0f, 1.0f, 0.0f}) *
                                Quaternion::FromAngleAxis(0.11f * float(i % 7), Vector3{1.0f, 0.0f, 0.0f});
        points.push_back({turn, {0.0f, 0.25f, 0.0f}, {0.1f * float(i), 2.0f + 0.05f * float(i), -0.3f}});
    }
    return points;
}

// `runs` runs of 0 to 8 leaves, every leaf holding pending data drawn from
// its number; the leaves of run r start at leaves[firsts[r]].
struct PendingTree {
    explicit PendingTree(std::size_t runCount) : points(turnedPoints()) {
        for (std::size_t r = 0; r < runCount; ++r) {
            firsts.push_back(counts.size() == 0 ? 0 : firsts.back() + counts.back());
            counts.push_back(static_cast<uint32_t>((r * 5) % 9));
        }
        leaves.resize(firsts.back() + counts.back());
        for (std::size_t i = 0; i < leaves.size(); ++i) {
            holdPending(leaves[i], &points[i % points.size()], 0.01f * float(i % 25), 0.7f * float(i),
                        0.2f + 0.001f * float(i % 300), HalfAngle{});
        }
    }
    PendingRun run(std::size_t r) { return {leaves.data() + firsts[r], counts[r], 0.3f, 0.45f}; }

    std::vector<StemPoint> points;
    std::vector<std::size_t> firsts;
    std::vector<uint32_t> counts;
    std::vector<Leaf> leaves;
};

// The corners of every leaf, as one thread places them run by run.
std::vector<Leaf> placedAlone(std::size_t runCount) {
    PendingTree tree(runCount);
    for (std::size_t r = 0; r < runCount; ++r) {
        const PendingRun run = tree.run(r);
        placeLeaves({&run, 1});
    }
    return tree.leaves;
}

bool sameBytes(const std::vector<Leaf>& a, const std::vector<Leaf>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Leaf)) == 0;
}

} // namespace

TEST(LeafPlacement, RunsGetTheCornersOfOneThreadHoweverTheyAreShared) {
    // 3000 runs, about 12000 leaves: many publications and claims. Each case
    // gives the helper a different share; the corners must not change.
    constexpr std::size_t RUNS = 3000;
    const std::vector<Leaf> expected = placedAlone(RUNS);
    // Corners were written over the pending data: no leaf kept its input.
    const PendingTree untouched(RUNS);
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_NE(std::memcmp(&expected[i], &untouched.leaves[i], sizeof(Leaf)), 0) << "leaf " << i;

    struct Case {
        const char* name;
        std::size_t slots; // runs that fit; the rest are placed at once by add()
        bool parallel;
    };
    for (const Case c : {Case{"helper thread", RUNS, true}, Case{"one thread", RUNS, false},
                         Case{"helper, slots run out half way", RUNS / 2, true},
                         Case{"helper, no slots at all", 0, true}}) {
        PendingTree tree(RUNS);
        std::vector<PendingRun> slots(c.slots);
        {
            LeafPlacement placement(slots, c.parallel);
            for (std::size_t r = 0; r < RUNS; ++r) placement.add(tree.run(r));
            placement.finish();
        }
        EXPECT_TRUE(sameBytes(tree.leaves, expected)) << c.name;
    }
}
