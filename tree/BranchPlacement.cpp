// Placement of a grown stem's children: spread evenly along it in a spiral,
// each turned about the stem's axis and tilted away from it, then grown.
#include "Stem.h"

#include "Random.h"
#include "Tree.h"
#include "math/Math.h"

#include <cmath> // Required for: std::floor

using Velk::Math;
using Velk::Quaternion;
using Velk::Vector3;

void Stem::growChildren(uint8_t level, GrowthShare& share) {
    // Every stem starts its own spiral, drawn even when it has no children.
    double rot = randVar(Math::PI);
    const uint8_t c = static_cast<uint8_t>(level + 1);
    for (size_t i = 1; i <= children.size(); ++i) {
        const ChildStart start = placeChild(level, i, rot);
        children[i - 1]->grow(start.frame, start.radius, c, share);
    }
}

ChildStart Stem::placeChild(uint8_t level, size_t i, double& rot) {
    const TreeParameters& p = *tree->params;
    const uint8_t c = static_cast<uint8_t>(level + 1);
    const size_t n = children.size();
    const int32_t m = p.curveRes[level];

    Stem& child = *children[i - 1];
    const double t = level == 0 ? p.baseSize + (1.0 - p.baseSize) * double(i) / (n + 1.0)
                                : double(i) / (n + 1.0);
    // The offset the structure pass stored, not a fresh product.
    const double childOffset = child.offset;

    size_t k;
    double d;
    if (level == 0) {
        // Trunk points: base, eight flare sub-segments, then m regular segments.
        k = t < 1.0 / m ? static_cast<size_t>(10.0 * t * m) : static_cast<size_t>(t * m) + 9;
        double below = 0.0;
        for (size_t j = 0; j < k; ++j) below += points[j].segment.y;
        d = childOffset - below;
    } else {
        k = static_cast<size_t>(t * m);
        d = childOffset - double(k) * (double(length) / m);
    }
    const StemPoint& point = points[k];
    const Vector3 childPosition = point.position + point.orientation * Vector3{0.0f, static_cast<float>(d), 0.0f};

    double down;
    if (p.downAngleV[c] >= 0.0f) {
        down = double(p.downAngle[c]) + randVar(p.downAngleV[c]);
    } else {
        // Steeper near the base, flatter towards the tip (a conical envelope).
        down = double(p.downAngle[c]) +
               double(p.downAngleV[c]) *
                   (1.0 - 2.0 * (0.2 + 0.8 * (double(length) - childOffset) / (double(length) - baseLength)));
    }
    const Quaternion qDown = Quaternion::FromAngleAxis(static_cast<float>(down * Math::fDeg2Rad), Vector3::UNIT_X);

    double step = double(p.rotate[c]) + randVar(p.rotateV[c]);
    if (p.rotate[c] < 0.0f) step += 180.0;
    rot += step * Math::fDeg2Rad;
    if (rot > Math::TWO_PI) rot -= Math::TWO_PI;
    const Quaternion qRot = Quaternion::FromAngleAxis(static_cast<float>(rot), Vector3::UNIT_Y);

    const Quaternion orientation = point.orientation * qRot * qDown;

    // Drawn again: the radius follows a length of its own, not the child's.
    lengthChildMax = static_cast<float>(double(p.length[c]) + randVar(p.lengthV[c]));
    const double lengthForRadius = childLengthAt(level, childOffset);

    double childRadius =
        length == 0.0f ? 0.0
                       : double(radius) * Math::Pow(static_cast<float>(lengthForRadius / length), p.ratioPower);
    const float rz = radiusAt(level, static_cast<float>(t), length, radius);
    if (childRadius > rz || childRadius == 0.0) childRadius = rz;

    return {{orientation, Vector3::ZERO, childPosition}, static_cast<float>(childRadius)};
}
