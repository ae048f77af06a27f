// The state dump: the engine's state as one JSON document, the window
// through which end-to-end tests look into a run.
#include "render/Root.h"

#include "core/Exception.h"
#include "core/FileWriter.h"
#include "core/Log.h"
#include "core/ResourceManager.h"
#include "render/RenderSystem.h"

#include <nlohmann/json.hpp> // Required for: nlohmann::json

namespace Velk {

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

    // Names and captions are bytes from files and scripts, not always UTF-8:
    // such bytes are written as U+FFFD rather than failing the whole dump.
    const std::string text = state.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    try {
        writeFileAtomically(fileName, text);
    } catch (const Exception& error) {
        throw Exception(error.getNumber(), error.getDescription(), "Root::writeStateDump");
    }
    log_->logMessage("State dump written to '" + fileName + "'");
}

} // namespace Velk
