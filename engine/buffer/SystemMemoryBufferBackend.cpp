#include "buffer/SystemMemoryBufferBackend.h"

#include <cstddef> // Required for: std::byte
#include <cstring> // Required for: std::memset

namespace Velk {

namespace {

// One allocation, left uninitialised: a discard lock is followed by a full
// rewrite, so clearing it first would only cost time.
class SystemMemoryStorage : public HardwareBufferStorage {
public:
    explicit SystemMemoryStorage(std::size_t sizeInBytes) : bytes_(new std::byte[sizeInBytes]) {}

    void* map(std::size_t offset, std::size_t length, HardwareBuffer::LockOptions options) override {
#ifndef NDEBUG
        // Debug builds poison discarded memory so that bytes nobody wrote
        // show up as garbage instead of passing by accident.
        if (options == HardwareBuffer::LOCK_DISCARD) std::memset(bytes_.get() + offset, 0xCD, length);
#else
        (void)length;
        (void)options;
#endif
        return bytes_.get() + offset;
    }

    void unmap() override {}

private:
    std::unique_ptr<std::byte[]> bytes_;
};

} // namespace

std::unique_ptr<HardwareBufferStorage> SystemMemoryBufferBackend::createStorage(
    Target /*target: both kinds are plain memory*/, std::size_t sizeInBytes,
    HardwareBuffer::Usage /*usage*/, bool /*useShadowBuffer: the memory is already the CPU's*/) {
    return std::make_unique<SystemMemoryStorage>(sizeInBytes);
}

} // namespace Velk
