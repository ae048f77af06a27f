// Reuse of system-memory buffer blocks: which requests a kept block serves,
// what the pool keeps, and buffers that outlive their manager.
#include "buffer/SystemMemoryBlockPool.h"

#include "buffer/HardwareBufferManager.h"
#include "buffer/SystemMemoryBufferBackend.h"

#include <gtest/gtest.h>

#include <memory> // Required for: std::make_unique

using namespace Velk;

namespace {

TEST(SystemMemoryBlockPoolTest, FreshBlocksHaveTheRequestedSize) {
    SystemMemoryBlockPool pool(4, 1 << 20);
    const SystemMemoryBlockPool::Block block = pool.acquire(100);
    ASSERT_NE(block.bytes, nullptr);
    EXPECT_EQ(block.capacity, 100u);
    EXPECT_EQ(pool.getBlockCount(), 0u);
}

TEST(SystemMemoryBlockPoolTest, AKeptBlockServesRequestsDownToHalfItsSize) {
    SystemMemoryBlockPool pool(4, 1 << 20);
    SystemMemoryBlockPool::Block block = pool.acquire(100);
    const std::byte* address = block.bytes.get();
    pool.release(std::move(block));
    EXPECT_EQ(pool.getBlockCount(), 1u);
    EXPECT_EQ(pool.getBytes(), 100u);

    // Too big, then too small to be worth the block: fresh memory both times.
    EXPECT_NE(pool.acquire(101).bytes.get(), address);
    EXPECT_NE(pool.acquire(49).bytes.get(), address);
    EXPECT_EQ(pool.getBlockCount(), 1u);

    block = pool.acquire(50);
    EXPECT_EQ(block.bytes.get(), address);
    EXPECT_EQ(block.capacity, 100u);
    EXPECT_EQ(pool.getBlockCount(), 0u);
    EXPECT_EQ(pool.getBytes(), 0u);
}

TEST(SystemMemoryBlockPoolTest, TheSmallestFittingBlockIsTaken) {
    SystemMemoryBlockPool pool(4, 1 << 20);
    SystemMemoryBlockPool::Block large = pool.acquire(180);
    SystemMemoryBlockPool::Block small = pool.acquire(120);
    const std::byte* smallAddress = small.bytes.get();
    pool.release(std::move(large));
    pool.release(std::move(small));
    EXPECT_EQ(pool.acquire(100).bytes.get(), smallAddress);
}

TEST(SystemMemoryBlockPoolTest, TheOldestBlocksGoWhenThePoolIsFull) {
    SystemMemoryBlockPool pool(2, 1000);
    SystemMemoryBlockPool::Block a = pool.acquire(100), b = pool.acquire(100), c = pool.acquire(100);
    pool.release(std::move(a));
    pool.release(std::move(b));
    pool.release(std::move(c));
    EXPECT_EQ(pool.getBlockCount(), 2u);
    EXPECT_EQ(pool.getBytes(), 200u);

    // By bytes: 100 + 900 fill the limit exactly, 100 + 901 do not.
    pool.release(pool.acquire(900));
    EXPECT_EQ(pool.getBlockCount(), 2u);
    EXPECT_EQ(pool.getBytes(), 1000u);
    pool.release(pool.acquire(901));
    EXPECT_EQ(pool.getBlockCount(), 1u);
    EXPECT_EQ(pool.getBytes(), 901u);
    // A block over the whole limit is not kept at all.
    pool.release(pool.acquire(1001));
    EXPECT_EQ(pool.getBytes(), 901u);
    // The 901 block serves a request of 500 but not one of 450.
    EXPECT_EQ(pool.acquire(450).capacity, 450u);
    EXPECT_EQ(pool.acquire(500).capacity, 901u);
}

TEST(SystemMemoryBufferBackendTest, ADroppedBuffersMemoryServesTheNextBuffer) {
    auto owned = std::make_unique<SystemMemoryBufferBackend>();
    SystemMemoryBufferBackend& backend = *owned;
    HardwareBufferManager buffers(std::move(owned));
    auto first = buffers.createVertexBuffer(32, 1000, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    const void* address = first->lock(HardwareBuffer::LOCK_DISCARD);
    first->unlock();
    first.reset();
    EXPECT_EQ(backend.getKeptBlockCount(), 1u);
    EXPECT_EQ(backend.getKeptBytes(), 32000u);

    const auto second = buffers.createIndexBuffer(HardwareIndexBuffer::INDEX_32BIT, 7000,
                                                  HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    EXPECT_EQ(second->lock(HardwareBuffer::LOCK_DISCARD), address);
    second->unlock();
    EXPECT_EQ(backend.getKeptBlockCount(), 0u);
}

TEST(SystemMemoryBufferBackendTest, ABufferMayOutliveItsManager) {
    HardwareVertexBufferSharedPtr survivor;
    {
        HardwareBufferManager buffers;
        survivor = buffers.createVertexBuffer(4, 4, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    }
    auto* values = static_cast<float*>(survivor->lock(HardwareBuffer::LOCK_DISCARD));
    values[3] = 1.5f;
    survivor->unlock();
    float back = 0.0f;
    survivor->readData(12, 4, &back);
    EXPECT_EQ(back, 1.5f);
    survivor.reset(); // returns its block to a pool nobody else holds
}

} // namespace
