#include "buffer/HardwareIndexBuffer.h"

#include "buffer/HardwareBufferBackend.h"

#include <utility> // Required for: std::move

namespace Velk {

HardwareIndexBuffer::HardwareIndexBuffer(std::unique_ptr<HardwareBufferStorage> storage,
                                         IndexType type, std::size_t numIndexes, Usage usage,
                                         bool useShadowBuffer)
    : HardwareBuffer(std::move(storage), indexSize(type) * numIndexes, usage, useShadowBuffer),
      type_(type), numIndexes_(numIndexes) {}

} // namespace Velk
