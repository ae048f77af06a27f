// The buffer manager and its system-memory buffers: sizes, the lock cycle,
// and the engine errors that misuse must raise instead of undefined behaviour.
#include "buffer/HardwareBufferManager.h"

#include "core/Exception.h"

#include <gtest/gtest.h>

#include <cstdint> // Required for: uint32_t
#include <limits>  // Required for: std::numeric_limits
#include <memory>  // Required for: std::unique_ptr
#include <vector>  // Required for: std::vector
#include <string>  // Required for: std::string

using namespace Velk;

namespace {

// Runs `f`, expects a Velk::Exception of `code` and returns its full description.
template <class F> std::string expectEngineError(F&& f, Exception::Code code) {
    try {
        f();
    } catch (const Exception& e) {
        EXPECT_EQ(e.getNumber(), code) << e.getFullDescription();
        return e.getFullDescription();
    }
    ADD_FAILURE() << "no Velk::Exception was thrown";
    return {};
}

class HardwareBufferTest : public ::testing::Test {
protected:
    HardwareBufferManager buffers;
};

TEST_F(HardwareBufferTest, VertexBufferHasTheRequestedSize) {
    const auto buffer = buffers.createVertexBuffer(32, 10, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    EXPECT_EQ(buffer->getVertexSize(), 32u);
    EXPECT_EQ(buffer->getNumVertices(), 10u);
    EXPECT_EQ(buffer->getSizeInBytes(), 320u);
    EXPECT_EQ(buffer->getUsage(), HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    EXPECT_FALSE(buffer->hasShadowBuffer());
    EXPECT_FALSE(buffer->isLocked());
}

TEST_F(HardwareBufferTest, IndexBufferSizeFollowsTheIndexType) {
    const auto wide = buffers.createIndexBuffer(HardwareIndexBuffer::INDEX_32BIT, 6,
                                                HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    const auto narrow = buffers.createIndexBuffer(HardwareIndexBuffer::INDEX_16BIT, 6,
                                                  HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    EXPECT_EQ(wide->getSizeInBytes(), 24u);
    EXPECT_EQ(wide->getNumIndexes(), 6u);
    EXPECT_EQ(narrow->getSizeInBytes(), 12u);
    EXPECT_EQ(narrow->getType(), HardwareIndexBuffer::INDEX_16BIT);
}

TEST_F(HardwareBufferTest, WrittenBytesReadBackAfterUnlock) {
    const auto buffer = buffers.createIndexBuffer(HardwareIndexBuffer::INDEX_32BIT, 4,
                                                  HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    auto* indices = static_cast<uint32_t*>(buffer->lock(HardwareBuffer::LOCK_DISCARD));
    EXPECT_TRUE(buffer->isLocked());
    for (uint32_t i = 0; i < 4; ++i) indices[i] = 100 + i;
    buffer->unlock();
    EXPECT_FALSE(buffer->isLocked());

    uint32_t back[2] = {};
    buffer->readData(8, 8, back);
    EXPECT_EQ(back[0], 102u);
    EXPECT_EQ(back[1], 103u);
    EXPECT_FALSE(buffer->isLocked());
}

TEST_F(HardwareBufferTest, PartialLockReturnsTheAddressAtTheOffset) {
    const auto buffer = buffers.createVertexBuffer(4, 8, HardwareBuffer::USAGE_DYNAMIC);
    auto* whole = static_cast<unsigned char*>(buffer->lock(HardwareBuffer::LOCK_NORMAL));
    buffer->unlock();
    auto* part = static_cast<unsigned char*>(buffer->lock(12, 8, HardwareBuffer::LOCK_NORMAL));
    EXPECT_EQ(part, whole + 12);
    buffer->unlock();
}

TEST_F(HardwareBufferTest, LockingALockedBufferIsAnError) {
    const auto buffer = buffers.createVertexBuffer(4, 4, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    buffer->lock(HardwareBuffer::LOCK_DISCARD);
    const std::string text =
        expectEngineError([&] { buffer->lock(HardwareBuffer::LOCK_DISCARD); }, Exception::ERR_INVALID_STATE);
    EXPECT_NE(text.find("HardwareBuffer::lock"), std::string::npos) << text;
    EXPECT_NE(text.find("already locked"), std::string::npos) << text;
    // The first lock still holds and ends normally.
    EXPECT_TRUE(buffer->isLocked());
    buffer->unlock();
}

TEST_F(HardwareBufferTest, UnlockingAnUnlockedBufferIsAnError) {
    const auto buffer = buffers.createVertexBuffer(4, 4, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    const std::string text = expectEngineError([&] { buffer->unlock(); }, Exception::ERR_INVALID_STATE);
    EXPECT_NE(text.find("HardwareBuffer::unlock"), std::string::npos) << text;
    EXPECT_NE(text.find("not locked"), std::string::npos) << text;
}

TEST_F(HardwareBufferTest, LockOutsideTheBufferIsAnError) {
    const auto buffer = buffers.createVertexBuffer(4, 4, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    expectEngineError([&] { buffer->lock(12, 8, HardwareBuffer::LOCK_NORMAL); }, Exception::ERR_INVALIDPARAMS);
    expectEngineError([&] { buffer->lock(0, 0, HardwareBuffer::LOCK_NORMAL); }, Exception::ERR_INVALIDPARAMS);
    // An offset near the top of the size type must not wrap round into range.
    const std::size_t huge = std::numeric_limits<std::size_t>::max() - 2;
    const std::string text =
        expectEngineError([&] { buffer->lock(huge, 4, HardwareBuffer::LOCK_NORMAL); }, Exception::ERR_INVALIDPARAMS);
    EXPECT_NE(text.find("16 bytes"), std::string::npos) << text;
    EXPECT_FALSE(buffer->isLocked());
    // The last bytes exactly are in range.
    EXPECT_NO_THROW(buffer->lock(12, 4, HardwareBuffer::LOCK_NORMAL));
    buffer->unlock();
}

TEST_F(HardwareBufferTest, ZeroSizeBuffersAreErrors) {
    const std::string text = expectEngineError(
        [&] { buffers.createVertexBuffer(32, 0, HardwareBuffer::USAGE_STATIC_WRITE_ONLY); },
        Exception::ERR_INVALIDPARAMS);
    EXPECT_NE(text.find("createVertexBuffer"), std::string::npos) << text;
    EXPECT_NE(text.find("empty"), std::string::npos) << text;
    expectEngineError([&] { buffers.createVertexBuffer(0, 10, HardwareBuffer::USAGE_STATIC_WRITE_ONLY); },
                      Exception::ERR_INVALIDPARAMS);
    expectEngineError(
        [&] { buffers.createIndexBuffer(HardwareIndexBuffer::INDEX_32BIT, 0, HardwareBuffer::USAGE_STATIC_WRITE_ONLY); },
        Exception::ERR_INVALIDPARAMS);
}

TEST_F(HardwareBufferTest, SizesThatOverflowAreErrors) {
    const std::size_t half = std::numeric_limits<std::size_t>::max() / 2 + 1;
    expectEngineError([&] { buffers.createVertexBuffer(2, half, HardwareBuffer::USAGE_STATIC_WRITE_ONLY); },
                      Exception::ERR_INVALIDPARAMS);
    expectEngineError(
        [&] { buffers.createIndexBuffer(HardwareIndexBuffer::INDEX_32BIT, half, HardwareBuffer::USAGE_STATIC_WRITE_ONLY); },
        Exception::ERR_INVALIDPARAMS);
}

TEST_F(HardwareBufferTest, SystemMemoryIsTheDefaultBackend) {
    EXPECT_STREQ(buffers.getBackend().getName(), "system memory");
}

TEST_F(HardwareBufferTest, ASecondManagerIsAnError) {
    EXPECT_EQ(&HardwareBufferManager::getSingleton(), &buffers);
    expectEngineError([] { HardwareBufferManager second; }, Exception::ERR_DUPLICATE_ITEM);
    // The first one is still the instance.
    EXPECT_EQ(HardwareBufferManager::getSingletonPtr(), &buffers);
}

// A backend that counts what it is asked for, standing in for a renderer's.
class CountingBackend : public HardwareBufferBackend {
public:
    struct Counts {
        int vertex = 0, index = 0, maps = 0, unmaps = 0;
    };
    explicit CountingBackend(Counts& counts) : counts_(counts) {}

    std::unique_ptr<HardwareBufferStorage> createStorage(Target target, std::size_t sizeInBytes,
                                                         HardwareBuffer::Usage, bool) override {
        (target == Target::Vertex ? counts_.vertex : counts_.index) += 1;
        return std::make_unique<Storage>(sizeInBytes, counts_);
    }
    const char* getName() const override { return "counting"; }

private:
    struct Storage : HardwareBufferStorage {
        Storage(std::size_t size, Counts& counts) : bytes(size), counts_(counts) {}
        void* map(std::size_t offset, std::size_t, HardwareBuffer::LockOptions) override {
            ++counts_.maps;
            return bytes.data() + offset;
        }
        void unmap() override { ++counts_.unmaps; }
        std::vector<unsigned char> bytes;
        Counts& counts_;
    };
    Counts& counts_;
};

TEST(HardwareBufferBackendTest, AnotherBackendPlugsInUnderTheSameManager) {
    CountingBackend::Counts counts;
    HardwareBufferManager buffers(std::make_unique<CountingBackend>(counts));
    EXPECT_STREQ(HardwareBufferManager::getSingleton().getBackend().getName(), "counting");
    const auto vertices = buffers.createVertexBuffer(8, 3, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    const auto indices = buffers.createIndexBuffer(HardwareIndexBuffer::INDEX_32BIT, 3,
                                                   HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    vertices->lock(HardwareBuffer::LOCK_DISCARD);
    vertices->unlock();
    // Misuse is caught before the backend sees it.
    EXPECT_THROW(vertices->unlock(), Exception);
    EXPECT_EQ(counts.vertex, 1);
    EXPECT_EQ(counts.index, 1);
    EXPECT_EQ(counts.maps, 1);
    EXPECT_EQ(counts.unmaps, 1);
}

TEST(HardwareBufferBackendTest, ANullBackendIsAnError) {
    EXPECT_THROW(HardwareBufferManager{std::unique_ptr<HardwareBufferBackend>()}, Exception);
    EXPECT_EQ(HardwareBufferManager::getSingletonPtr(), nullptr);
}

TEST(HardwareBufferManagerTest, GettingAManagerThatDoesNotExistIsAnError) {
    ASSERT_EQ(HardwareBufferManager::getSingletonPtr(), nullptr);
    const std::string text =
        expectEngineError([] { HardwareBufferManager::getSingleton(); }, Exception::ERR_INVALID_STATE);
    EXPECT_NE(text.find("no HardwareBufferManager exists"), std::string::npos) << text;
}

} // namespace
