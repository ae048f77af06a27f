#include "math/Quaternion.h"

#include <cmath> // Required for: std::sqrt

namespace Velk {

const Quaternion Quaternion::IDENTITY{1.0f, 0.0f, 0.0f, 0.0f};

// Lengths drift by rounding after many turns; cameras renormalise.
float Quaternion::normalise() {
    const float len = std::sqrt(w * w + x * x + y * y + z * z);
    if (len > 0.0f) {
        const float inv = 1.0f / len;
        w *= inv;
        x *= inv;
        y *= inv;
        z *= inv;
    }
    return len;
}

// From the rotation matrix whose columns are the axes, by the trace method
// that divides by the largest diagonal term for accuracy.
Quaternion Quaternion::FromAxes(const Vector3& xa, const Vector3& ya, const Vector3& za) {
    const float m[3][3] = {{xa.x, ya.x, za.x}, {xa.y, ya.y, za.y}, {xa.z, ya.z, za.z}};
    const float trace = m[0][0] + m[1][1] + m[2][2];
    Quaternion q;
    if (trace > 0.0f) {
        float root = std::sqrt(trace + 1.0f);
        q.w = 0.5f * root;
        root = 0.5f / root;
        q.x = (m[2][1] - m[1][2]) * root;
        q.y = (m[0][2] - m[2][0]) * root;
        q.z = (m[1][0] - m[0][1]) * root;
        return q;
    }
    const int next[3] = {1, 2, 0};
    int i = 0;
    if (m[1][1] > m[0][0]) i = 1;
    if (m[2][2] > m[i][i]) i = 2;
    const int j = next[i];
    const int k = next[j];
    float root = std::sqrt(m[i][i] - m[j][j] - m[k][k] + 1.0f);
    float* axis[3] = {&q.x, &q.y, &q.z};
    *axis[i] = 0.5f * root;
    root = 0.5f / root;
    q.w = (m[k][j] - m[j][k]) * root;
    *axis[j] = (m[j][i] + m[i][j]) * root;
    *axis[k] = (m[k][i] + m[i][k]) * root;
    return q;
}

} // namespace Velk
