#pragma once

#include "math/AxisAlignedBox.h" // Required for: Velk::AxisAlignedBox

class Tree;

// Where the orbit camera stands to show a whole tree: its distance from the
// tree's axis and the height it looks at.
struct TreeFraming {
    float distance = 30.0f;
    float lookAtHeight = 0.0f;
};

// The box round every ring vertex and every leaf corner of a grown tree
// (the mesh's own bounds leave the leaves out).
Velk::AxisAlignedBox treeBounds(const Tree& tree);

// The orbit that fits `bounds` into a camera of vertical field of view
// `fovYDegrees` and `aspect` (width over height), seen from `azimuthDegrees`
// and `elevationDegrees` (as the orbit camera measures them), with `margin`
// times the room the bounds need and the tree centred on the screen.
// `nearClip` keeps the whole box beyond the camera's near plane.
TreeFraming frameTree(const Velk::AxisAlignedBox& bounds, float fovYDegrees, float aspect, float azimuthDegrees,
                      float elevationDegrees, float nearClip = 0.0f, float margin = 1.1f);
