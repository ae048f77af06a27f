#pragma once

#include "math/Vector3.h"         // Required for: Velk::Vector3
#include "render/FrameListener.h" // Required for: Velk::FrameListener

#include <cstdint> // Required for: int32_t, uint32_t

namespace Velk {
class Camera;
class InputReader;
class Overlay;
class RenderWindow;
} // namespace Velk

// The base per-frame listener of a demonstration: owns the input reader,
// shows the statistics overlay, flies the camera freely with keyboard and
// mouse, takes screenshots and switches display modes; refreshes the
// statistics at the end of every frame. Input is polled once per frame.
class DemoFrameListener : public Velk::FrameListener {
public:
    DemoFrameListener(Velk::RenderWindow* window, Velk::Camera* camera);
    ~DemoFrameListener() override;
    DemoFrameListener(const DemoFrameListener&) = delete;
    DemoFrameListener& operator=(const DemoFrameListener&) = delete;

    bool frameStarted(const Velk::FrameEvent& event) override;
    // Refreshes the statistics overlay.
    bool frameEnded(const Velk::FrameEvent& event) override;
    // Keys of the free camera; false ends the frame loop (Escape).
    virtual bool pollKeyboard(const Velk::FrameEvent& event);

    bool pollMouse(const Velk::FrameEvent& event);
    void applyCameraMotion();
    // Writes the frame statistics and the debug text into "Core/DebugOverlay".
    void updateStatistics();
    // Shows or hides the statistics overlay, when it exists.
    void showDebugOverlay(bool show);
    // Writes the frame just drawn to the next "screenshot_%d.png" that does not exist yet.
    void writeScreenshot();

protected:
    int32_t detailIndex = 0;             // position in the solid/wireframe/points cycle
    float moveSpeed = 100.0f;            // scene units per second
    float rotateSpeed = 36.0f;           // degrees per second
    Velk::Overlay* debugOverlay = nullptr; // "Core/DebugOverlay", may be missing
    Velk::InputReader* inputReader = nullptr;
    Velk::Camera* camera = nullptr;
    Velk::Vector3 translateVector = Velk::Vector3::ZERO; // camera-relative movement of this frame
    Velk::RenderWindow* window = nullptr;
    bool statsOn = true;                 // whether the statistics overlay is shown
    uint32_t numScreenShots = 0;
    uint32_t lastScreenshotNumber = 0;   // the number in the last "screenshot_%d.png" written
    bool screenshotRequested = false;    // Print Screen this frame: written once the frame is drawn
    float moveScale = 0.0f;              // distance per key this frame
    float rotScale = 0.0f;               // degrees per key this frame
    float timeUntilNextToggle = 0.0f;    // seconds until a toggle key is accepted again
    float rotX = 0.0f;                   // mouse yaw this frame, degrees
    float rotY = 0.0f;                   // mouse pitch this frame, degrees
    int32_t filtering = 1;               // 1 bilinear, 2 trilinear, 3 anisotropic
    int32_t anisotropy = 1;

    // Whether any listener shows the camera's position and orientation.
    static bool displayCameraDetails;
};
