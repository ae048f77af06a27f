#include "scene/Light.h"

#include "core/Exception.h"
#include "scene/SceneNode.h"

namespace Velk {

void Light::setType(LightTypes type) {
    if (type < LT_POINT || type > LT_SPOTLIGHT)
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "light '" + getName() + "': unknown light type " + std::to_string(static_cast<int>(type)) +
                        " (0 point, 1 directional, 2 spotlight)",
                    "Light::setType");
    type_ = type;
}

// Callers give any length; shading needs unit length.
void Light::setDirection(const Vector3& direction) {
    Vector3 unit = direction;
    if (unit.normalise() == 0.0f)
        VELK_EXCEPT(ERR_INVALIDPARAMS, "light '" + getName() + "': the direction must not be the zero vector",
                    "Light::setDirection");
    direction_ = unit;
}

Vector3 Light::getDerivedDirection() const {
    const SceneNode* node = getParentSceneNode();
    return node == nullptr ? direction_ : node->getDerivedOrientation() * direction_;
}

} // namespace Velk
