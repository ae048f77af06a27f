#include "buffer/HardwareBuffer.h"

#include "buffer/HardwareBufferBackend.h"
#include "core/Exception.h"

#include <cstring> // Required for: std::memcpy
#include <string>  // Required for: std::to_string
#include <utility> // Required for: std::move

namespace Velk {

HardwareBuffer::HardwareBuffer(std::unique_ptr<HardwareBufferStorage> storage,
                               std::size_t sizeInBytes, Usage usage, bool useShadowBuffer)
    : storage_(std::move(storage)), sizeInBytes_(sizeInBytes), usage_(usage),
      useShadowBuffer_(useShadowBuffer) {}

// A buffer dropped while locked still commits, so a backend never leaks a mapping.
HardwareBuffer::~HardwareBuffer() {
    if (locked_) storage_->unmap();
}

void* HardwareBuffer::lock(std::size_t offset, std::size_t length, LockOptions options) {
    if (locked_)
        VELK_EXCEPT(ERR_INVALID_STATE, "cannot lock the buffer: it is already locked",
                    "HardwareBuffer::lock");
    if (length == 0)
        VELK_EXCEPT(ERR_INVALIDPARAMS, "cannot lock zero bytes", "HardwareBuffer::lock");
    // Written so that offset + length cannot overflow.
    if (length > sizeInBytes_ || offset > sizeInBytes_ - length)
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "cannot lock " + std::to_string(length) + " bytes at offset " +
                        std::to_string(offset) + ": the buffer holds " +
                        std::to_string(sizeInBytes_) + " bytes",
                    "HardwareBuffer::lock");
    void* memory = storage_->map(offset, length, options);
    locked_ = true;
    return memory;
}

void* HardwareBuffer::lock(LockOptions options) { return lock(0, sizeInBytes_, options); }

void HardwareBuffer::unlock() {
    if (!locked_)
        VELK_EXCEPT(ERR_INVALID_STATE, "cannot unlock the buffer: it is not locked",
                    "HardwareBuffer::unlock");
    locked_ = false;
    storage_->unmap();
}

void HardwareBuffer::readData(std::size_t offset, std::size_t length, void* destination) {
    const void* source = lock(offset, length, LOCK_READ_ONLY);
    std::memcpy(destination, source, length);
    unlock();
}

} // namespace Velk
