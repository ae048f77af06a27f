#pragma once

#include "math/Vector3.h"

#include <cmath> // Required for: std::sin, std::cos

namespace Velk {

// Rotation as a unit quaternion (w, x, y, z) of 32-bit floats.
class Quaternion {
public:
    float w = 1.0f, x = 0.0f, y = 0.0f, z = 0.0f;

    constexpr Quaternion() = default;
    constexpr Quaternion(float w_, float x_, float y_, float z_) : w(w_), x(x_), y(y_), z(z_) {}

    // Rotation by angle (radians) about a unit axis.
    static Quaternion FromAngleAxis(float radians, const Vector3& axis) {
        const float half = 0.5f * radians;
        const float s = std::sin(half);
        return {std::cos(half), s * axis.x, s * axis.y, s * axis.z};
    }

    // Composition: (a * b) * v == a * (b * v).
    constexpr Quaternion operator*(const Quaternion& q) const {
        return {w * q.w - x * q.x - y * q.y - z * q.z,
                w * q.x + x * q.w + y * q.z - z * q.y,
                w * q.y + y * q.w + z * q.x - x * q.z,
                w * q.z + z * q.w + x * q.y - y * q.x};
    }

    // Rotation of a vector: v + 2w (q × v) + 2 q × (q × v), q the vector part.
    // Inline: growth rotates a few hundred thousand vectors per tree.
    constexpr Vector3 operator*(const Vector3& v) const {
        const Vector3 qv{x, y, z};
        Vector3 uv = qv.crossProduct(v);
        Vector3 uuv = qv.crossProduct(uv);
        uv *= 2.0f * w;
        uuv *= 2.0f;
        return v + uv + uuv;
    }

    constexpr bool operator==(const Quaternion&) const = default;

    static const Quaternion IDENTITY;
};

} // namespace Velk
