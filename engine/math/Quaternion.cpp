#include "math/Quaternion.h"

#include <cmath> // Required for: std::sin, std::cos

namespace Velk {

const Quaternion Quaternion::IDENTITY{1.0f, 0.0f, 0.0f, 0.0f};

Quaternion Quaternion::FromAngleAxis(float radians, const Vector3& axis) {
    const float half = 0.5f * radians;
    const float s = std::sin(half);
    return {std::cos(half), s * axis.x, s * axis.y, s * axis.z};
}

Quaternion Quaternion::operator*(const Quaternion& q) const {
    return {w * q.w - x * q.x - y * q.y - z * q.z,
            w * q.x + x * q.w + y * q.z - z * q.y,
            w * q.y + y * q.w + z * q.x - x * q.z,
            w * q.z + z * q.w + x * q.y - y * q.x};
}

Vector3 Quaternion::operator*(const Vector3& v) const {
    // v' = v + 2w (q × v) + 2 q × (q × v), with q the vector part.
    const Vector3 qv{x, y, z};
    Vector3 uv = qv.crossProduct(v);
    Vector3 uuv = qv.crossProduct(uv);
    uv *= 2.0f * w;
    uuv *= 2.0f;
    return v + uv + uuv;
}

} // namespace Velk
