#pragma once

#include "buffer/HardwareBufferBackend.h" // Required for: HardwareBufferBackend, HardwareBufferStorage

#include <epoxy/gl.h> // Required for: GLuint

namespace Velk::GL {

// One GL buffer object behind a hardware buffer. Locking maps the driver's
// memory, so whoever fills the buffer writes straight into it; a discarding
// lock lets the driver hand out fresh memory instead of waiting for draws.
class GLBufferStorage : public HardwareBufferStorage {
public:
    GLBufferStorage(std::size_t sizeInBytes, HardwareBuffer::Usage usage);
    ~GLBufferStorage() override;

    void* map(std::size_t offset, std::size_t length, HardwareBuffer::LockOptions options) override;
    void unmap() override;

    // The GL name, for binding it to draw.
    GLuint getName() const { return name_; }

private:
    GLuint name_ = 0;
    bool readOnlyMapping_ = false;
};

// Buffers in the graphics driver's memory; the context that creates them
// must be current whenever they are locked, drawn or dropped.
class GLBufferBackend : public HardwareBufferBackend {
public:
    std::unique_ptr<HardwareBufferStorage> createStorage(Target target, std::size_t sizeInBytes,
                                                         HardwareBuffer::Usage usage,
                                                         bool useShadowBuffer) override;
    const char* getName() const override { return "GL"; }
};

} // namespace Velk::GL
