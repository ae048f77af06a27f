#pragma once

#include "render/AutomationOptions.h" // Required for: AutomationOptions
#include "render/FrameListener.h"     // Required for: FrameListener, FrameEvent
#include "render/RenderWindow.h"      // Required for: RenderWindow
#include "scene/SceneType.h"          // Required for: SceneType

#include <nlohmann/json_fwd.hpp> // Required for: nlohmann::json

#include <chrono>     // Required for: std::chrono::steady_clock
#include <functional> // Required for: std::function
#include <map>        // Required for: std::map
#include <memory>     // Required for: std::unique_ptr
#include <optional>   // Required for: std::optional
#include <string>     // Required for: std::string
#include <vector>     // Required for: std::vector

namespace Velk {

class EngineManagers;
class ImmediateGui;
class KeyScript;
class Log;
class OverlayManager;
class PlatformManager;
class RenderSystem;
class ResourceManager;
class SceneManager;

// The engine: opens the log, reads the plug-in and settings files, shows the
// settings dialog, opens the render window and runs the frame loop. There is
// at most one; destroying it shuts everything down and frees every GL object.
//
// The frame loop, per frame: read window events (and the key script), start
// the immediate-mode GUI's frame with that input, call
// every listener's frameStarted, draw the window (clear, then its
// RenderTargetListeners), call frameEnded, write a requested screenshot,
// present, count the frame in the statistics. A listener returning false from
// frameStarted ends the loop before drawing; from frameEnded, after presenting.
class Root {
public:
    Root(const std::string& pluginFileName = "plugins.cfg", const std::string& configFileName = "velk.cfg",
         const std::string& logFileName = "Velk.log");
    ~Root();
    Root(const Root&) = delete;
    Root& operator=(const Root&) = delete;

    // Takes the program's command line (argv[0] is the program) and reads
    // the key script it names. Returns false when the program should end at
    // once because --help was printed; a bad option or key script is an
    // engine error. Call it before creating the root.
    static bool setCommandLine(int argc, const char* const* argv);
    // The options the next root will use (tests set them directly).
    static void setAutomationOptions(const AutomationOptions& options);
    static const AutomationOptions& getAutomationOptions();

    static Root& getSingleton();
    static Root* getSingletonPtr();

    // Shows the settings dialog; false when the user cancels. Without a
    // display (or when offscreen) it is skipped and the saved settings stand,
    // unless --dialog-keys asks for it.
    bool showConfigDialog();
    // Reads the settings file again; false when it does not exist.
    bool restoreConfig();
    // Writes the current settings to the settings file.
    void saveConfig();

    // Opens the render window when autoCreateWindow is true (offscreen when
    // asked for or when no display opens) and returns it.
    RenderWindow* initialise(bool autoCreateWindow, const std::string& windowTitle = "Velk Render Window");
    RenderWindow* getAutoCreatedWindow() const { return window_.get(); }
    RenderSystem* getRenderSystem() const { return renderSystem_.get(); }
    // The scene of that type (there is one scene, whatever the type). It
    // exists from initialise on; before that this is an engine error.
    SceneManager* getSceneManager(SceneType type = ST_GENERIC);

    void addFrameListener(FrameListener* listener);
    void removeFrameListener(FrameListener* listener);

    // Runs frames until a listener returns false (or the frame limit of the
    // command line is reached), then writes the requested state dump.
    void startRendering();
    // One frame of the loop; false when the loop should stop.
    bool renderOneFrame();
    // Frames started so far (the first frame is 1).
    unsigned long getCurrentFrameNumber() const { return frameNumber_; }

    // Adds (or, with an empty function, removes) a top-level part of the
    // state dump. Engine subsystems register theirs when they are created.
    using StateDumpSection = std::function<nlohmann::json()>;
    void setStateDumpSection(const std::string& name, StateDumpSection section);
    // Writes the state as a JSON document.
    void writeStateDump(const std::string& fileName) const;

    // Whether a display was found when the root started (always false when
    // offscreen was asked for).
    bool isDisplayAvailable() const { return displayAvailable_; }

private:
    void readPlugins(const std::string& fileName);
    // Sets the anti-aliasing default of this machine's renderer.
    void chooseDefaultAntiAliasing();
    bool fireFrameStarted(const FrameEvent& event);
    bool fireFrameEnded(const FrameEvent& event);
    std::unique_ptr<RenderWindow> createWindow(const std::string& title, unsigned int width, unsigned int height,
                                               bool resizable);

    AutomationOptions options_;
    std::string configFileName_;
    std::unique_ptr<Log> log_;
    std::unique_ptr<ResourceManager> resourceManager_;
    std::unique_ptr<PlatformManager> platformManager_;
    std::unique_ptr<RenderSystem> renderSystem_;
    std::unique_ptr<KeyScript> keyScript_;
    std::unique_ptr<RenderWindow> window_;
    std::unique_ptr<EngineManagers> managers_; // buffers, meshes, textures, materials, scene; GL objects
    std::unique_ptr<OverlayManager> overlayManager_; // made with the window, gone before it
    std::unique_ptr<ImmediateGui> gui_;              // made with the window, gone before it
    std::vector<FrameListener*> frameListeners_;
    std::map<std::string, StateDumpSection> dumpSections_;
    bool displayAvailable_ = false;
    unsigned long frameNumber_ = 0;
    std::chrono::steady_clock::time_point lastFrame_;                  // start of the last frame
    std::optional<std::chrono::steady_clock::time_point> lastFrameEnd_; // end of the last frame of this loop
};

} // namespace Velk
