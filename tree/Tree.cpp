#include "Tree.h"

#include "LeafPlacement.h"
#include "Random.h"

#include "math/Math.h"

#include <algorithm> // Required for: std::max, std::min
#include <cmath>     // Required for: std::sin, std::cos
#include <limits>    // Required for: std::numeric_limits
#include <thread>    // Required for: std::thread::hardware_concurrency

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

// Below this many leaves a helper thread costs more than it saves.
constexpr int64_t PARALLEL_MIN_LEAVES = 4096;

} // namespace

void Tree::grow() {
    if (overBudget_) return;
    // The random draws of every leaf are made in order as the stems grow;
    // the corners that follow from them are worked out beside growth. Each
    // last-level stem hands its leaves over as one run, so a slot per stem
    // the structure pass counted holds them all.
    const int64_t foreseenLeaves = int64_t(std::max(leafCount, 0)) + std::max(stemCount, 0);
    // Raw arena memory: add() constructs each slot before any thread reads
    // it, so zeroing it first would only cost time. The arena frees it with
    // the tree.
    const size_t slotCount = static_cast<size_t>(std::max(stemCount, 0));
    PendingRun* const slotMemory =
        static_cast<PendingRun*>(arena_.allocate(slotCount * sizeof(PendingRun), alignof(PendingRun)));
    static const bool severalCores = std::thread::hardware_concurrency() > 1;
    LeafPlacement placement({slotMemory, slotCount}, severalCores && foreseenLeaves >= PARALLEL_MIN_LEAVES);
    leafPlacement_ = &placement;
    struct Reset { // also when growth throws
        LeafPlacement*& target;
        ~Reset() { target = nullptr; }
    } reset{leafPlacement_};
    const StemPoint start{Velk::Quaternion::IDENTITY, Velk::Vector3::ZERO, Velk::Vector3::ZERO};
    trunk->grow(start, trunkRadius, 0);
    placement.finish();
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
