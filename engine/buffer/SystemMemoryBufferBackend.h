#pragma once

#include "buffer/HardwareBufferBackend.h"

namespace Velk {

// Buffers in plain process memory: the backend when no renderer runs, so
// meshes can be built, read back and checked by tools and tests without a
// graphics driver. Locking returns the memory itself; nothing is copied.
class SystemMemoryBufferBackend : public HardwareBufferBackend {
public:
    std::unique_ptr<HardwareBufferStorage> createStorage(Target target, std::size_t sizeInBytes,
                                                         HardwareBuffer::Usage usage,
                                                         bool useShadowBuffer) override;
    const char* getName() const override { return "system memory"; }
};

} // namespace Velk
