#pragma once

namespace Velk {
class Camera;
class RenderWindow;
class SceneManager;
class Viewport;
} // namespace Velk

// The view every demonstration (and treegen render) starts from, made in
// one place so that the pictures of both agree.

// The camera "PlayerCam" at (0, 0, 500), looking at (0, 0, -300), near clip 5.
Velk::Camera* createPlayerCamera(Velk::SceneManager& scene);

// One viewport over the whole window with a black background; the camera's
// aspect ratio becomes the viewport's pixel width over its height.
Velk::Viewport* createWindowViewport(Velk::RenderWindow& window, Velk::Camera& camera);
