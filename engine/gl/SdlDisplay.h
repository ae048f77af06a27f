#pragma once

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk::GL {

// Whether SDL can open its video subsystem on a display a person can see
// (not SDL's dummy or offscreen drivers). When it can, `videoModes`
// receives the display's modes as "W x H", smallest first.
bool probeDisplay(std::vector<std::string>* videoModes = nullptr);

// Shows a modal error box; returns false when there is no display for it.
bool showSdlErrorBox(const std::string& caption, const std::string& text);

} // namespace Velk::GL
