#pragma once

namespace Velk {

// A colour of four 32-bit float channels, each nominally 0..1.
struct ColourValue {
    float r = 0.0f; // default: black
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f; // default: opaque

    constexpr ColourValue() = default;
    constexpr ColourValue(float r_, float g_, float b_, float a_ = 1.0f) : r(r_), g(g_), b(b_), a(a_) {}
    constexpr bool operator==(const ColourValue&) const = default;

    static const ColourValue Black;
    static const ColourValue White;
};

inline const ColourValue ColourValue::Black{0.0f, 0.0f, 0.0f, 1.0f};
inline const ColourValue ColourValue::White{1.0f, 1.0f, 1.0f, 1.0f};

} // namespace Velk
