#include "Tree.h"

#include "HelperJob.h"
#include "LeafPlacement.h"
#include "PendingLeaf.h"
#include "Random.h"

#include "math/Math.h"

#include <algorithm>    // Required for: std::max, std::min
#include <atomic>       // Required for: std::atomic
#include <cmath>        // Required for: std::sin, std::cos
#include <limits>       // Required for: std::numeric_limits
#include <optional>     // Required for: std::optional
#include <system_error> // Required for: std::system_error
#include <thread>       // Required for: std::this_thread::yield
#include <vector>       // Required for: std::vector

Tree::Tree(const TreeParameters& parameters, int32_t seed, std::pmr::memory_resource* memory,
           uint64_t vertexBudget)
    : arena_(memory), vertexBudget_(vertexBudget) {
    seedRandom(seed == -1 ? clockSeed() : seed);
    params = parameters.clone();
    trunk = makeStem(this);

    const TreeParameters& p = *params;
    treeScale = static_cast<float>(double(p.scale) + randVar(p.scaleV));
    trunkLength = static_cast<float>((double(p.length[0]) + randVar(p.lengthV[0])) * treeScale);
    trunkRadius = static_cast<float>(double(p.scale0) * p.ratio * trunkLength);
    trunk->setup(nullptr, trunkLength, 0.0f, 0);
}

// The stems are not destroyed one by one: every stem and every list of a
// stem lives in the arena and holds nothing else, so the arena (destroyed
// last, with the tree) frees them all at once. Running tens of thousands of
// destructors that hand memory back to an arena which ignores it would be
// wasted time.
Tree::~Tree() {
    params.reset();
    (void)trunk.release();
}

namespace {

// Below this many leaves a second thread costs more than it saves.
constexpr int64_t PARALLEL_MIN_LEAVES = 4096;

} // namespace

void Tree::grow(GrowthThreads threads) {
    if (overBudget_) return;
    const TreeParameters& p = *params;
    // The ring profiles of every level are made before any stem grows, so
    // that growing threads only read them.
    for (size_t level = 0; level < p.ringVertices.size() && level < p.levels; ++level)
        ringProfile(p.ringVertices[level]);
    // So are the leaves' tilts; leaves grow on the last level.
    if (p.levels >= 1 && leafCount > 0)
        leafTilts_ = LeafTilts(p, static_cast<uint8_t>(p.levels - 1), leafCount);

    const int64_t foreseenLeaves = int64_t(std::max(leafCount, 0)) + std::max(stemCount, 0);
    const bool large = HelperJob::helps() && foreseenLeaves >= PARALLEL_MIN_LEAVES;
    GrowthShare share;
    share.extent = extent;
    if (threads == GrowthThreads::TwoThreads || (threads == GrowthThreads::Automatic && large)) {
        if (growSharingTrunkChildren(share)) {
            add(share);
            return;
        }
    }
    // The random draws of every leaf are made in order as the stems grow;
    // with a second thread, the corners that follow from them are worked out
    // beside growth.
    LeafPlacement placement(leafSlots(), threads == GrowthThreads::Automatic && large);
    share.placement = &placement;
    const StemPoint start{Velk::Quaternion::IDENTITY, Velk::Vector3::ZERO, Velk::Vector3::ZERO};
    trunk->grow(start, trunkRadius, 0, share);
    placement.finish();
    add(share);
}

std::span<PendingRun> Tree::leafSlots() {
    // Each last-level stem hands its leaves over as one run, so a slot per
    // stem the structure pass counted holds them all. Raw arena memory: the
    // placement constructs each slot before any thread reads it, so zeroing
    // it first would only cost time. The arena frees it with the tree.
    const size_t count = static_cast<size_t>(std::max(stemCount, 0));
    return {static_cast<PendingRun*>(arena_.allocate(count * sizeof(PendingRun), alignof(PendingRun))), count};
}

// The trunk grows on the calling thread, which then places the trunk's
// children one after another, making the draws that place each and jumping
// the generator over the draws of the child's own growth, whose number the
// stems' plan gives. Each child is ready to grow once it is placed and its
// lists are reserved: both threads take ready children in order and grow
// each from the generator state it would have had on one thread, so every
// draw, and so every stem and leaf, is what one thread would make. Only the
// calling thread takes memory, and it reserves a child's lists before
// anyone grows it.
bool Tree::growSharingTrunkChildren(GrowthShare& share) {
    const TreeParameters& p = *params;
    const size_t n = trunk->children.size();
    if (p.levels < 2 || n < 2) return false;
    std::vector<ChildStart> starts(n);
    std::vector<uint32_t> startStates(n);
    const std::span<PendingRun> slots[2] = {leafSlots(), leafSlots()};

    const StemPoint start{Velk::Quaternion::IDENTITY, Velk::Vector3::ZERO, Velk::Vector3::ZERO};
    trunk->growSpine(start, trunkRadius, 0, share);

    GrowthShare second;
    second.extent = share.extent;
    LeafPlacement placements[2] = {LeafPlacement(slots[0], false), LeafPlacement(slots[1], false)};
    share.placement = &placements[0];
    second.placement = &placements[1];
    std::atomic<size_t> ready{0}; // children placed and reserved
    std::atomic<size_t> taken{0}; // children some thread has taken
    std::atomic<bool> stop{false}; // the calling thread failed: take no more
    const auto growTaken = [&](GrowthShare& into) {
        for (size_t i; (i = taken.fetch_add(1, std::memory_order_relaxed)) < n;) {
            while (ready.load(std::memory_order_acquire) <= i) {
                if (stop.load(std::memory_order_relaxed)) return;
                std::this_thread::yield();
            }
            setRandomState(startStates[i]);
            trunk->children[i]->grow(starts[i].frame, starts[i].radius, 1, into);
        }
        into.placement->finish();
    };
    uint32_t endState = 0;
    {
        std::optional<HelperJob> helper;
        try {
            helper.emplace([&] { growTaken(second); });
        } catch (const std::system_error&) {
            // No thread to be had: this one grows every child.
        }
        try {
            // What Stem::growChildren draws, child after child.
            double rot = randVar(Velk::Math::PI);
            for (size_t i = 0; i < n; ++i) {
                Stem& child = *trunk->children[i];
                starts[i] = trunk->placeChild(0, i + 1, rot);
                startStates[i] = randomState();
                setRandomState(advancedState(startStates[i], child.growthSteps(1)));
                child.reserveGrowth(1);
                ready.store(i + 1, std::memory_order_release);
            }
            endState = randomState();
            growTaken(share);
        } catch (...) {
            stop.store(true); // the helper stops before its next child; ~HelperJob waits for it
            throw;
        }
        if (helper) helper->wait();
        else second.placement->finish();
    }
    setRandomState(endState);
    add(second);
    return true;
}

void Tree::add(const GrowthShare& share) {
    vertexCount += share.vertexCount;
    stemTriangleCount += share.stemTriangleCount;
    leafTriangleCount += share.leafTriangleCount;
    frameCount += share.frameCount;
    // Every share starts from the same extent and only ever raises it, so
    // the largest of the shares is the largest over every vertex.
    extent = {std::max(extent.x, share.extent.x), std::max(extent.y, share.extent.y),
              std::max(extent.z, share.extent.z)};
}

const Tree::RingProfile& Tree::ringProfile(int32_t sides) {
    for (const RingProfile& profile : ringProfiles_)
        if (profile.sides == sides) return profile;
    RingProfile& profile = ringProfiles_.emplace_back();
    profile.sides = sides;
    const double step = 2.0 * double(Velk::Math::PI) / sides;
    for (int32_t k = 0; k < sides; ++k) {
        const double a = k * step;
        profile.cosines.push_back(std::cos(a));
        profile.sines.push_back(std::sin(a));
        profile.lobeFactors.push_back(1.0 + double(params->lobeDepth) *
                                                std::sin(double(params->lobes) * k * step));
    }
    // Zeros up to a whole group of four vertices, which a ring is made in.
    const size_t padded = (static_cast<size_t>(std::max(sides, 0)) + 3) / 4 * 4;
    for (std::vector<double>* values : {&profile.cosines, &profile.sines, &profile.lobeFactors})
        values->resize(padded, 0.0);
    return profile;
}

bool Tree::planStem(uint8_t level, int64_t leaves) {
    const TreeParameters& p = *params;
    // The points and rings Stem::grow will make, counted the way it counts them.
    const uint64_t points = 1 + uint64_t(std::max(p.curveRes[level], 0)) + (level == 0 ? 8 : 0);
    uint64_t perPoint = uint64_t(std::max(p.ringVertices[level], 0));
    if (hasFrameMarkers(p)) perPoint += FRAME_VERTICES;
    // Each term is far below 2^64: points and perPoint are 32-bit, leaves 31-bit.
    const uint64_t vertices = points * perPoint + 4 * uint64_t(std::max<int64_t>(leaves, 0));
    const uint64_t most = std::numeric_limits<uint64_t>::max();
    plannedVertices_ = vertices > most - plannedVertices_ ? most : plannedVertices_ + vertices;
    if (plannedVertices_ > vertexBudget_ || uint64_t(stemCount) > stemBudget()) overBudget_ = true;
    return !overBudget_;
}

bool Tree::planChildren(int64_t count) {
    if (count > 0 && uint64_t(count) > stemBudget() - std::min(uint64_t(stemCount), stemBudget()))
        overBudget_ = true;
    return !overBudget_;
}

uint64_t Tree::stemBudget() const {
    // A stem record weighs about as much as eight mesh vertices; the cap keeps
    // stems with few or no vertices from filling memory in the structure pass.
    return std::max<uint64_t>(vertexBudget_ / 8, 1);
}
