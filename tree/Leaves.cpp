// Leaves of the last-level stems: spread along the stem in a spiral, each a
// flat quad of four world corners.
#include "Stem.h"

#include "FloatLanes.h"
#include "LeafCorners.h"
#include "LeafPlacement.h"
#include "LeafTilts.h"
#include "Random.h"
#include "Tree.h"
#include "math/Math.h"

#include <algorithm> // Required for: std::min
#include <array>     // Required for: std::array
#include <cmath>     // Required for: std::cos, std::sin
#include <cstddef>   // Required for: std::size_t, offsetof

#if defined(__SSE2__)
#include <xmmintrin.h> // Required for: _mm_loadu_ps, _mm_setr_ps, _mm_storeu_ps, _MM_TRANSPOSE4_PS
#endif

using Velk::Math;
using Velk::Quaternion;
using Velk::Vector3;

namespace {

// The size of every leaf of a tree: width along the leaf's local X, length
// along its local Y. More leaves per unit (a higher quality) make them smaller.
struct LeafSize {
    float width;
    float height;
};

// Leaves whose random draws are made in one go.
constexpr size_t LEAF_DRAW_RUN = 256;

LeafSize leafSizeOf(const TreeParameters& p) {
    const double s = Math::Sqrt(p.leafQuality);
    return {static_cast<float>(double(p.leafScale) * p.leafScaleX / s),
            static_cast<float>(double(p.leafScale) / s)};
}

void setCorners(Leaf& leaf, const std::array<LaneVector<float>, 4>& corners) {
    for (std::size_t i = 0; i < 4; ++i) leaf.corners[i] = {corners[i].x, corners[i].y, corners[i].z};
}

// Writes the corners of the leaf quad of `frame` into `leaf`.
void placeLeaf(Leaf& leaf, const StemPoint& frame, LeafSize size) {
    const Quaternion& q = frame.orientation;
    setCorners(leaf, quadCorners(quaternionLanes<float>(q), vectorLanes<float>(frame.position + q * frame.segment),
                                 size.width, size.height));
}

// Writes the corners of a leaf hanging `along` beyond the start of `point`'s
// segment, turned by `turn` about the world Y axis and tilted by the angle
// of `tilt` about the world X axis after the point's orientation.
void placeLeaf(Leaf& leaf, const StemPoint& point, float along, float turn, HalfAngle tilt, LeafSize size) {
    const HalfAngle t = halfAngleOf(turn);
    setCorners(leaf, leafCorners<float>({quaternionLanes<float>(point.orientation), vectorLanes<float>(point.position),
                                         along, t.cos, t.sin, tilt.cos, tilt.sin, size.width, size.height}));
}

// The half angle of the tilt of pending leaf `l` of a run.
HalfAngle tiltHalfOf(const PendingLeaf& l, const PendingRun& run) {
    return run.tiltsLookedUp ? l.tiltHalf : halfAngleOf(l.tilt);
}

#if defined(__SSE2__)
// Pending leaves placed four at a time, one per lane. Each leaf's inputs
// are stored as one row of four groups; transposing the groups of four rows
// gives each input in lanes. The corners come out in lanes too, and
// transposing them back gives each leaf's twelve floats in its own order.
class LeafBatch {
public:
    // Takes `leaf` of `run`, which holds its pending data; places the batch
    // when full.
    void add(Leaf& leaf, const PendingRun& run) {
        const PendingLeaf l = heldPending(leaf);
        const Vector3& p = l.point->position;
        const HalfAngle turn = halfAngleOf(l.turn);
        const HalfAngle tilt = tiltHalfOf(l, run);
        __m128* row = rows_[count_];
        static_assert(sizeof(Quaternion) == 4 * sizeof(float) && offsetof(Quaternion, w) == 0);
        row[0] = _mm_loadu_ps(&l.point->orientation.w); // w, x, y, z
        row[1] = _mm_setr_ps(p.x, p.y, p.z, l.along);
        row[2] = _mm_setr_ps(turn.cos, turn.sin, tilt.cos, tilt.sin);
        row[3] = _mm_setr_ps(run.width, run.height, 0.0f, 0.0f);
        leaves_[count_++] = &leaf;
        if (count_ == FloatLanes::COUNT) place();
    }

    // Places the leaves taken so far. Lanes beyond them work on whatever the
    // last batch left there, and nothing of them is written.
    void place() {
        if (count_ == 0) return;
        __m128 in[4][4]; // [group][input of the group], one lane per leaf
        for (int g = 0; g < 4; ++g) {
            for (int j = 0; j < 4; ++j) in[g][j] = rows_[j][g];
            _MM_TRANSPOSE4_PS(in[g][0], in[g][1], in[g][2], in[g][3]);
        }
        const auto lane = [&](int g, int k) { return FloatLanes(in[g][k]); };
        const std::array<LaneVector<FloatLanes>, 4> c = leafCorners<FloatLanes>(
            {{lane(0, 0), lane(0, 1), lane(0, 2), lane(0, 3)},
             {lane(1, 0), lane(1, 1), lane(1, 2)},
             lane(1, 3),
             lane(2, 0), lane(2, 1), lane(2, 2), lane(2, 3),
             lane(3, 0), lane(3, 1)});
        // A leaf's corners are twelve floats: three runs of four.
        __m128 out[3][4] = {{c[0].x.v, c[0].y.v, c[0].z.v, c[1].x.v},
                            {c[1].y.v, c[1].z.v, c[2].x.v, c[2].y.v},
                            {c[2].z.v, c[3].x.v, c[3].y.v, c[3].z.v}};
        for (auto& run : out) _MM_TRANSPOSE4_PS(run[0], run[1], run[2], run[3]);
        static_assert(sizeof(Leaf) == 12 * sizeof(float));
        for (int j = 0; j < count_; ++j) {
            float* const corners = &leaves_[j]->corners[0].x;
            for (int r = 0; r < 3; ++r) _mm_storeu_ps(corners + 4 * r, out[r][j]);
        }
        count_ = 0;
    }

private:
    __m128 rows_[FloatLanes::COUNT][4] = {};
    Leaf* leaves_[FloatLanes::COUNT] = {};
    int count_ = 0;
};
#endif

} // namespace

void placeLeaves(std::span<const PendingRun> runs) {
#if defined(__SSE2__)
    LeafBatch batch;
    for (const PendingRun& run : runs)
        for (uint32_t i = 0; i < run.count; ++i) batch.add(run.leaves[i], run);
    batch.place();
#else
    for (const PendingRun& run : runs) {
        for (uint32_t i = 0; i < run.count; ++i) {
            Leaf& leaf = run.leaves[i];
            const PendingLeaf l = heldPending(leaf); // read before the corners overwrite it
            placeLeaf(leaf, *l.point, l.along, l.turn, tiltHalfOf(l, run), {run.width, run.height});
        }
    }
#endif
}

int32_t Stem::leavesToGrow() const {
    const TreeParameters& p = *tree->params;
    // Rounded at full precision; the structure pass rounds the same value
    // through a float, so the two counts can differ at an exact half.
    const double wanted = (double(offset) / parent->length + 1.0) * 0.5 * (double(p.leaves) * p.leafQuality);
    return roundToInt(wanted);
}

void Stem::addLeaves(uint8_t level, GrowthShare& share) {
    const TreeParameters& p = *tree->params;
    const int32_t m = p.curveRes[level];
    const int32_t count = leavesToGrow();

    double rot = randVar(Math::PI);
    const LeafSize size = leafSizeOf(p);
    // While the tree grows, the corners are left to the share's leaf placement.
    LeafPlacement* pending = share.placement;
    // The stem's leaves all at once: one call instead of one per leaf.
    const size_t firstLeaf = leaves.size();
    if (count > 0) leaves.resize(firstLeaf + static_cast<size_t>(count));
    // Each leaf varies its turn, then its tilt, as randVar does; a variation
    // of zero draws nothing. The draws of a run of leaves are made in one go,
    // in that order, and give the values randVar would.
    const float rotateV = p.rotateV[level];
    const float downV = p.downAngleV[level];
    const bool drawsTurn = rotateV != 0.0f;
    const bool drawsTilt = downV >= 0.0f && downV != 0.0f;
    const size_t drawsPerLeaf = size_t(drawsTurn) + size_t(drawsTilt);
    const LeafTilts& tilts = tree->leafTilts();
    const bool lookUp = !tilts.empty();
    std::array<int32_t, 2 * LEAF_DRAW_RUN> draws;
    size_t nextDraw = 0;
    for (int32_t i = 1; i <= count; ++i) {
        if ((i - 1) % LEAF_DRAW_RUN == 0) {
            const size_t run = std::min(LEAF_DRAW_RUN, static_cast<size_t>(count - i + 1));
            randSigned(std::span<int32_t>(draws.data(), run * drawsPerLeaf));
            nextDraw = 0;
        }
        const double t = double(i) / (count + 1.0);
        const double leafOffset = t * length;
        const size_t k = static_cast<size_t>(t * m);
        const double d = leafOffset - double(k) * (double(length) / m);
        const StemPoint& point = points[k];
        const float along = static_cast<float>(d);

        const float turnVar = drawsTurn ? randVarOf(draws[nextDraw++], rotateV) : 0.0f;
        double step = double(p.rotate[level]) + turnVar;
        if (p.rotate[level] < 0.0f) step += 180.0;
        rot += step * Math::fDeg2Rad; // never reduced, unlike the branch spiral
        const float turn = static_cast<float>(rot);

        // The tilt, or where the tree has a table of tilts, its half angle
        // looked up by the draw it follows from.
        float tilt = 0.0f;
        HalfAngle tiltHalf;
        if (downV >= 0.0f) {
            const int32_t s = drawsTilt ? draws[nextDraw++] : 0;
            if (lookUp)
                tiltHalf = tilts.of(s);
            else
                tilt = leafTiltOf(p, level, s);
        } else {
            const double down = double(p.downAngle[level]) +
                                double(downV) * (1.0 - 2.0 * (0.2 + 0.8 * (double(length) - leafOffset) /
                                                                     (double(length) - baseLength)));
            tilt = static_cast<float>(down * Math::fDeg2Rad);
        }

        // What addLeaf does, with the leaf size worked out once per stem.
        // While the tree grows, the leaf holds what its corners follow from.
        Leaf& leaf = leaves[firstLeaf + static_cast<size_t>(i - 1)];
        if (pending != nullptr)
            holdPending(leaf, &point, along, turn, tilt, tiltHalf);
        else
            placeLeaf(leaf, point, along, turn, lookUp ? tiltHalf : halfAngleOf(tilt), size);
    }
    if (count > 0) {
        share.vertexCount += 4 * count;
        share.leafTriangleCount += 2 * count;
        // The stem's leaves stay where they are from here on.
        if (pending != nullptr)
            pending->add({leaves.data() + firstLeaf, static_cast<uint32_t>(count), size.width, size.height, lookUp});
    }
}

void Stem::addLeaf(const StemPoint& frame, uint8_t /*leafShape: one outline for all*/) {
    placeLeaf(leaves.emplace_back(), frame, leafSizeOf(*tree->params));
    tree->vertexCount += 4;
}
