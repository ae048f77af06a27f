#pragma once

#include "LeafOutline.h"

#include <array>   // Required for: std::array
#include <cstddef> // Required for: std::size_t

// The corners of a leaf quad, for a number type F with +, - and * that is
// either a float (one leaf) or four float lanes (four leaves at once, see
// FloatLanes.h). The operations are those of Velk::Quaternion and
// Velk::Vector3, in their order: every lane rounds as a float does, so four
// leaves at once give the very bits one leaf at a time gives, and both give
// the bits the engine's quaternion arithmetic gives. Keep them in step.
// Everything here is inlined: the values live in registers, and calls would
// pass them through memory.

template <class F> struct LaneQuaternion {
    F w, x, y, z;
};

template <class F> struct LaneVector {
    F x, y, z;
};

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

// What a leaf's corners follow from. The cosines and sines are those of half
// the turn and half the tilt, as Quaternion::FromAngleAxis takes them.
template <class F> struct LeafCornerInput {
    LaneQuaternion<F> orientation; // of the stem point the leaf hangs from
    LaneVector<F> position;        // where that point's segment starts
    F along;                       // from there along the segment
    F cosTurn, sinTurn;            // about the world Y axis
    F cosTilt, sinTilt;            // about the world X axis
    F width, height;
};

// The corners of the quad whose outline is turned by `q` and whose base edge
// is centred on `origin`: the rotated origin plus the two rotated edge
// vectors, one rotation and two axis columns instead of four rotations.
template <class F>
[[gnu::always_inline]] inline std::array<LaneVector<F>, 4>
quadCorners(const LaneQuaternion<F>& q, const LaneVector<F>& origin, F width, F height) {
    const F one(1.0f), two(2.0f);
    const LaneVector<F> across = LaneVector<F>{one - two * (q.y * q.y + q.z * q.z), two * (q.x * q.y + q.w * q.z),
                                               two * (q.x * q.z - q.w * q.y)} * width;
    const LaneVector<F> up = LaneVector<F>{two * (q.x * q.y - q.w * q.z), one - two * (q.x * q.x + q.z * q.z),
                                           two * (q.y * q.z + q.w * q.x)} * height;
    const auto corner = [&](std::size_t i) {
        return origin + across * F(kLeafOutline[i].x) + up * F(kLeafOutline[i].y);
    };
    return {corner(0), corner(1), corner(2), corner(3)};
}

// A leaf hanging `along` beyond the start of its point's segment, turned and
// tilted about the world axes after the point's orientation.
template <class F>
[[gnu::always_inline]] inline std::array<LaneVector<F>, 4> leafCorners(const LeafCornerInput<F>& in) {
    const F zero(0.0f), one(1.0f);
    const LaneVector<F> segment{zero, in.along, zero};
    const LaneVector<F> leafPosition = in.position + in.orientation * segment;
    // FromAngleAxis about Vector3::UNIT_Y and Vector3::UNIT_X, products by
    // the axes' zeros included: they decide the signs of zeros.
    const LaneQuaternion<F> qRot{in.cosTurn, in.sinTurn * zero, in.sinTurn * one, in.sinTurn * zero};
    const LaneQuaternion<F> qDown{in.cosTilt, in.sinTilt * one, in.sinTilt * zero, in.sinTilt * zero};
    const LaneQuaternion<F> q = qRot * qDown * in.orientation;
    return quadCorners(q, leafPosition + q * segment, in.width, in.height);
}
