#include "DemoFrameListener.h"

#include "core/StringConverter.h"      // Required for: Velk::StringConverter
#include "input/InputReader.h"         // Required for: Velk::InputReader
#include "input/KeyCodes.h"            // Required for: Velk::KC_*
#include "input/PlatformManager.h"     // Required for: Velk::PlatformManager
#include "material/MaterialManager.h"  // Required for: Velk::MaterialManager
#include "overlay/OverlayManager.h"    // Required for: Velk::OverlayManager, Velk::Overlay
#include "render/RenderWindow.h"       // Required for: Velk::RenderWindow
#include "scene/Camera.h"              // Required for: Velk::Camera

#include <filesystem>   // Required for: std::filesystem::exists
#include <string>       // Required for: std::string
#include <system_error> // Required for: std::error_code

bool DemoFrameListener::displayCameraDetails = false;

// Every other field starts at its declared value.
DemoFrameListener::DemoFrameListener(Velk::RenderWindow* window_, Velk::Camera* camera_)
    : camera(camera_), window(window_) {
    debugOverlay = Velk::OverlayManager::getSingleton().getByName("Core/DebugOverlay");
    inputReader = Velk::PlatformManager::getSingleton().createInputReader();
    inputReader->initialise(window_, true, true, false);
    showDebugOverlay(true);
}

DemoFrameListener::~DemoFrameListener() { Velk::PlatformManager::getSingleton().destroyInputReader(inputReader); }

void DemoFrameListener::showDebugOverlay(bool show) {
    if (!debugOverlay) return;
    if (show)
        debugOverlay->show();
    else
        debugOverlay->hide();
}

bool DemoFrameListener::frameStarted(const Velk::FrameEvent& event) {
    if (window->isClosed()) return false;
    inputReader->capture();

    // The delay may drop below zero once; a toggle sets it again.
    if (timeUntilNextToggle >= 0.0f) timeUntilNextToggle -= event.timeSinceLastFrame;
    if (event.timeSinceLastFrame == 0.0f) {
        moveScale = 1.0f;
        rotScale = 0.1f;
    } else {
        moveScale = moveSpeed * event.timeSinceLastFrame;
        rotScale = rotateSpeed * event.timeSinceLastFrame;
    }
    rotX = 0.0f;
    rotY = 0.0f;
    translateVector = Velk::Vector3::ZERO;
    if (!pollKeyboard(event)) return false;
    if (!pollMouse(event)) return false;
    applyCameraMotion();
    return true;
}

// A Print Screen of this frame is written here, once the frame is drawn.
bool DemoFrameListener::frameEnded(const Velk::FrameEvent&) {
    if (screenshotRequested) writeScreenshot();
    updateStatistics();
    return true;
}

// Numbers whose file exists are skipped, so an earlier run's pictures stay.
void DemoFrameListener::writeScreenshot() {
    screenshotRequested = false;
    std::string name;
    std::error_code ignored;
    do {
        ++lastScreenshotNumber;
        name = "screenshot_" + std::to_string(lastScreenshotNumber) + ".png";
    } while (std::filesystem::exists(std::filesystem::symlink_status(name, ignored)));
    window->writeContentsToFile(name);
    ++numScreenShots;
    window->setDebugText("Wrote " + name);
}

bool DemoFrameListener::pollMouse(const Velk::FrameEvent&) {
    const int rx = inputReader->getMouseRelativeX();
    const int ry = inputReader->getMouseRelativeY();
    if (inputReader->getMouseButton(1)) {
        // The second button pans in the view plane.
        translateVector.x += static_cast<float>(rx * 0.13);
        translateVector.y -= static_cast<float>(ry * 0.13);
    } else {
        rotX = static_cast<float>(-rx * 0.13);
        rotY = static_cast<float>(-ry * 0.13);
    }
    return true;
}

void DemoFrameListener::applyCameraMotion() {
    camera->yaw(rotX);
    camera->pitch(rotY);
    camera->moveRelative(translateVector);
}

bool DemoFrameListener::pollKeyboard(const Velk::FrameEvent&) {
    using namespace Velk;
    InputReader& in = *inputReader;
    // Movement keys set a component, so of two opposite keys the later wins.
    if (in.isKeyDown(KC_A)) translateVector.x = -moveScale;
    if (in.isKeyDown(KC_D)) translateVector.x = moveScale;
    if (in.isKeyDown(KC_UP) || in.isKeyDown(KC_W)) translateVector.z = -moveScale;
    if (in.isKeyDown(KC_DOWN) || in.isKeyDown(KC_S)) translateVector.z = moveScale;
    if (in.isKeyDown(KC_PGUP)) translateVector.y = moveScale;
    if (in.isKeyDown(KC_PGDOWN)) translateVector.y = -moveScale;
    if (in.isKeyDown(KC_RIGHT)) camera->yaw(-rotScale);
    if (in.isKeyDown(KC_LEFT)) camera->yaw(rotScale);
    if (in.isKeyDown(KC_ESCAPE)) return false;

    if (in.isKeyDown(KC_F) && timeUntilNextToggle <= 0) {
        statsOn = !statsOn;
        showDebugOverlay(statsOn);
        timeUntilNextToggle = 1;
    }
    if (in.isKeyDown(KC_T) && timeUntilNextToggle <= 0) {
        switch (filtering) {
        case 1: filtering = 2; anisotropy = 1; break;
        case 2: filtering = 3; anisotropy = 8; break;
        default: filtering = 1; anisotropy = 1; break;
        }
        MaterialManager::getSingleton().setDefaultTextureFiltering(
            static_cast<TextureFilterOptions>(filtering));
        MaterialManager::getSingleton().setDefaultAnisotropy(static_cast<unsigned>(anisotropy));
        showDebugOverlay(statsOn);
        timeUntilNextToggle = 1;
    }
    if (in.isKeyDown(KC_SYSRQ) && timeUntilNextToggle <= 0) {
        // What the window holds now is the previous frame (nothing on the
        // first): the picture is taken at the end of this frame.
        screenshotRequested = true;
        timeUntilNextToggle = 0.5f;
    }
    if (in.isKeyDown(KC_R) && timeUntilNextToggle <= 0) {
        detailIndex = (detailIndex + 1) % 3;
        static const SceneDetailLevel levels[3] = {SDL_SOLID, SDL_WIREFRAME, SDL_POINTS};
        camera->setDetailLevel(levels[detailIndex]);
        timeUntilNextToggle = 0.5f;
    }
    if (in.isKeyDown(KC_P) && timeUntilNextToggle <= 0) {
        displayCameraDetails = !displayCameraDetails;
        timeUntilNextToggle = 0.5f;
        if (!displayCameraDetails) window->setDebugText("");
    }
    if (displayCameraDetails) {
        window->setDebugText("P: " + StringConverter::toString(camera->getDerivedPosition()) + " " +
                             "O: " + StringConverter::toString(camera->getDerivedOrientation()));
    }
    return true;
}
