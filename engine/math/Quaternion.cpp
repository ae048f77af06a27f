#include "math/Quaternion.h"

namespace Velk {

const Quaternion Quaternion::IDENTITY{1.0f, 0.0f, 0.0f, 0.0f};

} // namespace Velk
