#include "buffer/SystemMemoryBufferBackend.h"

#include "buffer/SystemMemoryBlockPool.h"

#include <cstring> // Required for: std::memset
#include <utility> // Required for: std::move

namespace Velk {

namespace {

// One block of process memory; returned to the pool when the buffer goes.
// Its contents are whatever the last user left: a discard lock is followed
// by a full rewrite, so clearing it first would only cost time.
class SystemMemoryStorage : public HardwareBufferStorage {
public:
    SystemMemoryStorage(std::shared_ptr<SystemMemoryBlockPool> pool, std::size_t sizeInBytes)
        : pool_(std::move(pool)), block_(pool_->acquire(sizeInBytes)) {}
    ~SystemMemoryStorage() override { pool_->release(std::move(block_)); }

    void* map(std::size_t offset, std::size_t length, HardwareBuffer::LockOptions options) override {
#ifndef NDEBUG
        // Debug builds poison discarded memory so that bytes nobody wrote
        // show up as garbage instead of passing by accident.
        if (options == HardwareBuffer::LOCK_DISCARD) std::memset(block_.bytes.get() + offset, 0xCD, length);
#else
        (void)length;
        (void)options;
#endif
        return block_.bytes.get() + offset;
    }

    void unmap() override {}

private:
    std::shared_ptr<SystemMemoryBlockPool> pool_;
    SystemMemoryBlockPool::Block block_;
};

} // namespace

SystemMemoryBufferBackend::SystemMemoryBufferBackend()
    : pool_(std::make_shared<SystemMemoryBlockPool>(MAX_KEPT_BLOCKS, MAX_KEPT_BYTES)) {}

SystemMemoryBufferBackend::~SystemMemoryBufferBackend() = default;

std::unique_ptr<HardwareBufferStorage> SystemMemoryBufferBackend::createStorage(
    Target /*target: both kinds are plain memory*/, std::size_t sizeInBytes,
    HardwareBuffer::Usage /*usage*/, bool /*useShadowBuffer: the memory is already the CPU's*/) {
    return std::make_unique<SystemMemoryStorage>(pool_, sizeInBytes);
}

std::size_t SystemMemoryBufferBackend::getKeptBlockCount() const { return pool_->getBlockCount(); }

std::size_t SystemMemoryBufferBackend::getKeptBytes() const { return pool_->getBytes(); }

} // namespace Velk
