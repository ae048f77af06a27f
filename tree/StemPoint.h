#pragma once

#include "math/Quaternion.h"
#include "math/Vector3.h"

// One spine point of a stem, also the layout of the start frame of a stem
// and of a leaf's frame. The segment's world end is
// position + orientation * segment.
struct StemPoint {
    Velk::Quaternion orientation; // local +Y is the direction of growth
    Velk::Vector3 segment;        // (0, segment length, 0); zero for point 0
    Velk::Vector3 position;       // world position where the segment starts

    Velk::Vector3 end() const { return position + orientation * segment; }
};
