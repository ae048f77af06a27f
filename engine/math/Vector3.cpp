#include "math/Vector3.h"

#include <cmath> // Required for: std::sqrt

namespace Velk {

const Vector3 Vector3::ZERO{0.0f, 0.0f, 0.0f};
const Vector3 Vector3::UNIT_X{1.0f, 0.0f, 0.0f};
const Vector3 Vector3::UNIT_Y{0.0f, 1.0f, 0.0f};
const Vector3 Vector3::UNIT_Z{0.0f, 0.0f, 1.0f};
const Vector3 Vector3::UNIT_SCALE{1.0f, 1.0f, 1.0f};

float Vector3::length() const { return std::sqrt(squaredLength()); }

float Vector3::normalise() {
    const float len = length();
    if (len > 0.0f) {
        const float inv = 1.0f / len;
        x *= inv;
        y *= inv;
        z *= inv;
    }
    return len;
}

} // namespace Velk
