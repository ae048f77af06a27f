#pragma once

#include "MeshLayout.h"
#include "math/Vector3.h"

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint32_t

#if defined(__SSE2__)
#include <emmintrin.h> // Required for: _mm_storeu_ps, _mm_storeu_si128, _mm_add_epi32
#endif

// Writes one vertex through the two cursors and advances them: position,
// normal and texture coordinates into buffer 0, the packed colour into
// buffer 1. Every vertex of the tree mesh goes through here.
inline void writeVertex(float*& floats, uint32_t*& colours, const Velk::Vector3& position,
                        const Velk::Vector3& normal, float u, float v, uint32_t colour) {
#if defined(__SSE2__)
    // Two 16-byte stores instead of eight 4-byte ones: the passes wait on
    // their stores more than on their arithmetic.
    _mm_storeu_ps(floats, _mm_setr_ps(position.x, position.y, position.z, normal.x));
    _mm_storeu_ps(floats + 4, _mm_setr_ps(normal.y, normal.z, u, v));
#else
    floats[0] = position.x;
    floats[1] = position.y;
    floats[2] = position.z;
    floats[3] = normal.x;
    floats[4] = normal.y;
    floats[5] = normal.z;
    floats[6] = u;
    floats[7] = v;
#endif
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

// Writes the two triangles of each of `leaves` leaf quads whose vertices are
// numbered from `base` on, four per leaf: (a, a+1, a+2) and (a, a+2, a+3).
// The numbers depend on nothing but the leaf's place in the vertex order,
// so the index buffer of all leaves is written in one flat sweep.
inline void writeLeafQuadIndices(uint32_t*& indices, uint32_t base, std::size_t leaves) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Two leaves (twelve indices) per three 16-byte stores.
    const __m128i first = _mm_setr_epi32(0, 1, 2, 0);
    const __m128i second = _mm_setr_epi32(2, 3, 4, 5);
    const __m128i third = _mm_setr_epi32(6, 4, 6, 7);
    for (; i + 2 <= leaves; i += 2) {
        const __m128i a = _mm_set1_epi32(static_cast<int32_t>(base + 4 * static_cast<uint32_t>(i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(indices), _mm_add_epi32(a, first));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(indices + 4), _mm_add_epi32(a, second));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(indices + 8), _mm_add_epi32(a, third));
        indices += 12;
    }
#endif
    for (; i < leaves; ++i) {
        const uint32_t a = base + 4 * static_cast<uint32_t>(i);
        writeTriangle(indices, a, a + 1, a + 2);
        writeTriangle(indices, a, a + 2, a + 3);
    }
}
