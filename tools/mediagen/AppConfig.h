#pragma once

#include <string> // Required for: std::string

// Writes the program's "resources.cfg" (one location: the media folder, as
// an absolute path) and "plugins.cfg" (the render system) into a folder.
void writeAppConfig(const std::string& appFolder, const std::string& mediaFolder);
