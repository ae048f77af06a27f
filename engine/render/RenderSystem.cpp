#include "render/RenderSystem.h"

#include "core/Exception.h"
#include "core/FileWriter.h"
#include "core/Log.h"

#include <algorithm> // Required for: std::find
#include <sstream>   // Required for: std::istringstream

namespace Velk {

// Common sizes for offscreen use and displays that list no modes.
std::vector<std::string> RenderSystem::standardVideoModes() {
    return {"640 x 480", "800 x 600", "1024 x 768", "1280 x 720", "1280 x 1024", "1600 x 900", "1920 x 1080"};
}

// Defaults: 800 x 600 (or the first mode), windowed, vertical sync, no
// anti-aliasing (the root picks the machine's default when none was saved),
// ground and shadow, a medium wind.
RenderSystem::RenderSystem(std::vector<std::string> videoModes) {
    if (videoModes.empty()) videoModes = standardVideoModes();
    const auto preferred = std::find(videoModes.begin(), videoModes.end(), "800 x 600");
    const std::string mode = preferred != videoModes.end() ? *preferred : videoModes.front();
    options_.push_back({VIDEO_MODE, mode, videoModes});
    options_.push_back({FULL_SCREEN, "No", {"No", "Yes"}});
    options_.push_back({VSYNC, "Yes", {"No", "Yes"}});
    options_.push_back({ANTI_ALIASING, "0", {"0", "2", "4", "8"}});
    options_.push_back({GROUND_AND_SHADOW, "Yes", {"No", "Yes"}});
    options_.push_back({WIND_STRENGTH, "Medium", {"Off", "Light", "Medium", "Strong"}});
}

// The option of that name, or nullptr.
ConfigOption* RenderSystem::find(const std::string& name) {
    for (ConfigOption& option : options_)
        if (option.name == name) return &option;
    return nullptr;
}

const ConfigOption* RenderSystem::find(const std::string& name) const {
    return const_cast<RenderSystem*>(this)->find(name);
}

// Only the listed values are accepted, so the dialog and the file agree.
void RenderSystem::setConfigOption(const std::string& name, const std::string& value) {
    ConfigOption* option = find(name);
    if (option == nullptr) {
        VELK_EXCEPT(ERR_INVALIDPARAMS, "unknown setting '" + name + "'", "RenderSystem::setConfigOption");
    }
    if (std::find(option->possibleValues.begin(), option->possibleValues.end(), value) ==
        option->possibleValues.end()) {
        VELK_EXCEPT(ERR_INVALIDPARAMS, "'" + value + "' is not a possible value of '" + name + "'",
                    "RenderSystem::setConfigOption");
    }
    option->currentValue = value;
}

// The current value, or "" for an unknown setting.
std::string RenderSystem::getConfigOption(const std::string& name) const {
    const ConfigOption* option = find(name);
    return option == nullptr ? std::string() : option->currentValue;
}

// A saved file from another display or version must not stop the program.
void RenderSystem::loadSettings(const ConfigFile& file) {
    for (auto settings = file.getSettingsIterator(); settings.hasMoreElements(); settings.moveNext()) {
        std::string key = settings.peekNextKey();
        std::string value = settings.peekNextValue();
        if (key == "Render System") continue;
        // Files of earlier versions: "Anti-aliasing=Off" or "=4x".
        if (key == "Anti-aliasing") {
            key = ANTI_ALIASING;
            value = value == "Off" ? "0" : value.substr(0, value.find('x'));
        }
        try {
            setConfigOption(key, value);
            loaded_.push_back(key);
        } catch (const Exception& error) {
            const auto& origin = settings.peekNextOrigin();
            Log::message("Ignored saved setting at " + origin.file + ":" + std::to_string(origin.line) + ": " +
                         error.getDescription());
        }
    }
}

// Same format as it is read back with: "Name=Value" lines.
void RenderSystem::saveSettings(const std::string& fileName) const {
    std::string text = "# Render settings, written by the settings dialog\n";
    text += "Render System=" + name_ + "\n";
    for (const ConfigOption& option : options_) text += option.name + "=" + option.currentValue + "\n";
    try {
        writeFileAtomically(fileName, text);
    } catch (const Exception& error) {
        throw Exception(error.getNumber(), error.getDescription(), "RenderSystem::saveSettings");
    }
}

// One line, in the order the dialog shows the settings.
std::string RenderSystem::describeSettings() const {
    std::string text;
    for (const ConfigOption& option : options_) {
        if (!text.empty()) text += ", ";
        text += option.name + "=" + option.currentValue;
    }
    return text;
}

// "1024 x 768" -> 1024, 768.
void RenderSystem::getVideoModeSize(unsigned int& width, unsigned int& height) const {
    std::istringstream text(getConfigOption(VIDEO_MODE));
    char times = 0;
    width = 800;
    height = 600;
    unsigned int w = 0;
    unsigned int h = 0;
    if (text >> w >> times >> h && times == 'x' && w > 0 && h > 0) {
        width = w;
        height = h;
    }
}

// "4" -> 4; only listed values get in.
int RenderSystem::getAntiAliasingSamples() const {
    const std::string value = getConfigOption(ANTI_ALIASING);
    return value.empty() ? 0 : std::stoi(value);
}

// A breeze, a wind that moves the branches, and a gale's worth of sway.
float RenderSystem::getWindStrength() const {
    const std::string value = getConfigOption(WIND_STRENGTH);
    if (value == "Light") return 0.3f;
    if (value == "Medium") return 0.6f;
    if (value == "Strong") return 1.0f;
    return 0.0f;
}

// Names are kept in the order they were read.
bool RenderSystem::wasLoaded(const std::string& name) const {
    return std::find(loaded_.begin(), loaded_.end(), name) != loaded_.end();
}

} // namespace Velk
