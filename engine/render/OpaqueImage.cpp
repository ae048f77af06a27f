#include "render/OpaqueImage.h"

namespace Velk {

// Every fourth byte is an alpha.
void makeOpaque(std::vector<unsigned char>& rgba) {
    for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
}

} // namespace Velk
