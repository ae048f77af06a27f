#include "math/Vector3.h"

namespace Velk {

const Vector3 Vector3::ZERO{0.0f, 0.0f, 0.0f};
const Vector3 Vector3::UNIT_X{1.0f, 0.0f, 0.0f};
const Vector3 Vector3::UNIT_Y{0.0f, 1.0f, 0.0f};
const Vector3 Vector3::UNIT_Z{0.0f, 0.0f, 1.0f};
const Vector3 Vector3::UNIT_SCALE{1.0f, 1.0f, 1.0f};

} // namespace Velk
