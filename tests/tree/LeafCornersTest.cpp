// Leaf corners worked out four leaves at a time must have the bits of one
// leaf at a time and of the engine's quaternion arithmetic, whatever the
// inputs: zeros of either sign, turns of many revolutions, batches that end
// part way.
#include "LeafCorners.h"
#include "LeafPlacement.h"
#include "PendingLeaf.h"

#include <gtest/gtest.h>

#include <algorithm> // Required for: std::min
#include <array>   // Required for: std::array
#include <bit>     // Required for: std::bit_cast
#include <cmath>   // Required for: std::cos, std::sin, std::nanf
#include <cstdint> // Required for: uint32_t
#include <cstring> // Required for: std::memcmp
#include <random>  // Required for: std::mt19937, std::uniform_real_distribution
#include <vector>  // Required for: std::vector

using Velk::Quaternion;
using Velk::Vector3;

namespace {

struct Inputs {
    StemPoint point;
    float along, turn, tilt, width, height;
};

// The corners as growth has always worked them out, in the engine's types:
// the leaf's frame, then its origin and the two edge columns of its turn.
std::array<Vector3, 4> engineCorners(const Inputs& in) {
    const Vector3 segment{0.0f, in.along, 0.0f};
    const Vector3 position = in.point.position + in.point.orientation * segment;
    const Quaternion q = Quaternion::FromAngleAxis(in.turn, Vector3::UNIT_Y) *
                         Quaternion::FromAngleAxis(in.tilt, Vector3::UNIT_X) * in.point.orientation;
    const Vector3 origin = position + q * segment;
    const Vector3 across = Vector3{1.0f - 2.0f * (q.y * q.y + q.z * q.z), 2.0f * (q.x * q.y + q.w * q.z),
                                   2.0f * (q.x * q.z - q.w * q.y)} * in.width;
    const Vector3 up = Vector3{2.0f * (q.x * q.y - q.w * q.z), 1.0f - 2.0f * (q.x * q.x + q.z * q.z),
                               2.0f * (q.y * q.z + q.w * q.x)} * in.height;
    std::array<Vector3, 4> corners;
    for (std::size_t i = 0; i < 4; ++i) corners[i] = origin + across * kLeafOutline[i].x + up * kLeafOutline[i].y;
    return corners;
}

template <class F> LeafCornerInput<F> laneInput(const Inputs& in, F (*lane)(float)) {
    const Quaternion& o = in.point.orientation;
    const Vector3& p = in.point.position;
    return {{lane(o.w), lane(o.x), lane(o.y), lane(o.z)},
            {lane(p.x), lane(p.y), lane(p.z)},
            lane(in.along),
            lane(std::cos(0.5f * in.turn)),
            lane(std::sin(0.5f * in.turn)),
            lane(std::cos(0.5f * in.tilt)),
            lane(std::sin(0.5f * in.tilt)),
            lane(in.width),
            lane(in.height)};
}

uint32_t bits(float f) { return std::bit_cast<uint32_t>(f); }

// Random inputs, then the awkward ones: zero and negative zero angles and
// lengths, a point turned by exactly nothing or half a turn, turns of
// thousands of radians (growth never reduces the leaf spiral).
std::vector<Inputs> testInputs() {
    std::mt19937 random(4711);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::vector<Inputs> inputs;
    for (int i = 0; i < 2000; ++i) {
        Quaternion o{unit(random), unit(random), unit(random), unit(random)};
        o.normalise();
        inputs.push_back({{o, {}, {10.0f * unit(random), 20.0f * unit(random), 10.0f * unit(random)}},
                          unit(random), 4000.0f * unit(random), 3.0f * unit(random), 0.0f, 0.0f});
    }
    const Quaternion turned[] = {Quaternion::IDENTITY, {0.0f, 0.0f, 1.0f, 0.0f}, {-0.0f, 1.0f, -0.0f, 0.0f}};
    for (const Quaternion& o : turned)
        for (const float along : {0.0f, -0.0f, 0.5f})
            for (const float turn : {0.0f, -0.0f, 3.14159265f, 6283.0f})
                for (const float tilt : {0.0f, -0.0f, 1.5707964f})
                    inputs.push_back({{o, {}, {0.0f, -0.0f, 0.0f}}, along, turn, tilt, 0.0f, 0.0f});
    return inputs;
}

} // namespace

TEST(LeafCorners, FourAtOnceOneAtATimeAndTheEngineGiveTheSameBits) {
    std::vector<Inputs> inputs = testInputs();

    // Leaves handed over in runs of 0 to 9, each run with a size of its own,
    // so that batches of four start and end anywhere in a run and the last
    // one is partly empty. Every other run holds its tilts' half angles, as
    // a tree with a table of tilts hands them over, and a tilt that would
    // spoil every corner if it were read.
    std::vector<Leaf> leaves(inputs.size() + 1);
    std::vector<PendingRun> runs;
    for (std::size_t n = 0, r = 0; n < inputs.size(); ++r) {
        const std::size_t length = std::min(r % 10, inputs.size() - n);
        const float width = 0.05f + 0.01f * float(r % 7);
        const float height = 0.2f + 0.03f * float(r % 5);
        const bool lookedUp = r % 2 == 1;
        for (std::size_t k = n; k < n + length; ++k) {
            inputs[k].width = width;
            inputs[k].height = height;
            if (lookedUp)
                holdPending(leaves[k], &inputs[k].point, inputs[k].along, inputs[k].turn, std::nanf(""),
                            halfAngleOf(inputs[k].tilt));
            else
                holdPending(leaves[k], &inputs[k].point, inputs[k].along, inputs[k].turn, inputs[k].tilt,
                            HalfAngle{});
        }
        runs.push_back({leaves.data() + n, static_cast<uint32_t>(length), width, height, lookedUp});
        n += length;
    }
    const Leaf guard = leaves.back();
    placeLeaves(runs);

    for (std::size_t n = 0; n < inputs.size(); ++n) {
        const std::array<Vector3, 4> expected = engineCorners(inputs[n]);
        const auto one = leafCorners<float>(laneInput<float>(inputs[n], [](float f) { return f; }));
        for (std::size_t i = 0; i < 4; ++i) {
            const Vector3& placed = leaves[n].corners[i];
            ASSERT_TRUE(bits(one[i].x) == bits(expected[i].x) && bits(one[i].y) == bits(expected[i].y) &&
                        bits(one[i].z) == bits(expected[i].z))
                << "one at a time, input " << n << " corner " << i;
            ASSERT_TRUE(bits(placed.x) == bits(expected[i].x) && bits(placed.y) == bits(expected[i].y) &&
                        bits(placed.z) == bits(expected[i].z))
                << "in runs, input " << n << " corner " << i;
        }
    }
    // No leaf beyond the runs was written.
    EXPECT_EQ(std::memcmp(&leaves.back(), &guard, sizeof(Leaf)), 0);
}
