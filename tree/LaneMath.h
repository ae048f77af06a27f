#pragma once

// Quaternions and vectors for a number type F with +, - and * that is either
// a float (one item) or four float lanes (four items at once, see
// FloatLanes.h). The operations are those of Velk::Quaternion and
// Velk::Vector3, in their order: every lane rounds as a float does, so four
// items at once give the very bits one at a time gives, and both give the
// bits the engine's arithmetic gives. Keep them in step with the engine.
// Everything here is inlined: the values live in registers, and calls would
// pass them through memory.

template <class F> struct LaneQuaternion {
    F w, x, y, z;
};

template <class F> struct LaneVector {
    F x, y, z;
};

// A Velk::Quaternion or Velk::Vector3 with its value in every lane.
template <class F, class Q> [[gnu::always_inline]] inline LaneQuaternion<F> quaternionLanes(const Q& q) {
    return {F(q.w), F(q.x), F(q.y), F(q.z)};
}
template <class F, class V> [[gnu::always_inline]] inline LaneVector<F> vectorLanes(const V& v) {
    return {F(v.x), F(v.y), F(v.z)};
}

// Quaternion::operator*(Quaternion).
template <class F>
[[gnu::always_inline]] inline LaneQuaternion<F> operator*(const LaneQuaternion<F>& a, const LaneQuaternion<F>& q) {
    return {a.w * q.w - a.x * q.x - a.y * q.y - a.z * q.z, a.w * q.x + a.x * q.w + a.y * q.z - a.z * q.y,
            a.w * q.y + a.y * q.w + a.z * q.x - a.x * q.z, a.w * q.z + a.z * q.w + a.x * q.y - a.y * q.x};
}

template <class F>
[[gnu::always_inline]] inline LaneVector<F> operator+(const LaneVector<F>& a, const LaneVector<F>& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

template <class F>
[[gnu::always_inline]] inline LaneVector<F> operator*(const LaneVector<F>& a, F s) {
    return {a.x * s, a.y * s, a.z * s};
}

// Vector3::crossProduct.
template <class F>
[[gnu::always_inline]] inline LaneVector<F> cross(const LaneVector<F>& a, const LaneVector<F>& o) {
    return {a.y * o.z - a.z * o.y, a.z * o.x - a.x * o.z, a.x * o.y - a.y * o.x};
}

// Quaternion::operator*(Vector3): v + 2w (q × v) + 2 q × (q × v).
template <class F>
[[gnu::always_inline]] inline LaneVector<F> operator*(const LaneQuaternion<F>& q, const LaneVector<F>& v) {
    const LaneVector<F> qv{q.x, q.y, q.z};
    const LaneVector<F> uv = cross(qv, v);
    const LaneVector<F> uuv = cross(qv, uv);
    return v + uv * (F(2.0f) * q.w) + uuv * F(2.0f);
}
