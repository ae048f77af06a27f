#pragma once

#include <cstddef> // Required for: std::size_t
#include <memory>  // Required for: std::unique_ptr

namespace Velk {

class HardwareBufferStorage;

// A block of vertex or index memory that a renderer draws from. Its bytes
// are reached only by locking it: lock returns writable (or readable)
// memory, unlock commits it. Where that memory lives is up to the backend
// that made the storage (plain memory, or mapped memory of the graphics
// driver), so code that fills buffers never depends on the renderer.
class HardwareBuffer {
public:
    // How the buffer is used, as flags; the backend may place it accordingly.
    enum Usage : unsigned {
        USAGE_STATIC = 1,      // written rarely
        USAGE_DYNAMIC = 2,     // written often
        USAGE_WRITE_ONLY = 4,  // the program does not read it back (reading is slow)
        USAGE_STATIC_WRITE_ONLY = USAGE_STATIC | USAGE_WRITE_ONLY,
        USAGE_DYNAMIC_WRITE_ONLY = USAGE_DYNAMIC | USAGE_WRITE_ONLY,
    };

    // What the caller intends while the buffer is locked.
    enum LockOptions {
        LOCK_NORMAL,       // read and write, keep the contents
        LOCK_DISCARD,      // the old contents may be thrown away; the caller rewrites it all
        LOCK_READ_ONLY,    // read only; nothing is committed on unlock
        LOCK_NO_OVERWRITE, // write only where the renderer is not reading
    };

    virtual ~HardwareBuffer();
    HardwareBuffer(const HardwareBuffer&) = delete;
    HardwareBuffer& operator=(const HardwareBuffer&) = delete;

    // Locks bytes [offset, offset + length) and returns their address.
    // Throws when the buffer is already locked, the length is zero or the
    // range leaves the buffer.
    void* lock(std::size_t offset, std::size_t length, LockOptions options);
    // Locks the whole buffer.
    void* lock(LockOptions options);
    // Commits the locked range; throws when the buffer is not locked.
    void unlock();
    // Copies `length` bytes from `offset` into `destination` (lock, copy, unlock).
    void readData(std::size_t offset, std::size_t length, void* destination);

    bool isLocked() const { return locked_; }
    std::size_t getSizeInBytes() const { return sizeInBytes_; }
    Usage getUsage() const { return usage_; }
    bool hasShadowBuffer() const { return useShadowBuffer_; }
    // The backend's memory behind this buffer, for the renderer that draws it.
    HardwareBufferStorage& getStorage() { return *storage_; }

protected:
    // `storage` must hold at least `sizeInBytes` bytes.
    HardwareBuffer(std::unique_ptr<HardwareBufferStorage> storage, std::size_t sizeInBytes,
                   Usage usage, bool useShadowBuffer);

private:
    std::unique_ptr<HardwareBufferStorage> storage_;
    std::size_t sizeInBytes_;
    Usage usage_;
    bool useShadowBuffer_;
    bool locked_ = false;
};

} // namespace Velk
