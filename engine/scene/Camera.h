#pragma once

#include "math/Matrix4.h"         // Required for: Matrix4
#include "math/Quaternion.h"      // Required for: Quaternion
#include "math/Vector3.h"         // Required for: Vector3
#include "scene/MovableObject.h"  // Required for: MovableObject
#include "scene/SceneDetailLevel.h" // Required for: SceneDetailLevel

namespace Velk {

class SceneManager;

// An eye in the scene looking down its local -Z with +Y up. Turning left
// and right (yaw) is about the world's vertical axis, so the horizon stays
// level; pitch is about the camera's own X axis. Angles are in degrees.
// Made by SceneManager::createCamera.
class Camera : public MovableObject {
public:
    Camera(std::string name, SceneManager* creator);

    const char* getMovableType() const override { return "Camera"; }
    SceneManager* getSceneManager() const { return creator_; }

    void setPosition(float x, float y, float z) { position_ = {x, y, z}; }
    void setPosition(const Vector3& position) { position_ = position; }
    const Vector3& getPosition() const { return position_; }
    void setOrientation(const Quaternion& orientation) { orientation_ = orientation; }
    const Quaternion& getOrientation() const { return orientation_; }
    // Moves by `offset` in world axes / in the camera's own axes.
    void move(const Vector3& offset) { position_ += offset; }
    void moveRelative(const Vector3& offset);

    // Turns to look along `direction` (world axes), keeping the horizon level.
    void setDirection(const Vector3& direction);
    Vector3 getDirection() const;
    // Turns to look at a point (world axes).
    void lookAt(const Vector3& target);
    void lookAt(float x, float y, float z) { lookAt(Vector3{x, y, z}); }
    void yaw(float degrees);
    void pitch(float degrees);
    void roll(float degrees);

    // Place and turn in the world, through the node it hangs on (if any).
    Vector3 getDerivedPosition() const;
    Quaternion getDerivedOrientation() const;

    void setNearClipDistance(float distance);
    float getNearClipDistance() const { return near_; }
    void setFarClipDistance(float distance);
    float getFarClipDistance() const { return far_; }
    // Vertical field of view in degrees (default 45).
    void setFOVy(float degrees);
    float getFOVy() const { return fovY_; }
    // Width over height of the picture (default 4:3).
    void setAspectRatio(float ratio);
    float getAspectRatio() const { return aspect_; }
    // Points, wireframe or solid for everything this camera draws (default solid).
    void setDetailLevel(SceneDetailLevel level);
    SceneDetailLevel getDetailLevel() const { return detail_; }

    Matrix4 getViewMatrix() const;
    Matrix4 getProjectionMatrix() const;

private:
    SceneManager* creator_;
    Vector3 position_;
    Quaternion orientation_;
    float near_ = 100.0f;
    float far_ = 100000.0f;
    float fovY_ = 45.0f;
    float aspect_ = 4.0f / 3.0f;
    SceneDetailLevel detail_ = SDL_SOLID;
};

} // namespace Velk
