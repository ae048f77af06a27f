#pragma once

#include <cstdint>  // Required for: uint32_t
#include <optional> // Required for: std::optional
#include <string>   // Required for: std::string

// Parses a species given as a number 0-6 or a display name (case-insensitive).
std::optional<uint32_t> parseSpecies(const std::string& text);
// The accepted forms, for help and error messages.
std::string speciesChoices();
