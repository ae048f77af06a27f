#pragma once

#include "ProcessRun.h" // Required for: ProcessResult, runCommand

#include <filesystem> // Required for: std::filesystem::path
#include <regex>      // Required for: std::regex, std::regex_search
#include <string>     // Required for: std::string

// What the export tests share: a clean folder per test under the build's
// export folder, the pinned glTF validator's verdict and the independent
// importer's counts. (A file's bytes: TempFolder::read.)

// `name` (may hold slashes) under the export folder, emptied and made anew.
inline std::filesystem::path outputDir(const std::string& name) {
    const std::filesystem::path dir = std::filesystem::path(EXPORT_DIR) / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// The validator's report (JSON on standard output); status 0 means no errors.
inline ProcessResult validateGltf(const std::filesystem::path& file) {
    return runCommand("node " + std::string(VALIDATOR_SCRIPT) + " '" + file.string() + "'");
}

// The number after "label:" in assimp's report, or -1.
inline long assimpCount(const std::string& report, const std::string& label) {
    std::smatch m;
    if (std::regex_search(report, m, std::regex("\\n" + label + ":\\s+([0-9]+)"))) return std::stol(m[1]);
    return -1;
}
