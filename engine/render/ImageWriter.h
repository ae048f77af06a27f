#pragma once

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk {

// Writes RGBA pixels (top row first) as an image chosen by the extension:
// ".png" (lossless, with alpha) or ".jpg"/".jpeg" (quality 95, no alpha).
// Another extension or a failed write is an engine error.
void writeImageFile(const std::string& fileName, unsigned int width, unsigned int height,
                    const std::vector<unsigned char>& rgba);

} // namespace Velk
