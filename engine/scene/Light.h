#pragma once

#include "core/ColourValue.h"    // Required for: ColourValue
#include "math/Vector3.h"        // Required for: Vector3
#include "scene/MovableObject.h" // Required for: MovableObject

namespace Velk {

// A light source. Directional lights shine along one direction everywhere,
// like the sun; they are the only kind that takes part in shading (point
// and spot lights are recorded but not drawn). Made by SceneManager::createLight.
class Light : public MovableObject {
public:
    enum LightTypes {
        LT_POINT = 0,
        LT_DIRECTIONAL = 1,
        LT_SPOTLIGHT = 2,
    };

    explicit Light(std::string name) : MovableObject(std::move(name)) {}
    const char* getMovableType() const override { return "Light"; }

    void setType(LightTypes type);
    LightTypes getType() const { return type_; }
    // The direction the light travels; stored at unit length. Throws for a zero vector.
    void setDirection(const Vector3& direction);
    void setDirection(float x, float y, float z) { setDirection(Vector3{x, y, z}); }
    const Vector3& getDirection() const { return direction_; }
    // The direction in the world, turned by the node it hangs on (if any).
    Vector3 getDerivedDirection() const;
    void setPosition(const Vector3& position) { position_ = position; }
    const Vector3& getPosition() const { return position_; }
    // Colour and strength of the light (default white).
    void setDiffuseColour(const ColourValue& colour) { diffuse_ = colour; }
    void setDiffuseColour(float r, float g, float b) { diffuse_ = {r, g, b, 1.0f}; }
    const ColourValue& getDiffuseColour() const { return diffuse_; }
    void setVisible(bool visible) { visible_ = visible; }
    bool isVisible() const { return visible_; }

private:
    LightTypes type_ = LT_POINT;
    Vector3 direction_{0.0f, 0.0f, -1.0f};
    Vector3 position_;
    ColourValue diffuse_ = ColourValue::White;
    bool visible_ = true;
};

} // namespace Velk
