#pragma once

#include "ProcessRun.h" // Required for: ProcessResult, runCommand

#include <filesystem> // Required for: std::filesystem::path
#include <fstream>    // Required for: std::ifstream
#include <iterator>   // Required for: std::istreambuf_iterator
#include <string>     // Required for: std::string

// What the export tests share: a clean folder per test under the build's
// export folder, a file's bytes, and the pinned glTF validator's verdict.

// `name` (may hold slashes) under the export folder, emptied and made anew.
inline std::filesystem::path outputDir(const std::string& name) {
    const std::filesystem::path dir = std::filesystem::path(EXPORT_DIR) / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// The whole file, or an empty string when it cannot be read.
inline std::string readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The validator's report (JSON on standard output); status 0 means no errors.
inline ProcessResult validateGltf(const std::filesystem::path& file) {
    return runCommand("node " + std::string(VALIDATOR_SCRIPT) + " '" + file.string() + "'");
}
