#include "render/Root.h"

#include "core/ConfigFile.h"
#include "core/Exception.h"
#include "core/Log.h"
#include "core/ResourceManager.h"
#include "gl/FontAtlas.h"
#include "gl/OffscreenWindow.h"
#include "gl/Painter2D.h"
#include "gl/SdlDisplay.h"
#include "gl/SdlWindow.h"
#include "input/KeyScript.h"
#include "input/PlatformManager.h"
#include "render/ConfigDialog.h"
#include "render/GLObjectCount.h"
#include "render/RenderSystem.h"

#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <SDL2/SDL.h> // Required for: SDL_Quit

#include <algorithm>  // Required for: std::find, std::erase
#include <cmath>      // Required for: std::llround
#include <filesystem> // Required for: std::filesystem::exists
#include <fstream>    // Required for: std::ofstream
#include <iostream>   // Required for: std::cout

namespace Velk {

namespace {
Root* current = nullptr;

// The command line of the process, waiting for the next root.
AutomationOptions& pendingOptions() {
    static AutomationOptions options;
    return options;
}

// "W x H", as the log shows sizes.
std::string sizeText(unsigned int width, unsigned int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// Every current setting as "Name=Value, ..." for the log.
std::string settingsText(const RenderSystem& renderSystem) {
    std::string text;
    for (const ConfigOption& option : renderSystem.getConfigOptions()) {
        if (!text.empty()) text += ", ";
        text += option.name + "=" + option.currentValue;
    }
    return text;
}
} // namespace

// Parses now so that a bad option fails before anything starts.
bool Root::setCommandLine(int argc, const char* const* argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    AutomationOptions options = AutomationOptions::parse(arguments);
    if (options.helpRequested) {
        std::cout << AutomationOptions::helpText(argc > 0 ? argv[0] : "program");
        return false;
    }
    pendingOptions() = options;
    return true;
}

void Root::setAutomationOptions(const AutomationOptions& options) { pendingOptions() = options; }

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

    keyScript_ = std::make_unique<KeyScript>();
    if (!options_.keyScriptFile.empty()) {
        keyScript_->load(options_.keyScriptFile);
        log_->logMessage("Key script '" + options_.keyScriptFile + "' loaded");
    }
    current = this;
}

// Listeners are the application's; the window and its GL objects go first,
// then input, resources and finally the log.
Root::~Root() {
    frameListeners_.clear();
    dumpSections_.clear();
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
                         settingsText(*renderSystem_));
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
    log_->logMessage("Settings restored from '" + configFileName_ + "': " + settingsText(*renderSystem_));
    return true;
}

// Also logged, with the values written.
void Root::saveConfig() {
    renderSystem_->saveSettings(configFileName_);
    log_->logMessage("Settings saved to '" + configFileName_ + "': " + settingsText(*renderSystem_));
}

// A window when a display is there and wanted, otherwise an offscreen one.
std::unique_ptr<RenderWindow> Root::createWindow(const std::string& title, unsigned int width, unsigned int height,
                                                 bool resizable) {
    std::unique_ptr<GL::GLWindow> window;
    const int samples = renderSystem_->getAntiAliasingSamples();
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

// Runs the dialog in its own small window (or offscreen with scripted keys).
bool Root::showConfigDialog() {
    const bool scripted = options_.dialogKeys.has_value();
    if (!displayAvailable_ && !scripted) {
        log_->logMessage("Settings dialog not shown (no display): accepting " + settingsText(*renderSystem_));
        return true;
    }
    ConfigDialog dialog(*renderSystem_);
    {
        std::unique_ptr<RenderWindow> window = createWindow("Velk Settings", ConfigDialog::WIDTH, ConfigDialog::HEIGHT,
                                                            false);
        if (window->isOffscreen() && !scripted) {
            log_->logMessage("Settings dialog not shown (no window could open): accepting " +
                             settingsText(*renderSystem_));
            return true;
        }
        window->bindForDrawing();
        GL::FontAtlas text(GL::FontAtlas::findFont(false), 15);
        GL::FontAtlas title(GL::FontAtlas::findFont(true), 20);
        GL::Painter2D painter;
        const std::vector<KeyCode> keys = options_.dialogKeys.value_or(std::vector<KeyCode>{});
        std::size_t nextKey = 0;
        while (dialog.getResult() == ConfigDialog::Result::Open) {
            window->_pumpEvents();
            if (window->isClosed()) dialog.cancel();
            for (const KeyEvent& event : window->_getInputState().keyEvents)
                if (event.getType() == KeyEvent::KEY_PRESSED) dialog.handleKey(event.getKey());
            for (const MouseClick& click : window->_getInputState().clicks)
                if (click.button == 0)
                    dialog.handleClick(static_cast<float>(click.x), static_cast<float>(click.y));
            if (dialog.getResult() != ConfigDialog::Result::Open) break;

            window->bindForDrawing();
            dialog.draw(painter, text, title);
            if (!options_.dialogScreenshot.empty()) window->writeContentsToFile(options_.dialogScreenshot);
            window->swapBuffers();

            if (nextKey < keys.size()) {
                dialog.handleKey(keys[nextKey++]);
            } else if (window->isOffscreen()) {
                log_->logMessage("Settings dialog: scripted keys ran out");
                dialog.cancel();
            } else {
                window->_waitEvents(100);
            }
        }
    }
    if (dialog.getResult() == ConfigDialog::Result::Cancelled) {
        log_->logMessage("Settings dialog cancelled");
        return false;
    }
    log_->logMessage("Settings dialog accepted");
    saveConfig();
    return true;
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
    if (!keyScript_->empty()) window_->_getInputState().setScriptedKeys(keyScript_->keysAt(frameNumber_));

    const FrameEvent event{seconds, seconds};
    if (!fireFrameStarted(event)) return false;
    window_->update();
    const bool carryOn = fireFrameEnded(event);
    const auto shot = options_.screenshots.find(frameNumber_);
    if (shot != options_.screenshots.end()) window_->writeContentsToFile(shot->second);
    window_->swapBuffers();
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
    while (renderOneFrame()) {
        if (options_.frameLimit != 0 && frameNumber_ >= options_.frameLimit) {
            log_->logMessage("Frame limit of " + std::to_string(options_.frameLimit) + " reached");
            break;
        }
    }
    log_->logMessage("Frame loop ended after " + std::to_string(frameNumber_) + " frame(s)");
    if (!options_.stateDumpFile.empty()) writeStateDump(options_.stateDumpFile);
}

// Later registrations under the same name replace earlier ones.
void Root::setStateDumpSection(const std::string& name, StateDumpSection section) {
    if (section) {
        dumpSections_[name] = std::move(section);
    } else {
        dumpSections_.erase(name);
    }
}

// The engine's own parts first; registered sections are added by name.
void Root::writeStateDump(const std::string& fileName) const {
    nlohmann::json state;
    state["frameCount"] = frameNumber_;
    nlohmann::json settings = nlohmann::json::object();
    for (const ConfigOption& option : renderSystem_->getConfigOptions()) settings[option.name] = option.currentValue;
    state["renderSystem"] = {{"name", renderSystem_->getName()},
                             {"glVersion", renderSystem_->getGLVersion()},
                             {"glRenderer", renderSystem_->getGLRenderer()},
                             {"settings", settings}};
    nlohmann::json locations = nlohmann::json::array();
    for (const ResourceManager::Location& location : ResourceManager::getLocations())
        locations.push_back({{"type", location.type}, {"name", location.name}});
    state["resourceLocations"] = locations;
    if (window_) {
        const FrameStats& stats = window_->getStatistics();
        state["window"] = {{"name", window_->getName()},
                           {"width", window_->getWidth()},
                           {"height", window_->getHeight()},
                           {"offscreen", window_->isOffscreen()},
                           {"fullScreen", window_->isFullScreen()},
                           {"closed", window_->isClosed()},
                           {"debugText", window_->getDebugText()}};
        state["statistics"] = {{"lastFPS", stats.lastFPS},
                               {"averageFPS", stats.avgFPS},
                               {"bestFPS", stats.bestFPS},
                               {"worstFPS", stats.worstFPS},
                               {"bestFrameTime", stats.bestFrameTime},
                               {"worstFrameTime", stats.worstFrameTime},
                               {"triangleCount", stats.triangleCount}};
    }
    for (const auto& [name, section] : dumpSections_) state[name] = section();

    std::ofstream out(fileName, std::ios::trunc);
    out << state.dump(2) << "\n";
    out.flush();
    if (!out) {
        VELK_EXCEPT(ERR_CANNOT_WRITE_TO_FILE, "cannot write the state dump '" + fileName + "'", "Root::writeStateDump");
    }
    log_->logMessage("State dump written to '" + fileName + "'");
}

} // namespace Velk
