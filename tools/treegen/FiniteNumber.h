#pragma once

#include <CLI/CLI.hpp> // Required for: CLI::Validator

#include <charconv> // Required for: std::from_chars
#include <cmath>    // Required for: std::isfinite
#include <string>   // Required for: std::string

// Option values that are single-precision numbers: "nan", "inf" and values
// too large for a float are refused before any range check sees them (a range
// check lets NaN through, since every comparison with it is false).
inline CLI::Validator finiteNumber() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            float value = 0.0f;
            const char* last = text.data() + text.size();
            const auto [end, error] = std::from_chars(text.data(), last, value);
            if (text.empty() || error != std::errc() || end != last || !std::isfinite(value))
                return "expected a finite number, found \"" + text + "\"";
            return std::string();
        },
        "FINITE");
}
