#include "math/Matrix4.h"

#include <cmath> // Required for: std::tan

namespace Velk {

// Plain triple loop: sixteen dot products.
Matrix4 Matrix4::operator*(const Matrix4& o) const {
    Matrix4 r;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += at(row, k) * o.at(k, column);
            r.at(row, column) = sum;
        }
    return r;
}

// Affine part only: callers use it for model and view transforms.
Vector3 Matrix4::transformPoint(const Vector3& p) const {
    return {at(0, 0) * p.x + at(0, 1) * p.y + at(0, 2) * p.z + at(0, 3),
            at(1, 0) * p.x + at(1, 1) * p.y + at(1, 2) * p.z + at(1, 3),
            at(2, 0) * p.x + at(2, 1) * p.y + at(2, 2) * p.z + at(2, 3)};
}

// The rotated axes are the columns; the position is the last column.
Matrix4 Matrix4::fromTransform(const Vector3& position, const Quaternion& orientation) {
    Matrix4 r;
    const Vector3 axes[3] = {orientation.xAxis(), orientation.yAxis(), orientation.zAxis()};
    for (int column = 0; column < 3; ++column) {
        r.at(0, column) = axes[column].x;
        r.at(1, column) = axes[column].y;
        r.at(2, column) = axes[column].z;
    }
    r.at(0, 3) = position.x;
    r.at(1, 3) = position.y;
    r.at(2, 3) = position.z;
    return r;
}

// The inverse of a rigid transform: transposed rotation, rotated negative position.
Matrix4 Matrix4::view(const Vector3& position, const Quaternion& orientation) {
    Matrix4 r;
    const Vector3 axes[3] = {orientation.xAxis(), orientation.yAxis(), orientation.zAxis()};
    for (int row = 0; row < 3; ++row) {
        r.at(row, 0) = axes[row].x;
        r.at(row, 1) = axes[row].y;
        r.at(row, 2) = axes[row].z;
        r.at(row, 3) = -axes[row].dotProduct(position);
    }
    return r;
}

// Looks down -Z; depth maps near..far to -1..1.
Matrix4 Matrix4::perspective(float fovY, float aspect, float nearDistance, float farDistance) {
    Matrix4 r;
    const float f = 1.0f / std::tan(0.5f * fovY);
    r.at(0, 0) = f / aspect;
    r.at(1, 1) = f;
    r.at(2, 2) = (farDistance + nearDistance) / (nearDistance - farDistance);
    r.at(2, 3) = 2.0f * farDistance * nearDistance / (nearDistance - farDistance);
    r.at(3, 2) = -1.0f;
    r.at(3, 3) = 0.0f;
    return r;
}

} // namespace Velk
