#pragma once

#include <charconv> // Required for: std::to_chars
#include <cstdlib>  // Required for: std::strtod
#include <string>   // Required for: std::string

// A float as the shortest decimal that reads back to it, so 15.157f prints
// as 15.157 rather than as the nearest double's 15.156999588012695.
inline double shortest(float v) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, v);
    return std::strtod(std::string(text, result.ptr).c_str(), nullptr);
}
