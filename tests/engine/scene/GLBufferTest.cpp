// Hardware buffers in GL memory once the engine runs.
#include "SceneFixture.h"

#include "buffer/HardwareBufferManager.h"
#include "core/Exception.h"
#include "mesh/MeshManager.h"
#include "render/GLObjectCount.h"

#include <cstring> // Required for: std::memcpy
#include <numeric> // Required for: std::iota

using namespace Velk;

using GLBuffers = SceneFixture;

// One GL buffer per engine buffer, gone with the last share of it.
TEST_F(GLBuffers, EachBufferIsOneGLBufferFreedWithIt) {
    startScene();
    HardwareBufferManager& buffers = HardwareBufferManager::getSingleton();
    EXPECT_STREQ(buffers.getBackend().getName(), "GL");
    const std::size_t before = getLiveGLObjectCount();
    {
        auto vertices = buffers.createVertexBuffer(32, 1000, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
        auto indices = buffers.createIndexBuffer(HardwareIndexBuffer::INDEX_32BIT, 300,
                                                 HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
        EXPECT_EQ(getLiveGLObjectCount(), before + 2);
        auto share = vertices;
        vertices.reset();
        EXPECT_EQ(getLiveGLObjectCount(), before + 2) << "a share still holds it";
    }
    EXPECT_EQ(getLiveGLObjectCount(), before);
}

// What a discarding lock writes is what the driver holds afterwards.
TEST_F(GLBuffers, DiscardLockWritesStraightIntoTheGLBuffer) {
    startScene();
    auto buffer = HardwareBufferManager::getSingleton().createIndexBuffer(
        HardwareIndexBuffer::INDEX_32BIT, 1000, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    auto* memory = static_cast<uint32_t*>(buffer->lock(HardwareBuffer::LOCK_DISCARD));
    for (uint32_t i = 0; i < 1000; ++i) memory[i] = i * 7u;
    buffer->unlock();
    std::vector<uint32_t> back(10);
    buffer->readData(990 * 4, 40, back.data());
    for (uint32_t i = 0; i < 10; ++i) EXPECT_EQ(back[i], (990 + i) * 7u);

    // A normal lock keeps the contents around the part rewritten.
    auto* part = static_cast<uint32_t*>(buffer->lock(4, 4, HardwareBuffer::LOCK_NORMAL));
    EXPECT_EQ(*part, 7u);
    *part = 99u;
    buffer->unlock();
    std::vector<uint32_t> start(3);
    buffer->readData(0, 12, start.data());
    EXPECT_EQ(start, (std::vector<uint32_t>{0u, 99u, 14u}));
    EXPECT_THROW(buffer->lock(4000, 4, HardwareBuffer::LOCK_NORMAL), Exception);
}

// Buffers the engine cannot draw from are refused when the entity is made.
TEST_F(GLBuffers, EntityOfAMeshWithoutPositionsIsRefused) {
    startScene();
    const MeshPtr mesh = MeshManager::getSingleton().createManual("Bare");
    mesh->sharedVertexData = std::make_unique<VertexData>();
    mesh->createSubMesh();
    try {
        scene->createEntity("E", "Bare");
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_NE(error.getFullDescription().find("no positions"), std::string::npos) << error.getFullDescription();
        EXPECT_NE(error.getFullDescription().find("'Bare'"), std::string::npos);
    }
}
