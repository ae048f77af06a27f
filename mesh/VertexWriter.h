#pragma once

#include "MeshLayout.h"
#include "math/Vector3.h"

#include <cstdint> // Required for: uint32_t

// Writes one vertex through the two cursors and advances them: position,
// normal and texture coordinates into buffer 0, the packed colour into
// buffer 1. Every vertex of the tree mesh goes through here.
inline void writeVertex(float*& floats, uint32_t*& colours, const Velk::Vector3& position,
                        const Velk::Vector3& normal, float u, float v, uint32_t colour) {
    floats[0] = position.x;
    floats[1] = position.y;
    floats[2] = position.z;
    floats[3] = normal.x;
    floats[4] = normal.y;
    floats[5] = normal.z;
    floats[6] = u;
    floats[7] = v;
    floats += TreeMeshLayout::FLOATS_PER_VERTEX;
    *colours++ = colour;
}

// Writes one triangle through the index cursor and advances it.
inline void writeTriangle(uint32_t*& indices, uint32_t a, uint32_t b, uint32_t c) {
    indices[0] = a;
    indices[1] = b;
    indices[2] = c;
    indices += 3;
}
