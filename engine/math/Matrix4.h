#pragma once

#include "math/Quaternion.h" // Required for: Quaternion
#include "math/Vector3.h"    // Required for: Vector3

#include <array> // Required for: std::array

namespace Velk {

// A 4x4 transform of 32-bit floats, stored column by column as the
// renderer hands it to shaders. Points are columns: M * p.
class Matrix4 {
public:
    std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; // default: identity

    // Element of row `row`, column `column`.
    float& at(int row, int column) { return m[static_cast<std::size_t>(column * 4 + row)]; }
    float at(int row, int column) const { return m[static_cast<std::size_t>(column * 4 + row)]; }

    Matrix4 operator*(const Matrix4& o) const;
    // The point transformed (w = 1) without the projective divide.
    Vector3 transformPoint(const Vector3& p) const;

    // Rotation followed by translation.
    static Matrix4 fromTransform(const Vector3& position, const Quaternion& orientation);
    // The world-to-eye transform of an eye at `position` turned by `orientation`.
    static Matrix4 view(const Vector3& position, const Quaternion& orientation);
    // Perspective projection into GL clip space; fovY in radians.
    static Matrix4 perspective(float fovY, float aspect, float nearDistance, float farDistance);
};

} // namespace Velk
