#include "gl/GLBufferBackend.h"

#include "core/Exception.h"
#include "gl/GLObjects.h"

#include <string> // Required for: std::to_string

namespace Velk::GL {

namespace {
// The copy targets are bound only here, so mapping never disturbs a vertex
// array's element buffer or the array buffer of a draw being set up.
constexpr GLenum workTarget = GL_COPY_WRITE_BUFFER;

GLenum usageHint(HardwareBuffer::Usage usage) {
    return (usage & HardwareBuffer::USAGE_DYNAMIC) != 0 ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW;
}
} // namespace

// Storage is allocated at its final size once; locks only map it.
GLBufferStorage::GLBufferStorage(std::size_t sizeInBytes, HardwareBuffer::Usage usage) {
    name_ = createObject(ObjectKind::Buffer);
    glBindBuffer(workTarget, name_);
    glBufferData(workTarget, static_cast<GLsizeiptr>(sizeInBytes), nullptr, usageHint(usage));
    glBindBuffer(workTarget, 0);
    if (name_ == 0 || glGetError() != GL_NO_ERROR) {
        GLuint name = name_;
        deleteObject(ObjectKind::Buffer, name);
        name_ = 0;
        VELK_EXCEPT(ERR_RENDERINGAPI_ERROR,
                    "cannot create a GL buffer of " + std::to_string(sizeInBytes) + " bytes",
                    "GLBufferBackend::createStorage");
    }
}

// Dropping a mesh drops its buffers, and with them the driver's memory.
GLBufferStorage::~GLBufferStorage() { deleteObject(ObjectKind::Buffer, name_); }

// Discard invalidates the whole buffer so the driver need not keep old data alive.
void* GLBufferStorage::map(std::size_t offset, std::size_t length, HardwareBuffer::LockOptions options) {
    GLbitfield access = 0;
    switch (options) {
    case HardwareBuffer::LOCK_DISCARD: access = GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT; break;
    case HardwareBuffer::LOCK_NO_OVERWRITE: access = GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT; break;
    case HardwareBuffer::LOCK_READ_ONLY: access = GL_MAP_READ_BIT; break;
    case HardwareBuffer::LOCK_NORMAL: access = GL_MAP_READ_BIT | GL_MAP_WRITE_BIT; break;
    }
    readOnlyMapping_ = options == HardwareBuffer::LOCK_READ_ONLY;
    glBindBuffer(workTarget, name_);
    void* memory = glMapBufferRange(workTarget, static_cast<GLintptr>(offset), static_cast<GLsizeiptr>(length), access);
    glBindBuffer(workTarget, 0);
    if (memory == nullptr) {
        VELK_EXCEPT(ERR_RENDERINGAPI_ERROR,
                    "the driver did not map " + std::to_string(length) + " bytes at offset " + std::to_string(offset) +
                        " (GL error " + std::to_string(glGetError()) + ")",
                    "HardwareBuffer::lock");
    }
    return memory;
}

// A lost mapping (the driver may lose one on a display change) means the
// contents are undefined; that is reported rather than drawn.
void GLBufferStorage::unmap() {
    glBindBuffer(workTarget, name_);
    const GLboolean intact = glUnmapBuffer(workTarget);
    glBindBuffer(workTarget, 0);
    if (intact == GL_FALSE && !readOnlyMapping_) {
        VELK_EXCEPT(ERR_RENDERINGAPI_ERROR, "the driver lost the buffer's contents while it was mapped",
                    "HardwareBuffer::unlock");
    }
}

// Shadow copies are not kept: the mapped memory is the only copy.
std::unique_ptr<HardwareBufferStorage> GLBufferBackend::createStorage(Target, std::size_t sizeInBytes,
                                                                      HardwareBuffer::Usage usage, bool) {
    return std::make_unique<GLBufferStorage>(sizeInBytes, usage);
}

} // namespace Velk::GL
