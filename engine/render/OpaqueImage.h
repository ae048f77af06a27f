#pragma once

#include <vector> // Required for: std::vector

namespace Velk {

// Sets the alpha of every RGBA pixel to 255. The window shows its frame
// opaque whatever alpha the blending left in the framebuffer, so a saved
// picture must be opaque too or image viewers show it washed out.
void makeOpaque(std::vector<unsigned char>& rgba);

} // namespace Velk
