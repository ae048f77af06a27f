#pragma once

#include "buffer/HardwareIndexBuffer.h"

#include <cstddef> // Required for: std::size_t

namespace Velk {

// The indices one submesh draws: a range of an index buffer.
struct IndexData {
    HardwareIndexBufferSharedPtr indexBuffer; // default: none
    std::size_t indexStart = 0;               // first index in use
    std::size_t indexCount = 0;               // indices in use
};

} // namespace Velk
