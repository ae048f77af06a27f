// Leaves of the last-level stems: spread along the stem in a spiral, each a
// flat quad of four world corners.
#include "Stem.h"

#include "LeafOutline.h"
#include "LeafPlacement.h"
#include "Random.h"
#include "Tree.h"
#include "math/Math.h"

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

LeafSize leafSizeOf(const TreeParameters& p) {
    const double s = Math::Sqrt(p.leafQuality);
    return {static_cast<float>(double(p.leafScale) * p.leafScaleX / s),
            static_cast<float>(double(p.leafScale) / s)};
}

// Writes the corners of the leaf quad of `frame` into `leaf`.
void placeLeaf(Leaf& leaf, const StemPoint& frame, LeafSize size) {
    // The outline is a rectangle, so its rotated corners follow from the
    // rotated origin and the two rotated edge vectors: one full rotation and
    // two axis columns instead of four rotations per leaf.
    const Quaternion& q = frame.orientation;
    const Vector3 origin = frame.position + q * frame.segment;
    const Vector3 across = Vector3{1.0f - 2.0f * (q.y * q.y + q.z * q.z), 2.0f * (q.x * q.y + q.w * q.z),
                                   2.0f * (q.x * q.z - q.w * q.y)} * size.width;
    const Vector3 up = Vector3{2.0f * (q.x * q.y - q.w * q.z), 1.0f - 2.0f * (q.x * q.x + q.z * q.z),
                               2.0f * (q.y * q.z + q.w * q.x)} * size.height;
    for (size_t i = 0; i < 4; ++i) {
        const Vector3& c = kLeafOutline[i];
        leaf.corners[i] = origin + across * c.x + up * c.y;
    }
}

// The frame of a leaf hanging `along` beyond the start of `point`'s segment,
// turned by `turn` about the world Y axis and tilted by `tilt` about the
// world X axis after the point's orientation.
StemPoint leafFrame(const StemPoint& point, float along, float turn, float tilt) {
    const Vector3 segment{0.0f, along, 0.0f};
    const Vector3 leafPosition = point.position + point.orientation * segment;
    const Quaternion qRot = Quaternion::FromAngleAxis(turn, Vector3::UNIT_Y);
    const Quaternion qDown = Quaternion::FromAngleAxis(tilt, Vector3::UNIT_X);
    // Turn and tilt about the world axes, after the point's orientation.
    return {qRot * qDown * point.orientation, segment, leafPosition};
}

} // namespace

void placeLeaves(std::span<const PendingRun> runs) {
    for (const PendingRun& run : runs) {
        for (uint32_t i = 0; i < run.count; ++i) {
            Leaf& leaf = run.leaves[i];
            const PendingLeaf l = heldPending(leaf); // read before the corners overwrite it
            placeLeaf(leaf, leafFrame(*l.point, l.along, l.turn, l.tilt), {run.width, run.height});
        }
    }
}

void Stem::addLeaves(uint8_t level) {
    const TreeParameters& p = *tree->params;
    const int32_t m = p.curveRes[level];

    // Rounded at full precision; the structure pass rounds the same value
    // through a float, so the two counts can differ at an exact half.
    const double wanted = (double(offset) / parent->length + 1.0) * 0.5 *
                          (double(p.leaves) * p.leafQuality);
    const int32_t count = roundToInt(wanted);

    double rot = randVar(Math::PI);
    const LeafSize size = leafSizeOf(p);
    // While the tree grows, the corners are left for the end of growth.
    LeafPlacement* pending = tree->leafPlacement();
    // The stem's leaves all at once: one call instead of one per leaf.
    const size_t firstLeaf = leaves.size();
    if (count > 0) leaves.resize(firstLeaf + static_cast<size_t>(count));
    for (int32_t i = 1; i <= count; ++i) {
        const double t = double(i) / (count + 1.0);
        const double leafOffset = t * length;
        const size_t k = static_cast<size_t>(t * m);
        const double d = leafOffset - double(k) * (double(length) / m);
        const StemPoint& point = points[k];
        const float along = static_cast<float>(d);

        double step = double(p.rotate[level]) + randVar(p.rotateV[level]);
        if (p.rotate[level] < 0.0f) step += 180.0;
        rot += step * Math::fDeg2Rad; // never reduced, unlike the branch spiral
        const float turn = static_cast<float>(rot);

        double down;
        if (p.downAngleV[level] >= 0.0f) {
            down = double(p.downAngle[level]) + randVar(p.downAngleV[level]);
        } else {
            down = double(p.downAngle[level]) +
                   double(p.downAngleV[level]) *
                       (1.0 - 2.0 * (0.2 + 0.8 * (double(length) - leafOffset) /
                                               (double(length) - baseLength)));
        }
        const float tilt = static_cast<float>(down * Math::fDeg2Rad);

        // What addLeaf does, with the leaf size worked out once per stem.
        // While the tree grows, the leaf holds what its corners follow from.
        Leaf& leaf = leaves[firstLeaf + static_cast<size_t>(i - 1)];
        if (pending != nullptr)
            holdPending(leaf, &point, along, turn, tilt);
        else
            placeLeaf(leaf, leafFrame(point, along, turn, tilt), size);
        tree->vertexCount += 4;
    }
    if (count > 0) {
        tree->leafTriangleCount += 2 * count;
        // The stem's leaves stay where they are from here on.
        if (pending != nullptr)
            pending->add({leaves.data() + firstLeaf, static_cast<uint32_t>(count), size.width, size.height});
    }
}

void Stem::addLeaf(const StemPoint& frame, uint8_t /*leafShape: one outline for all*/) {
    placeLeaf(leaves.emplace_back(), frame, leafSizeOf(*tree->params));
    tree->vertexCount += 4;
}
