#pragma once

#include <cmath> // Required for: std::sqrt

namespace Velk {

// Vector of three 32-bit floats.
class Vector3 {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    constexpr Vector3() = default;
    constexpr Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    constexpr Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vector3 operator-() const { return {-x, -y, -z}; }
    constexpr Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
    constexpr Vector3& operator+=(const Vector3& o) { x += o.x; y += o.y; z += o.z; return *this; }
    constexpr Vector3& operator-=(const Vector3& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
    constexpr Vector3& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
    constexpr bool operator==(const Vector3&) const = default;

    // Inline, like normalise: the mesh builder takes a normal of every vertex.
    float length() const { return std::sqrt(squaredLength()); }
    constexpr float squaredLength() const { return x * x + y * y + z * z; }
    constexpr float dotProduct(const Vector3& o) const { return x * o.x + y * o.y + z * o.z; }
    constexpr Vector3 crossProduct(const Vector3& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    // Scales the vector to unit length and returns the previous length.
    // A zero vector stays zero.
    float normalise() {
        const float len = length();
        if (len > 0.0f) {
            const float inv = 1.0f / len;
            x *= inv;
            y *= inv;
            z *= inv;
        }
        return len;
    }

    static const Vector3 ZERO;
    static const Vector3 UNIT_X;
    static const Vector3 UNIT_Y;
    static const Vector3 UNIT_Z;
    static const Vector3 UNIT_SCALE;
};

constexpr Vector3 operator*(float s, const Vector3& v) { return v * s; }

} // namespace Velk
