// The smallest program on the engine: settings dialog, a window whose colour
// follows the arrow keys, Escape to quit. It reads top to bottom the way an
// application does: hand over the command line, start, loop, shut down.
#include "core/Exception.h"        // Required for: Velk::Exception
#include "input/InputReader.h"     // Required for: Velk::InputReader
#include "input/PlatformManager.h" // Required for: Velk::PlatformManager
#include "render/ErrorDialog.h"    // Required for: Velk::showErrorDialog
#include "render/Root.h"           // Required for: Velk::Root

#include <algorithm> // Required for: std::clamp
#include <exception> // Required for: std::exception
#include <iostream>  // Required for: std::cerr
#include <memory>    // Required for: std::unique_ptr

namespace {
// Escape ends the loop; Left/Right change the red channel, Up/Down the blue.
class ColourListener : public Velk::FrameListener {
public:
    explicit ColourListener(Velk::RenderWindow* window) : window_(window) {
        reader_ = Velk::PlatformManager::getSingleton().createInputReader();
        reader_->initialise(window, true, true, false);
    }
    ~ColourListener() override { Velk::PlatformManager::getSingleton().destroyInputReader(reader_); }

    bool frameStarted(const Velk::FrameEvent& event) override {
        reader_->capture();
        if (reader_->isKeyDown(Velk::KC_ESCAPE) || window_->isClosed()) return false;
        const float step = event.timeSinceLastFrame * 0.5f;
        if (reader_->isKeyDown(Velk::KC_RIGHT)) red_ += step;
        if (reader_->isKeyDown(Velk::KC_LEFT)) red_ -= step;
        if (reader_->isKeyDown(Velk::KC_UP)) blue_ += step;
        if (reader_->isKeyDown(Velk::KC_DOWN)) blue_ -= step;
        red_ = std::clamp(red_, 0.0f, 1.0f);
        blue_ = std::clamp(blue_, 0.0f, 1.0f);
        window_->setClearColour(Velk::ColourValue(red_, 0.3f, blue_));
        return true;
    }

private:
    Velk::RenderWindow* window_;
    Velk::InputReader* reader_ = nullptr;
    float red_ = 0.2f;
    float blue_ = 0.5f;
};
} // namespace

// Exit status: 0 when the program ends as asked (Escape, a closed window, a
// cancelled settings dialog), 1 after an error, 2 for a bad command line.
int main(int argc, char** argv) {
    try {
        if (!Velk::Root::setCommandLine(argc, argv)) return 0;
    } catch (const Velk::Exception& error) {
        std::cerr << "velk_example: " << error.getFullDescription() << "\n";
        return 2;
    }
    std::unique_ptr<Velk::Root> root;
    std::unique_ptr<ColourListener> listener;
    int status = 0;
    try {
        root = std::make_unique<Velk::Root>("plugins.cfg", "velk.cfg", "Velk.log");
        if (root->showConfigDialog()) {
            Velk::RenderWindow* window = root->initialise(true, "Velk Example");
            listener = std::make_unique<ColourListener>(window);
            root->addFrameListener(listener.get());
            root->startRendering();
        }
    } catch (const Velk::Exception& error) {
        Velk::showErrorDialog("An exception has occured!", error.getFullDescription());
        status = 1;
    } catch (const std::exception& error) {
        Velk::showErrorDialog("An exception has occured!", error.what());
        status = 1;
    }
    listener.reset();
    root.reset();
    return status;
}
