#include "DemoView.h"

#include "render/RenderWindow.h" // Required for: Velk::RenderWindow
#include "render/Viewport.h"     // Required for: Velk::Viewport
#include "scene/Camera.h"        // Required for: Velk::Camera
#include "scene/SceneManager.h"  // Required for: Velk::SceneManager

Velk::Camera* createPlayerCamera(Velk::SceneManager& scene) {
    Velk::Camera* camera = scene.createCamera("PlayerCam");
    camera->setPosition(Velk::Vector3(0, 0, 500));
    camera->lookAt(Velk::Vector3(0, 0, -300));
    camera->setNearClipDistance(5);
    return camera;
}

// Both sizes become floats before the division.
Velk::Viewport* createWindowViewport(Velk::RenderWindow& window, Velk::Camera& camera) {
    Velk::Viewport* viewport = window.addViewport(&camera, 0, 0.0f, 0.0f, 1.0f, 1.0f);
    viewport->setBackgroundColour(Velk::ColourValue(0, 0, 0, 1));
    camera.setAspectRatio(static_cast<float>(viewport->getActualWidth()) /
                          static_cast<float>(viewport->getActualHeight()));
    return viewport;
}
