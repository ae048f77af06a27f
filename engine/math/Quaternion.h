#pragma once

#include "math/Vector3.h"

namespace Velk {

// Rotation as a unit quaternion (w, x, y, z) of 32-bit floats.
class Quaternion {
public:
    float w = 1.0f, x = 0.0f, y = 0.0f, z = 0.0f;

    constexpr Quaternion() = default;
    constexpr Quaternion(float w_, float x_, float y_, float z_) : w(w_), x(x_), y(y_), z(z_) {}

    // Rotation by angle (radians) about a unit axis.
    static Quaternion FromAngleAxis(float radians, const Vector3& axis);

    // Composition: (a * b) * v == a * (b * v).
    Quaternion operator*(const Quaternion& q) const;
    // Rotation of a vector.
    Vector3 operator*(const Vector3& v) const;

    constexpr bool operator==(const Quaternion&) const = default;

    static const Quaternion IDENTITY;
};

} // namespace Velk
