#include "render/Root.h"

#include "core/ConfigFile.h"
#include "core/Exception.h"
#include "core/Log.h"
#include "core/ResourceManager.h"
#include "gl/OffscreenWindow.h"
#include "gl/RendererProbe.h"
#include "gl/SdlDisplay.h"
#include "gl/SdlWindow.h"
#include "gui/ImmediateGui.h"
#include "input/KeyScript.h"
#include "input/PlatformManager.h"
#include "render/EngineManagers.h"
#include "overlay/OverlayManager.h"
#include "render/GLObjectCount.h"
#include "render/RenderSystem.h"

#include <SDL2/SDL.h>         // Required for: SDL_Quit
#include <nlohmann/json.hpp> // Required for: nlohmann::json (the GUI's dump section)

#include <algorithm>  // Required for: std::find, std::erase
#include <cmath>      // Required for: std::llround
#include <filesystem> // Required for: std::filesystem::exists
#include <iostream>   // Required for: std::cout

namespace Velk {

namespace {
Root* current = nullptr;

// The command line of the process, waiting for the next root.
AutomationOptions& pendingOptions() {
    static AutomationOptions options;
    return options;
}

// The key script of that command line, read once: it may be a pipe.
std::unique_ptr<KeyScript>& pendingKeyScript() {
    static std::unique_ptr<KeyScript> script;
    return script;
}

// "W x H", as the log shows sizes.
std::string sizeText(unsigned int width, unsigned int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

} // namespace

// Parses now, the key script too, so that a bad option fails before anything starts.
bool Root::setCommandLine(int argc, const char* const* argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    AutomationOptions options = AutomationOptions::parse(arguments);
    if (options.helpRequested) {
        std::cout << AutomationOptions::helpText(argc > 0 ? argv[0] : "program");
        return false;
    }
    std::unique_ptr<KeyScript> script;
    if (!options.keyScriptFile.empty()) {
        script = std::make_unique<KeyScript>();
        script->load(options.keyScriptFile);
    }
    pendingOptions() = options;
    pendingKeyScript() = std::move(script);
    return true;
}

void Root::setAutomationOptions(const AutomationOptions& options) {
    pendingOptions() = options;
    pendingKeyScript().reset();
}

const AutomationOptions& Root::getAutomationOptions() {
    return current != nullptr ? current->options_ : pendingOptions();
}

Root* Root::getSingletonPtr() { return current; }

// The running root; an engine error before it exists or after it is gone.
Root& Root::getSingleton() {
    if (current == nullptr) {
        VELK_EXCEPT(ERR_INVALID_STATE, "the engine root does not exist", "Root::getSingleton");
    }
    return *current;
}

// The log opens first so that every later step, and every error, is recorded.
Root::Root(const std::string& pluginFileName, const std::string& configFileName, const std::string& logFileName)
    : options_(pendingOptions()), configFileName_(configFileName) {
    if (current != nullptr) {
        VELK_EXCEPT(ERR_DUPLICATE_ITEM, "an engine root already exists", "Root::Root");
    }
    log_ = std::make_unique<Log>(logFileName);
    log_->logMessage("Velk engine starting");
    if (options_.any()) log_->logMessage("Automation options are in use (offscreen: " +
                                         std::string(options_.offscreen ? "yes" : "no") + ")");
    resourceManager_ = std::make_unique<ResourceManager>();
    platformManager_ = std::make_unique<PlatformManager>();

    std::vector<std::string> videoModes;
    displayAvailable_ = !options_.offscreen && GL::probeDisplay(&videoModes);
    log_->logMessage(displayAvailable_ ? "Display found with " + std::to_string(videoModes.size()) + " video mode(s)"
                                       : "No display in use: rendering offscreen");
    renderSystem_ = std::make_unique<RenderSystem>(videoModes);
    readPlugins(pluginFileName);
    restoreConfig();
    chooseDefaultAntiAliasing();

    keyScript_ = std::move(pendingKeyScript());
    if (!keyScript_) {
        keyScript_ = std::make_unique<KeyScript>();
        if (!options_.keyScriptFile.empty()) keyScript_->load(options_.keyScriptFile);
    }
    if (!options_.keyScriptFile.empty()) log_->logMessage("Key script '" + options_.keyScriptFile + "' loaded");
    current = this;
}

// Listeners are the application's; the window and its GL objects go first,
// then input, resources and finally the log.
Root::~Root() {
    frameListeners_.clear();
    dumpSections_.clear();
    if (gui_) {
        window_->_setGuiListener(nullptr);
        window_->bindForDrawing();
        gui_.reset();
    }
    if (overlayManager_) {
        window_->_setOverlayListener(nullptr);
        overlayManager_.reset();
    }
    managers_.reset();
    if (window_) {
        log_->logMessage("Destroying render window '" + window_->getName() + "'");
        window_.reset();
    }
    platformManager_.reset();
    resourceManager_.reset();
    if (current == this) current = nullptr;
    if (displayAvailable_) SDL_Quit();
    log_->logMessage("Velk engine shut down (" + std::to_string(getLiveGLObjectCount()) + " GL objects left)");
}

// "RenderSystem=<name>" picks the render system; the engine has one built in.
void Root::readPlugins(const std::string& fileName) {
    if (!std::filesystem::exists(fileName)) {
        log_->logMessage("Plug-in file '" + fileName + "' not found: using the built-in " +
                         renderSystem_->getName() + " render system");
        return;
    }
    ConfigFile plugins;
    plugins.load(fileName, "=", true);
    for (auto entry = plugins.getSettingsIterator(); entry.hasMoreElements(); entry.moveNext()) {
        const ConfigFile::Origin& origin = entry.peekNextOrigin();
        if (entry.peekNextKey() != "RenderSystem") {
            throw Exception(Exception::ERR_INVALIDPARAMS,
                            "unknown plug-in setting '" + entry.peekNextKey() + "' (known: RenderSystem)",
                            "Root::Root", origin.file, origin.line);
        }
        if (entry.peekNextValue() != renderSystem_->getName()) {
            throw Exception(Exception::ERR_ITEM_NOT_FOUND,
                            "render system '" + entry.peekNextValue() + "' is not available (available: " +
                                renderSystem_->getName() + ")",
                            "Root::Root", origin.file, origin.line);
        }
    }
    log_->logMessage("Plug-in file '" + fileName + "' read: render system " + renderSystem_->getName());
}

// A broken settings file is logged and ignored: the defaults are safe.
bool Root::restoreConfig() {
    if (!std::filesystem::exists(configFileName_)) {
        log_->logMessage("Settings file '" + configFileName_ + "' not found: default settings " +
                         renderSystem_->describeSettings());
        return false;
    }
    try {
        ConfigFile settings;
        settings.load(configFileName_, "=", true);
        renderSystem_->loadSettings(settings);
    } catch (const Exception& error) {
        log_->logMessage("Settings file '" + configFileName_ + "' ignored: " + error.getFullDescription());
        return false;
    }
    log_->logMessage("Settings restored from '" + configFileName_ + "': " + renderSystem_->describeSettings());
    return true;
}

// Without a saved choice or --fsaa, multisampling follows the driver: a
// hardware renderer gets it, a CPU renderer what keeps the demonstration
// fluid at 1024 x 768.
void Root::chooseDefaultAntiAliasing() {
    if (options_.fsaa || renderSystem_->wasLoaded(RenderSystem::ANTI_ALIASING)) return;
    const std::string renderer = GL::probeRendererName();
    const bool software = GL::isSoftwareRenderer(renderer);
    const int samples = software ? RenderSystem::SOFTWARE_DEFAULT_SAMPLES : RenderSystem::HARDWARE_DEFAULT_SAMPLES;
    renderSystem_->setConfigOption(RenderSystem::ANTI_ALIASING, std::to_string(samples));
    log_->logMessage("Default anti-aliasing for renderer '" + (renderer.empty() ? std::string("unknown") : renderer) +
                     "': " + std::to_string(samples) + " samples");
}

// Also logged, with the values written.
void Root::saveConfig() {
    renderSystem_->saveSettings(configFileName_);
    log_->logMessage("Settings saved to '" + configFileName_ + "': " + renderSystem_->describeSettings());
}

// A window when a display is there and wanted, otherwise an offscreen one.
std::unique_ptr<RenderWindow> Root::createWindow(const std::string& title, unsigned int width, unsigned int height,
                                                 bool resizable) {
    std::unique_ptr<GL::GLWindow> window;
    // --fsaa, like --size, applies to this run and is not saved.
    const int samples = options_.fsaa ? *options_.fsaa : renderSystem_->getAntiAliasingSamples();
    if (displayAvailable_) {
        try {
            window = std::make_unique<GL::SdlWindow>(title, width, height, renderSystem_->isFullScreen(),
                                                     renderSystem_->isVSync(), samples, resizable);
        } catch (const Exception& error) {
            log_->logMessage("Falling back to offscreen rendering: " + error.getDescription());
        }
    }
    if (!window) window = std::make_unique<GL::OffscreenWindow>(title, width, height, samples);
    renderSystem_->_setDriverInfo(window->getGLVersion(), window->getGLRenderer());
    log_->logMessage("Created render window '" + title + "' (" + sizeText(window->getWidth(), window->getHeight()) +
                     (window->isOffscreen() ? ", offscreen" : window->isFullScreen() ? ", full screen" : ", windowed") +
                     ")");
    log_->logMessage("GL version: " + window->getGLVersion());
    log_->logMessage("GL renderer: " + window->getGLRenderer());
    return window;
}

// The size comes from the video mode unless the command line gives one.
RenderWindow* Root::initialise(bool autoCreateWindow, const std::string& windowTitle) {
    if (!autoCreateWindow) return nullptr;
    if (window_) {
        VELK_EXCEPT(ERR_INVALID_STATE, "the render window already exists", "Root::initialise");
    }
    unsigned int width = 0;
    unsigned int height = 0;
    renderSystem_->getVideoModeSize(width, height);
    if (options_.width != 0) {
        width = options_.width;
        height = options_.height;
    }
    window_ = createWindow(windowTitle, width, height, true);
    managers_ = std::make_unique<EngineManagers>();
    // Overlays draw over the window; their scripts are read now, from every
    // resource location registered before the window was opened.
    overlayManager_ = std::make_unique<OverlayManager>();
    window_->_setOverlayListener(overlayManager_.get());
    overlayManager_->parseAllScripts();
    // The GUI draws over the overlays and reads the same input as the listeners.
    gui_ = std::make_unique<ImmediateGui>(*window_);
    window_->_setGuiListener(gui_.get());
    setStateDumpSection("gui", [this] { return gui_->dumpState(); });
    lastFrame_ = std::chrono::steady_clock::now();
    return window_.get();
}

// Listeners are called in the order they were added; adding twice has no effect.
void Root::addFrameListener(FrameListener* listener) {
    if (listener != nullptr && std::find(frameListeners_.begin(), frameListeners_.end(), listener) == frameListeners_.end())
        frameListeners_.push_back(listener);
}

void Root::removeFrameListener(FrameListener* listener) { std::erase(frameListeners_, listener); }

// Every listener is called even after one said stop; a copy of the list
// lets listeners add or remove listeners while being called.
bool Root::fireFrameStarted(const FrameEvent& event) {
    bool carryOn = true;
    const std::vector<FrameListener*> listeners = frameListeners_;
    for (FrameListener* listener : listeners)
        if (std::find(frameListeners_.begin(), frameListeners_.end(), listener) != frameListeners_.end())
            carryOn = listener->frameStarted(event) && carryOn;
    return carryOn;
}

// Same rules as fireFrameStarted.
bool Root::fireFrameEnded(const FrameEvent& event) {
    bool carryOn = true;
    const std::vector<FrameListener*> listeners = frameListeners_;
    for (FrameListener* listener : listeners)
        if (std::find(frameListeners_.begin(), frameListeners_.end(), listener) != frameListeners_.end())
            carryOn = listener->frameEnded(event) && carryOn;
    return carryOn;
}

// One pass of the loop described in the header; the frame time is fixed or measured.
bool Root::renderOneFrame() {
    if (!window_) {
        VELK_EXCEPT(ERR_INVALID_STATE, "there is no render window (call initialise first)", "Root::renderOneFrame");
    }
    ++frameNumber_;
    std::int64_t microseconds = 0;
    const auto now = std::chrono::steady_clock::now();
    if (options_.fixedFrameTime) {
        microseconds = std::llround(static_cast<double>(*options_.fixedFrameTime) * 1e6);
    } else {
        microseconds = std::chrono::duration_cast<std::chrono::microseconds>(now - lastFrame_).count();
    }
    lastFrame_ = now;
    const float seconds = options_.fixedFrameTime ? *options_.fixedFrameTime
                                                  : static_cast<float>(static_cast<double>(microseconds) / 1e6);

    window_->_pumpEvents();
    // Closing the window ends the program as Escape does, whatever the
    // listeners do with their keys.
    if (window_->isClosed()) {
        log_->logMessage("Render window closed");
        return false;
    }
    if (!keyScript_->empty()) {
        // Scripted mouse actions take the road of the window's own mouse events.
        InputState& input = window_->_getInputState();
        input.setScriptedKeys(keyScript_->keysAt(frameNumber_));
        for (const MouseAction& action : keyScript_->mouseAt(frameNumber_)) {
            switch (action.kind) {
            case MouseAction::MOVE:
                input.moveMouse(action.x, action.y, action.x - input.mouseX, action.y - input.mouseY);
                break;
            case MouseAction::PRESS:
            case MouseAction::RELEASE:
                input.setMouseButton(action.button, action.kind == MouseAction::PRESS, input.mouseX, input.mouseY);
                break;
            case MouseAction::WHEEL: input.turnWheel(action.steps); break;
            }
        }
    }

    gui_->_beginFrame(seconds);
    managers_->advanceAnimationTime(seconds);

    const FrameEvent event{seconds, seconds};
    if (!fireFrameStarted(event)) return false;
    window_->update();
    const bool carryOn = fireFrameEnded(event);
    const auto shot = options_.screenshots.find(frameNumber_);
    if (shot != options_.screenshots.end()) window_->writeContentsToFile(shot->second);
    window_->swapBuffers();
    // The statistics take what a frame really cost: from the end of the one
    // before (from its own start for the loop's first) to its end. The
    // listeners' time since the last frame is no measure of the first frame,
    // which started right after the clock was reset.
    const auto frameEnd = std::chrono::steady_clock::now();
    if (!options_.fixedFrameTime) {
        microseconds =
            std::chrono::duration_cast<std::chrono::microseconds>(frameEnd - lastFrameEnd_.value_or(now))
                .count();
    }
    lastFrameEnd_ = frameEnd;
    window_->_recordFrame(microseconds);
    return carryOn;
}

// The loop itself; the state dump is written once it ends normally.
void Root::startRendering() {
    if (!window_) {
        VELK_EXCEPT(ERR_INVALID_STATE, "there is no render window (call initialise first)", "Root::startRendering");
    }
    log_->logMessage("Frame loop started");
    lastFrame_ = std::chrono::steady_clock::now();
    lastFrameEnd_.reset();
    while (renderOneFrame()) {
        if (options_.frameLimit != 0 && frameNumber_ >= options_.frameLimit) {
            log_->logMessage("Frame limit of " + std::to_string(options_.frameLimit) + " reached");
            break;
        }
    }
    log_->logMessage("Frame loop ended after " + std::to_string(frameNumber_) + " frame(s)");
    if (!options_.stateDumpFile.empty()) writeStateDump(options_.stateDumpFile);
}

} // namespace Velk
