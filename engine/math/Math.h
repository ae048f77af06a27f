#pragma once

namespace Velk {

// Single-precision constants and functions of the engine.
class Math {
public:
    static constexpr float PI = 3.14159265358979323846f;
    static constexpr float HALF_PI = 0.5f * PI;
    static constexpr float TWO_PI = 2.0f * PI;
    static constexpr float fDeg2Rad = PI / 180.0f;
    static constexpr float fRad2Deg = 180.0f / PI;

    // base raised to exponent, in single precision.
    static float Pow(float base, float exponent);
    // Square root in single precision.
    static float Sqrt(float value);
};

} // namespace Velk
