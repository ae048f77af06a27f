#pragma once

namespace Velk {
class Camera;
class FrameListener;
class RenderWindow;
class Root;
class SceneManager;
} // namespace Velk

// A reusable base for demonstrations on the engine: creates the root, lets
// the user confirm the render settings, opens the window, registers the
// resource locations, creates scene manager, camera and viewport, asks the
// demonstration for its scene and frame listener, then runs the frame loop.
class DemoApplication {
public:
    DemoApplication() = default;
    virtual ~DemoApplication();
    DemoApplication(const DemoApplication&) = delete;
    DemoApplication& operator=(const DemoApplication&) = delete;

    // Sets everything up and runs the frame loop until a listener ends it.
    virtual void run();

protected:
    // Builds everything; false only when the settings dialog was cancelled.
    virtual bool setup();
    // Shows the settings dialog and opens the window; false on cancel.
    virtual bool configure();
    virtual void selectSceneManager();
    virtual void createCamera();
    // The free-camera listener with its statistics overlay.
    virtual void createFrameListener();
    virtual void createScene() = 0;
    virtual void createViewport();
    // Registers every location listed in "resources.cfg".
    virtual void registerResourceLocations();

    Velk::Root* root = nullptr;                   // owned
    Velk::Camera* camera = nullptr;               // engine-owned
    Velk::SceneManager* sceneManager = nullptr;   // engine-owned
    Velk::FrameListener* frameListener = nullptr; // owned
    Velk::RenderWindow* window = nullptr;         // engine-owned
};
