#pragma once

#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <functional> // Required for: std::function
#include <string>     // Required for: std::string

// One offscreen run of a demonstration program with scripted keys.
struct DemoRun {
    int status = -1;          // exit status
    std::string output;       // standard output and error
    nlohmann::json state;     // the engine's state dump at the end
    std::string log;          // Velk.log
    std::string folder;       // the run's working folder
};

// Runs `program` for `frames` frames of 0.02 s in a fresh working folder
// holding the build's resources.cfg and plugins.cfg, with `keyScript` (the
// engine's key script text) and any extra options. `prepare`, when given, is
// called with the folder before the program starts (to put bad files there).
DemoRun runDemo(const std::string& program, const std::string& name, unsigned frames,
                const std::string& keyScript, const std::string& extraOptions = "",
                const std::function<void(const std::string& folder)>& prepare = {});
