#pragma once

#include "core/ConfigFile.h" // Required for: ConfigFile

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk {

// One setting of the render system, with the values it may take.
struct ConfigOption {
    std::string name;
    std::string currentValue;
    std::vector<std::string> possibleValues;
};

// The OpenGL 3.3 core render system's settings: video mode, full screen,
// vertical sync, anti-aliasing, ground and shadow, wind strength. The settings dialog edits them, the
// configuration file keeps them, window creation reads them.
class RenderSystem {
public:
    static constexpr const char* NAME = "OpenGL 3.3 Core";
    static constexpr const char* VIDEO_MODE = "Video Mode";
    static constexpr const char* FULL_SCREEN = "Full Screen";
    static constexpr const char* VSYNC = "Vertical Sync";
    static constexpr const char* ANTI_ALIASING = "FSAA";
    // Whether the application shows a ground with shadows (scenes that have one).
    static constexpr const char* GROUND_AND_SHADOW = "Ground and Shadow";
    // How hard the wind blows when the application lets it (scenes that sway).
    static constexpr const char* WIND_STRENGTH = "Wind Strength";
    // Samples per pixel on a hardware renderer when nothing was chosen; a
    // software renderer gets SOFTWARE_DEFAULT_SAMPLES (see Root).
    static constexpr int HARDWARE_DEFAULT_SAMPLES = 4;
    static constexpr int SOFTWARE_DEFAULT_SAMPLES = 0;

    // videoModes: "W x H" texts the display supports, smallest first; an
    // empty list gives a standard set.
    explicit RenderSystem(std::vector<std::string> videoModes = {});

    const std::string& getName() const { return name_; }
    const std::vector<ConfigOption>& getConfigOptions() const { return options_; }
    // Changes a setting; an unknown name or value is an engine error.
    void setConfigOption(const std::string& name, const std::string& value);
    std::string getConfigOption(const std::string& name) const;

    // Reads saved settings; values that no longer fit are logged and skipped.
    void loadSettings(const ConfigFile& file);
    // Writes the settings (and the render system's name) to a file.
    void saveSettings(const std::string& fileName) const;
    // Every setting as "Name=Value, ..." for the log.
    std::string describeSettings() const;

    // The video mode as numbers.
    void getVideoModeSize(unsigned int& width, unsigned int& height) const;
    bool isFullScreen() const { return getConfigOption(FULL_SCREEN) == "Yes"; }
    bool isVSync() const { return getConfigOption(VSYNC) == "Yes"; }
    bool isGroundAndShadowOn() const { return getConfigOption(GROUND_AND_SHADOW) == "Yes"; }
    // The wind strength as a share of a strong wind: 0 (Off) to 1 (Strong).
    float getWindStrength() const;
    // Samples per pixel, 0 when anti-aliasing is off.
    int getAntiAliasingSamples() const;
    // Whether loadSettings found a value for the setting.
    bool wasLoaded(const std::string& name) const;

    // What the driver reported when the first context was made.
    void _setDriverInfo(const std::string& version, const std::string& renderer) {
        glVersion_ = version;
        glRenderer_ = renderer;
    }
    const std::string& getGLVersion() const { return glVersion_; }
    const std::string& getGLRenderer() const { return glRenderer_; }

    // The standard list used when the display reports no modes.
    static std::vector<std::string> standardVideoModes();

private:
    ConfigOption* find(const std::string& name);
    const ConfigOption* find(const std::string& name) const;

    std::string name_ = NAME;
    std::vector<ConfigOption> options_;
    std::vector<std::string> loaded_;
    std::string glVersion_;
    std::string glRenderer_;
};

} // namespace Velk
