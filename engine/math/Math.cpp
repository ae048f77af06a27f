#include "math/Math.h"

#include <cmath> // Required for: std::pow, std::sqrt

namespace Velk {

float Math::Pow(float base, float exponent) { return std::pow(base, exponent); }

float Math::Sqrt(float value) { return std::sqrt(value); }

} // namespace Velk
