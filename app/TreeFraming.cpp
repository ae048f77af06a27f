#include "TreeFraming.h"

#include "Stem.h"
#include "Tree.h"
#include "math/Math.h" // Required for: Velk::Math

#include <algorithm> // Required for: std::max, std::min
#include <cmath>     // Required for: std::cos, std::sin, std::tan, std::abs

namespace {

// Grows `low`/`high` by every ring vertex and leaf corner of the stem and
// its children.
void addStem(const Stem& stem, Velk::Vector3& low, Velk::Vector3& high) {
    const auto add = [&](const Velk::Vector3& p) {
        low = Velk::Vector3(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
        high = Velk::Vector3(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
    };
    for (const Velk::Vector3& p : stem.ringVertexStore) add(p);
    for (const Leaf& leaf : stem.leaves)
        for (const Velk::Vector3& p : leaf.corners) add(p);
    for (const auto& child : stem.children) addStem(*child, low, high);
}

} // namespace

Velk::AxisAlignedBox treeBounds(const Tree& tree) {
    Velk::Vector3 low = Velk::Vector3::ZERO;
    Velk::Vector3 high = Velk::Vector3::ZERO;
    if (tree.trunk) addStem(*tree.trunk, low, high);
    return {low, high};
}

// The camera looks from c = (cos e cos a, sin e, cos e sin a) times the
// distance at the look-at point. A corner at x across, y up and z beyond
// the look-at point (camera axes) is inside the view when |x| <= (d + z) tx
// and |y| <= (d + z) ty, so d >= |x| / tx - z and d >= |y| / ty - z. The
// look-at height is then moved until the box's top and bottom lie equally
// far from the screen's centre.
TreeFraming frameTree(const Velk::AxisAlignedBox& bounds, float fovYDegrees, float aspect, float azimuthDegrees,
                      float elevationDegrees, float nearClip, float margin) {
    using Velk::Vector3;
    const float e = elevationDegrees * Velk::Math::fDeg2Rad;
    const float a = azimuthDegrees * Velk::Math::fDeg2Rad;
    const Vector3 towardsCamera(std::cos(e) * std::cos(a), std::sin(e), std::cos(e) * std::sin(a));
    const Vector3 forward = -towardsCamera;
    Vector3 right = forward.crossProduct(Vector3::UNIT_Y);
    if (right.normalise() < 1e-6f) right = Vector3::UNIT_Z;
    const Vector3 up = right.crossProduct(forward);
    const float ty = std::tan(0.5f * fovYDegrees * Velk::Math::fDeg2Rad) / margin;
    const float tx = ty * aspect;
    const Vector3 low = bounds.getMinimum();
    const Vector3 high = bounds.getMaximum();

    TreeFraming framing;
    framing.lookAtHeight = 0.5f * (low.y + high.y);
    for (int round = 0; round < 6; ++round) {
        const Vector3 target(0.0f, framing.lookAtHeight, 0.0f);
        float distance = 0.0f;
        for (int corner = 0; corner < 8; ++corner) {
            const Vector3 p((corner & 1) ? high.x : low.x, (corner & 2) ? high.y : low.y, (corner & 4) ? high.z : low.z);
            const Vector3 q = p - target;
            const float x = q.dotProduct(right), y = q.dotProduct(up), z = q.dotProduct(forward);
            distance = std::max({distance, std::abs(x) / tx - z, std::abs(y) / ty - z, nearClip * margin - z});
        }
        framing.distance = distance;
        // Screen heights of the highest and lowest corner, in units of ty.
        float top = -1e30f, bottom = 1e30f;
        for (int corner = 0; corner < 8; ++corner) {
            const Vector3 p((corner & 1) ? high.x : low.x, (corner & 2) ? high.y : low.y, (corner & 4) ? high.z : low.z);
            const Vector3 q = p - target;
            const float screen = q.dotProduct(up) / (distance + q.dotProduct(forward));
            top = std::max(top, screen);
            bottom = std::min(bottom, screen);
        }
        // Raising the look-at point by s lowers every corner by about s * up.y / distance.
        if (std::abs(up.y) < 1e-3f) break;
        framing.lookAtHeight += 0.5f * (top + bottom) * distance / up.y;
    }
    return framing;
}
