#include "scene/Camera.h"

#include "core/Exception.h"
#include "math/Math.h"
#include "scene/SceneNode.h"

#include <cmath> // Required for: std::isfinite

namespace Velk {

Camera::Camera(std::string name, SceneManager* creator) : MovableObject(std::move(name)), creator_(creator) {}

void Camera::moveRelative(const Vector3& offset) { position_ += orientation_ * offset; }

// -Z looks along the direction; X stays horizontal. Looking straight up or
// down keeps the previous X axis so the picture does not spin.
void Camera::setDirection(const Vector3& direction) {
    Vector3 back = -direction;
    if (back.normalise() == 0.0f) return;
    Vector3 side = Vector3::UNIT_Y.crossProduct(back);
    if (side.normalise() < 1e-6f) {
        side = orientation_.xAxis();
        side = side - back * side.dotProduct(back);
        if (side.normalise() < 1e-6f) side = Vector3::UNIT_X;
    }
    const Vector3 up = back.crossProduct(side);
    orientation_ = Quaternion::FromAxes(side, up, back);
    orientation_.normalise();
}

Vector3 Camera::getDirection() const { return -(orientation_.zAxis()); }

void Camera::lookAt(const Vector3& target) { setDirection(target - getDerivedPosition()); }

// About the world's vertical axis.
void Camera::yaw(float degrees) {
    orientation_ = Quaternion::FromAngleAxis(degrees * Math::fDeg2Rad, Vector3::UNIT_Y) * orientation_;
    orientation_.normalise();
}

// About the camera's own X axis.
void Camera::pitch(float degrees) {
    orientation_ = orientation_ * Quaternion::FromAngleAxis(degrees * Math::fDeg2Rad, Vector3::UNIT_X);
    orientation_.normalise();
}

// About the camera's own Z axis.
void Camera::roll(float degrees) {
    orientation_ = orientation_ * Quaternion::FromAngleAxis(degrees * Math::fDeg2Rad, Vector3::UNIT_Z);
    orientation_.normalise();
}

Vector3 Camera::getDerivedPosition() const {
    const SceneNode* node = getParentSceneNode();
    return node == nullptr ? position_ : node->getDerivedPosition() + node->getDerivedOrientation() * position_;
}

Quaternion Camera::getDerivedOrientation() const {
    const SceneNode* node = getParentSceneNode();
    return node == nullptr ? orientation_ : node->getDerivedOrientation() * orientation_;
}

void Camera::setNearClipDistance(float distance) {
    if (!(distance > 0.0f) || !std::isfinite(distance))
        VELK_EXCEPT(ERR_INVALIDPARAMS, "camera '" + getName() + "': near clip distance must be above 0, not " +
                                           std::to_string(distance),
                    "Camera::setNearClipDistance");
    near_ = distance;
}

void Camera::setFarClipDistance(float distance) {
    if (!(distance > 0.0f) || !std::isfinite(distance))
        VELK_EXCEPT(ERR_INVALIDPARAMS, "camera '" + getName() + "': far clip distance must be above 0, not " +
                                           std::to_string(distance),
                    "Camera::setFarClipDistance");
    far_ = distance;
}

void Camera::setFOVy(float degrees) {
    if (!(degrees > 0.0f && degrees < 180.0f))
        VELK_EXCEPT(ERR_INVALIDPARAMS, "camera '" + getName() + "': field of view must lie between 0 and 180 degrees",
                    "Camera::setFOVy");
    fovY_ = degrees;
}

void Camera::setAspectRatio(float ratio) {
    if (!(ratio > 0.0f) || !std::isfinite(ratio))
        VELK_EXCEPT(ERR_INVALIDPARAMS, "camera '" + getName() + "': aspect ratio must be above 0, not " +
                                           std::to_string(ratio),
                    "Camera::setAspectRatio");
    aspect_ = ratio;
}

void Camera::setDetailLevel(SceneDetailLevel level) {
    if (level < SDL_POINTS || level > SDL_SOLID)
        VELK_EXCEPT(ERR_INVALIDPARAMS, "unknown detail level " + std::to_string(static_cast<int>(level)) +
                                           " (1 points, 2 wireframe, 3 solid)",
                    "Camera::setDetailLevel");
    detail_ = level;
}

Matrix4 Camera::getViewMatrix() const { return Matrix4::view(getDerivedPosition(), getDerivedOrientation()); }

// A far plane nearer than the near plane is a caller error caught by the setters' order of use.
Matrix4 Camera::getProjectionMatrix() const {
    return Matrix4::perspective(fovY_ * Math::fDeg2Rad, aspect_, near_, far_ > near_ ? far_ : near_ * 2.0f);
}

} // namespace Velk
