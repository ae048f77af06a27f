// Leaves of the last-level stems: spread along the stem in a spiral, each a
// flat quad of four world corners.
#include "Stem.h"

#include "LeafOutline.h"
#include "Random.h"
#include "Tree.h"
#include "math/Math.h"

using Velk::Math;
using Velk::Quaternion;
using Velk::Vector3;

void Stem::addLeaves(uint8_t level) {
    const TreeParameters& p = *tree->params;
    const int32_t m = p.curveRes[level];

    // Rounded at full precision; the structure pass rounds the same value
    // through a float, so the two counts can differ at an exact half.
    const double wanted = (double(offset) / parent->length + 1.0) * 0.5 *
                          (double(p.leaves) * p.leafQuality);
    const int32_t count = roundToInt(wanted);

    double rot = randVar(Math::PI);
    if (count > 0) leaves.reserve(static_cast<size_t>(count));
    for (int32_t i = 1; i <= count; ++i) {
        const double t = double(i) / (count + 1.0);
        const double leafOffset = t * length;
        const size_t k = static_cast<size_t>(t * m);
        const double d = leafOffset - double(k) * (double(length) / m);
        const StemPoint& point = points[k];
        const Vector3 along{0.0f, static_cast<float>(d), 0.0f};
        const Vector3 leafPosition = point.position + point.orientation * along;

        double step = double(p.rotate[level]) + randVar(p.rotateV[level]);
        if (p.rotate[level] < 0.0f) step += 180.0;
        rot += step * Math::fDeg2Rad; // never reduced, unlike the branch spiral
        const Quaternion qRot = Quaternion::FromAngleAxis(static_cast<float>(rot), Vector3::UNIT_Y);

        double down;
        if (p.downAngleV[level] >= 0.0f) {
            down = double(p.downAngle[level]) + randVar(p.downAngleV[level]);
        } else {
            down = double(p.downAngle[level]) +
                   double(p.downAngleV[level]) *
                       (1.0 - 2.0 * (0.2 + 0.8 * (double(length) - leafOffset) /
                                               (double(length) - baseLength)));
        }
        const Quaternion qDown =
            Quaternion::FromAngleAxis(static_cast<float>(down * Math::fDeg2Rad), Vector3::UNIT_X);

        // Turn and tilt about the world axes, after the point's orientation.
        const Quaternion orientation = qRot * qDown * point.orientation;
        addLeaf({orientation, along, leafPosition}, p.leafShape);
    }
    if (count > 0) tree->leafTriangleCount += 2 * count;
}

void Stem::addLeaf(const StemPoint& frame, uint8_t /*leafShape: one outline for all*/) {
    const TreeParameters& p = *tree->params;
    const double s = Math::Sqrt(p.leafQuality);
    const double width = double(p.leafScale) * p.leafScaleX / s;
    const double height = double(p.leafScale) / s;
    Leaf leaf;
    for (size_t i = 0; i < 4; ++i) {
        const Vector3& c = kLeafOutline[i];
        const Vector3 local = frame.segment + Vector3{static_cast<float>(c.x * width),
                                                      static_cast<float>(c.y * height), c.z};
        leaf.corners[i] = frame.position + frame.orientation * local;
    }
    leaves.push_back(leaf);
    tree->vertexCount += 4;
}
