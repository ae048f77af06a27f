#pragma once

#include "buffer/HardwareBuffer.h"

#include <cstddef> // Required for: std::size_t
#include <memory>  // Required for: std::unique_ptr

namespace Velk {

// The memory behind one hardware buffer, as a backend provides it. The
// buffer itself checks every call (lock state, ranges) before it gets here,
// so a backend only maps and commits.
class HardwareBufferStorage {
public:
    virtual ~HardwareBufferStorage() = default;
    // Address of bytes [offset, offset + length); the range lies inside the storage.
    virtual void* map(std::size_t offset, std::size_t length, HardwareBuffer::LockOptions options) = 0;
    // Commits what was written since the matching map.
    virtual void unmap() = 0;
};

// Where hardware buffers live. The buffer manager hands every creation to
// its backend: system memory when there is no renderer, the graphics
// driver's buffers when one runs. Code that fills buffers sees only
// HardwareBuffer and never knows which backend made it.
class HardwareBufferBackend {
public:
    // What the buffer will hold; a driver binds the two kinds differently.
    enum class Target { Vertex, Index };

    virtual ~HardwareBufferBackend() = default;
    // New storage of exactly `sizeInBytes` bytes (never zero).
    virtual std::unique_ptr<HardwareBufferStorage> createStorage(Target target, std::size_t sizeInBytes,
                                                                 HardwareBuffer::Usage usage,
                                                                 bool useShadowBuffer) = 0;
    // Short name for logs and tools, such as "system memory".
    virtual const char* getName() const = 0;
};

} // namespace Velk
