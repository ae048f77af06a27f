#pragma once

#include "math/Vector3.h"

#include <array> // Required for: std::array

// The leaf outline in leaf-local coordinates: a unit square whose base edge
// is centred on the leaf's origin, extending along local +Y. Leaf creation
// scales and places it; the mesh reads it again for texture coordinates, so
// both must see the same corners in the same order.
inline constexpr std::array<Velk::Vector3, 4> kLeafOutline = {{{-0.5f, 0.0f, 0.0f},
                                                               {-0.5f, 1.0f, 0.0f},
                                                               {0.5f, 1.0f, 0.0f},
                                                               {0.5f, 0.0f, 0.0f}}};
