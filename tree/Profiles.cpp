#include "Profiles.h"

#include "TreeParameters.h"
#include "math/Math.h"

#include <algorithm> // Required for: std::max
#include <cmath>     // Required for: std::sin, std::sqrt, std::floor, std::fabs

using Velk::Math;

namespace {
// Products are held as 32-bit floats before they are summed: the trees'
// counts at exact halves depend on it.
float f(double v) { return static_cast<float>(v); }
} // namespace

float shapeRatio(uint32_t shape, float ratio) {
    const double r = ratio;
    switch (shape) {
    case 1: return f(0.2 + f(0.8 * std::sin(f(double(Math::PI) * r))));
    case 2: return f(0.2 + f(0.8 * std::sin(f(double(Math::HALF_PI) * r))));
    case 3: return 1.0f;
    case 4: return f((r + 1.0) * 0.5);
    case 5: return r <= 0.7 ? f(r * 1.4285714285714286) : f((1.0 - r) * 3.3333333333333335);
    case 6: return f(1.0 - f(0.8 * r));
    case 7:
        return r <= 0.7 ? f(0.5 + f(r * 0.7142857142857143))
                        : f(0.5 + f((1.0 - r) * 1.6666666666666667));
    case 8: return 1.0f;
    default: return f(0.2 + f(0.8 * r));
    }
}

float radiusAt(const TreeParameters& params, uint8_t level, float z, float length, float radius) {
    const double t = params.taper[level];
    const double unitTaper = (t >= 0.0 && t < 1.0) ? t : (t >= 1.0 && t < 2.0) ? 2.0 - t : 0.0;
    const float taperZ = f(radius * (1.0 - unitTaper * z));

    double result;
    if (t >= 0.0 && t < 1.0) {
        result = taperZ;
    } else {
        double distance = (1.0 - z) * length;
        const double depth = (t >= 2.0 && distance >= taperZ) ? t - 2.0 : 1.0;
        if (t >= 2.0) {
            const float twice = f(2.0 * taperZ);
            distance = std::fabs(distance - twice * std::floor(distance / twice + 0.5));
        }
        if (t < 2.0 && distance >= taperZ) {
            result = taperZ;
        } else {
            const double d = distance - taperZ;
            result = depth * std::sqrt(std::fabs(double(taperZ) * taperZ - d * d)) +
                     (1.0 - depth) * taperZ;
        }
    }

    if (level == 0) {
        const double y = std::max(0.0, 1.0 - 8.0 * z);
        result *= 1.0 + params.flare * (double(Math::Pow(100.0f, f(y))) - 1.0) * 0.01;
    }
    return f(result);
}
