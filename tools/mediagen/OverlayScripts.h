#pragma once

#include <string> // Required for: std::string

// Writes the overlay scripts of the statistics panel ("Core/DebugOverlay")
// and the tree panel ("Example/TreeOverlay") into a folder.
void writeOverlayScripts(const std::string& folder);
