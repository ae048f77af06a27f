#pragma once

#include <cstddef> // Required for: std::size_t

namespace Velk {

// GL objects (buffers, textures, framebuffers, programs...) the engine has
// created and not yet deleted, over all contexts. Zero after the root is gone.
std::size_t getLiveGLObjectCount();

} // namespace Velk
