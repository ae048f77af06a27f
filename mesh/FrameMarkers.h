#pragma once

#include "MeshLayout.h"
#include "math/Vector3.h"

#include <array>   // Required for: std::array
#include <cstdint> // Required for: uint32_t

// A coordinate-frame marker: three small arrows along a stem point's local
// x, y and z axes, four vertices each with the tip first (red x, green y,
// blue z, alpha 160). Positions are scaled by 0.5 when placed.
inline constexpr std::array<Velk::Vector3, TreeMeshLayout::VERTICES_PER_FRAME> frameMarkerPoints = {{
    {1.0f, 0.0f, 0.0f}, {0.0f, -0.03f, -0.04f}, {0.0f, -0.03f, 0.04f}, {0.0f, 0.05f, 0.0f},
    {0.0f, 1.0f, 0.0f}, {-0.04f, 0.0f, -0.03f}, {0.04f, 0.0f, -0.03f}, {0.0f, 0.0f, 0.05f},
    {0.0f, 0.0f, 1.0f}, {-0.03f, -0.04f, 0.0f}, {-0.03f, 0.04f, 0.0f}, {0.05f, 0.0f, 0.0f},
}};

inline constexpr std::array<Velk::Vector3, TreeMeshLayout::VERTICES_PER_FRAME> frameMarkerNormals = {{
    {1.0f, 0.0f, 0.0f}, {0.0f, -0.6f, -0.8f}, {0.0f, -0.6f, 0.8f}, {0.0f, 1.0f, 0.0f},
    {0.0f, 1.0f, 0.0f}, {-0.8f, 0.0f, -0.6f}, {0.8f, 0.0f, -0.6f}, {0.0f, 0.0f, 1.0f},
    {0.0f, 0.0f, 1.0f}, {-0.6f, -0.8f, 0.0f}, {-0.6f, 0.8f, 0.0f}, {1.0f, 0.0f, 0.0f},
}};

inline constexpr std::array<uint32_t, TreeMeshLayout::VERTICES_PER_FRAME> frameMarkerColours = {{
    0xA0FF0000u, 0xA0FF0000u, 0xA0FF0000u, 0xA0FF0000u,
    0xA000FF00u, 0xA000FF00u, 0xA000FF00u, 0xA000FF00u,
    0xA00000FFu, 0xA00000FFu, 0xA00000FFu, 0xA00000FFu,
}};

// The nine triangles of one marker as offsets from its first vertex: three
// side faces per arrow, each from the tip.
inline constexpr std::array<uint32_t, TreeMeshLayout::INDICES_PER_FRAME> frameMarkerTriangles = {{
    0, 1, 2,  0, 2, 3,  0, 3, 1,
    4, 5, 6,  4, 6, 7,  4, 7, 5,
    8, 9, 10, 8, 10, 11, 8, 11, 9,
}};
