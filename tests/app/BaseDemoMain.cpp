// A demonstration that keeps the base free-camera listener, for tests of its
// keys: a sky and nothing else, and its toggles in the state dump.
#include "DemoApplication.h"
#include "DemoFrameListener.h"
#include "core/Exception.h"     // Required for: Velk::Exception
#include "render/ErrorDialog.h" // Required for: Velk::showErrorDialog
#include "render/Root.h"        // Required for: Velk::Root
#include "scene/SceneManager.h" // Required for: Velk::SceneManager

#include <nlohmann/json.hpp> // Required for: nlohmann::json

namespace {

// The base listener with its toggles readable.
class InspectableListener : public DemoFrameListener {
public:
    using DemoFrameListener::DemoFrameListener;
    nlohmann::json describe() const {
        return {{"statsOn", statsOn}, {"filtering", filtering}, {"anisotropy", anisotropy},
                {"detailIndex", detailIndex}, {"screenshots", numScreenShots}};
    }
};

class BaseDemo : public DemoApplication {
protected:
    void createScene() override {
        sceneManager->setAmbientLight(Velk::ColourValue(0.5f, 0.5f, 0.5f));
        sceneManager->setSkyBox(true, "Examples/BlueSkyBox", 50);
    }
    void createFrameListener() override {
        auto* listener = new InspectableListener(window, camera);
        listener->showDebugOverlay(true);
        frameListener = listener;
        root->addFrameListener(listener);
        root->setStateDumpSection("baseDemo", [listener] { return listener->describe(); });
    }
};

} // namespace

int main(int argc, char** argv) {
    try {
        if (!Velk::Root::setCommandLine(argc, argv)) return 0;
    } catch (const Velk::Exception&) {
        return 2;
    }
    // The application outlives the handlers: an error is shown before the
    // engine shuts down.
    BaseDemo app;
    try {
        app.run();
    } catch (const Velk::Exception& e) {
        Velk::showErrorDialog("An exception has occured!", e.getFullDescription());
        return 1;
    }
    return 0;
}
