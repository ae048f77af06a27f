#pragma once

#include "LaneMath.h"
#include "LeafOutline.h"

#include <array>   // Required for: std::array
#include <cstddef> // Required for: std::size_t

// The corners of a leaf quad, for a number type F that is either a float
// (one leaf) or four float lanes (four leaves at once), with the engine's
// quaternion arithmetic as LaneMath.h writes it: four leaves at once give
// the very bits one leaf at a time gives.

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
