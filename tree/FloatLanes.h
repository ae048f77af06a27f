#pragma once

#if defined(__SSE2__)
#include <xmmintrin.h> // Required for: __m128 and the _mm_*_ps operations

// Four floats worked on side by side: +, - and * act on each lane alone and
// round as the float operation does, so code written for a float gives the
// same bits in every lane.
struct FloatLanes {
    static constexpr int COUNT = 4;
    __m128 v;

    explicit FloatLanes(float f) : v(_mm_set1_ps(f)) {}
    explicit FloatLanes(__m128 m) : v(m) {}
};

[[gnu::always_inline]] inline FloatLanes operator+(FloatLanes a, FloatLanes b) {
    return FloatLanes(_mm_add_ps(a.v, b.v));
}
[[gnu::always_inline]] inline FloatLanes operator-(FloatLanes a, FloatLanes b) {
    return FloatLanes(_mm_sub_ps(a.v, b.v));
}
[[gnu::always_inline]] inline FloatLanes operator*(FloatLanes a, FloatLanes b) {
    return FloatLanes(_mm_mul_ps(a.v, b.v));
}
#endif
