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

    // The opposite rotation of a unit quaternion (its conjugate).
    constexpr Quaternion unitInverse() const { return {w, -x, -y, -z}; }
    // Scales to unit length and returns the previous length; zero stays zero.
    float normalise();
    // The rotation that turns the unit axes X, Y, Z into the given
    // orthonormal axes (the columns of its rotation matrix).
    static Quaternion FromAxes(const Vector3& xAxis, const Vector3& yAxis, const Vector3& zAxis);
    // The rotated unit axes.
    Vector3 xAxis() const { return *this * Vector3{1.0f, 0.0f, 0.0f}; }
    Vector3 yAxis() const { return *this * Vector3{0.0f, 1.0f, 0.0f}; }
    Vector3 zAxis() const { return *this * Vector3{0.0f, 0.0f, 1.0f}; }

    static const Quaternion IDENTITY;
};

} // namespace Velk
