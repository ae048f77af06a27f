#pragma once

#include <cmath> // Required for: std::sqrt

#if defined(__SSE2__)
#include <emmintrin.h> // Required for: __m128, _mm_sqrt_ps, _mm_div_ps, _mm_cmpgt_ps
#endif

// Four vectors side by side, one array per component: the normals of a leaf's
// four corners, or of four neighbouring ring vertices.
struct FourVectors {
    alignas(16) float x[4];
    alignas(16) float y[4];
    alignas(16) float z[4];
};

// Scales each of the four vectors to unit length exactly as
// Velk::Vector3::normalise does (length sqrt((x*x + y*y) + z*z), then a
// multiplication by 1 / length; a zero vector stays as it is), four at a
// time. Every step is one IEEE operation rounded the same way in the packed
// and the scalar form, so the results are bit for bit those of normalise.
#if defined(__SSE2__)
// The same on four vectors held in registers, one register per component.
inline void normaliseFour(__m128& x, __m128& y, __m128& z) {
    const __m128 squared = _mm_add_ps(_mm_add_ps(_mm_mul_ps(x, x), _mm_mul_ps(y, y)), _mm_mul_ps(z, z));
    const __m128 length = _mm_sqrt_ps(squared);
    const __m128 inverse = _mm_div_ps(_mm_set1_ps(1.0f), length);
    const __m128 scale = _mm_cmpgt_ps(length, _mm_setzero_ps()); // false for 0 and NaN
    // Where the length is not positive the vector is kept unchanged.
    const auto pick = [&](__m128 original) {
        return _mm_or_ps(_mm_and_ps(scale, _mm_mul_ps(original, inverse)), _mm_andnot_ps(scale, original));
    };
    x = pick(x);
    y = pick(y);
    z = pick(z);
}
#endif

inline void normaliseFour(FourVectors& v) {
#if defined(__SSE2__)
    __m128 x = _mm_load_ps(v.x), y = _mm_load_ps(v.y), z = _mm_load_ps(v.z);
    normaliseFour(x, y, z);
    _mm_store_ps(v.x, x);
    _mm_store_ps(v.y, y);
    _mm_store_ps(v.z, z);
#else
    for (int i = 0; i < 4; ++i) {
        const float length = std::sqrt(v.x[i] * v.x[i] + v.y[i] * v.y[i] + v.z[i] * v.z[i]);
        if (length > 0.0f) {
            const float inverse = 1.0f / length;
            v.x[i] *= inverse;
            v.y[i] *= inverse;
            v.z[i] *= inverse;
        }
    }
#endif
}
