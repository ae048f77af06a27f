#pragma once

#include "input/KeyCodes.h" // Required for: KeyCode

#include <map>      // Required for: std::map
#include <optional> // Required for: std::optional
#include <string>   // Required for: std::string
#include <vector>   // Required for: std::vector

namespace Velk {

// Command-line options that let the engine run without a person: render
// offscreen, stop after N frames, use a fixed frame time, take keys from a
// script, write screenshots and a state dump. None of them is on by default,
// and a run without them behaves exactly as a run of the plain program.
struct AutomationOptions {
    bool offscreen = false;                   // default: a window when a display exists
    unsigned long frameLimit = 0;             // default: 0, run until a listener stops
    std::optional<float> fixedFrameTime;      // default: measured time, seconds
    std::string keyScriptFile;                // default: none
    std::map<unsigned long, std::string> screenshots; // frame -> image file
    std::string stateDumpFile;                // default: none
    unsigned int width = 0;                   // default: 0, the configured video mode
    unsigned int height = 0;
    std::optional<int> fsaa;                  // default: the configured samples per pixel
    std::optional<std::vector<KeyCode>> dialogKeys; // keys fed to the settings dialog, one per frame
    std::string dialogScreenshot;             // image of the settings dialog's last frame
    bool helpRequested = false;

    // Parses the arguments after the program name; an unknown or malformed
    // option is an engine error.
    static AutomationOptions parse(const std::vector<std::string>& arguments);
    // The text of --help.
    static std::string helpText(const std::string& programName);
    // Whether any option changes how the engine runs (no person expected).
    bool any() const;
};

} // namespace Velk
