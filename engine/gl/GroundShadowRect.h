#pragma once

#include "math/Matrix4.h" // Required for: Matrix4

#include <array>    // Required for: std::array
#include <optional> // Required for: std::optional

namespace Velk::GL {

// A window rectangle: left, bottom, width, height in pixels.
using WindowRect = std::array<int, 4>;

// Where on the window the level ground can be shadowed. The ground at
// `groundHeight` looks the shadow map up `lookupOffset` above itself (below,
// when negative); `shadowMatrix` takes world points to map coordinates whose
// x and y lie in 0..1 on the map's square. Returns a rectangle, within
// `viewport`, that holds every pixel of the ground whose lookup falls on the
// square, padded by `padding` pixels against rounding; an empty one (width 0)
// when none is on screen. Returns nothing when it cannot be bounded: the
// light skims the ground, or part of the shadowed ground lies behind the eye.
std::optional<WindowRect> groundShadowRect(const Matrix4& shadowMatrix, float groundHeight, float lookupOffset,
                                           const Matrix4& viewProjection, const WindowRect& viewport, int padding);

} // namespace Velk::GL
