#include "SceneFixture.h"

#include "buffer/HardwareBufferManager.h"
#include "core/ResourceManager.h"
#include "mesh/MeshManager.h"
#include "render/ImageWriter.h"
#include "render/Viewport.h"

#include <array>      // Required for: std::array
#include <cstdlib>    // Required for: std::abs
#include <cstring>    // Required for: std::memcpy
#include <filesystem> // Required for: std::filesystem::path

using namespace Velk;

void SceneFixture::startScene(unsigned int width, unsigned int height, bool withMedia, int samples) {
    AutomationOptions options = offscreenOptions();
    options.fsaa = samples;
    options.width = width;
    options.height = height;
    Root& engine = startEngine(options);
    ResourceManager::addCommonArchiveEx(std::filesystem::path(folder.path("x")).parent_path().string(), "FileSystem");
    if (withMedia) ResourceManager::addCommonArchiveEx(MEDIA_DIR, "FileSystem");
    window = engine.initialise(true);
    scene = engine.getSceneManager(ST_GENERIC);
    camera = scene->createCamera("TestCam");
    camera->setPosition(0.0f, 0.0f, 10.0f);
    camera->lookAt(0.0f, 0.0f, 0.0f);
    camera->setNearClipDistance(1.0f);
    viewport = window->addViewport(camera);
    viewport->setBackgroundColour(ColourValue(0.0f, 0.0f, 0.0f, 1.0f));
    camera->setAspectRatio(static_cast<float>(viewport->getActualWidth()) /
                           static_cast<float>(viewport->getActualHeight()));
}

std::vector<unsigned char> SceneFixture::renderFrame() {
    root->renderOneFrame();
    return window->readContents();
}

std::vector<int> SceneFixture::pixelAt(const std::vector<unsigned char>& rgba, unsigned int x, unsigned int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * window->getWidth() + x) * 4;
    return {rgba[at], rgba[at + 1], rgba[at + 2], rgba[at + 3]};
}

void SceneFixture::writeTexture(const std::string& name, unsigned int width, unsigned int height,
                                const std::vector<unsigned char>& rgba) const {
    writeImageFile(folder.path(name), width, height, rgba);
}

// Position, normal, texture coordinates in buffer 0; the packed colour in buffer 1.
void makeQuadMesh(const std::string& name, float half, uint32_t argb) { makeRectangleMesh(name, half, half, argb); }

void makeRectangleMesh(const std::string& name, float halfX, float halfY, uint32_t argb) {
    const MeshPtr mesh = MeshManager::getSingleton().createManual(name);
    mesh->sharedVertexData = std::make_unique<VertexData>();
    VertexData& data = *mesh->sharedVertexData;
    data.vertexDeclaration->addElement(0, 0, VET_FLOAT3, VES_POSITION);
    data.vertexDeclaration->addElement(0, 12, VET_FLOAT3, VES_NORMAL);
    data.vertexDeclaration->addElement(0, 24, VET_FLOAT2, VES_TEXTURE_COORDINATES);
    data.vertexDeclaration->addElement(1, 0, VET_COLOUR_ARGB, VES_DIFFUSE);
    data.vertexCount = 4;
    HardwareBufferManager& buffers = HardwareBufferManager::getSingleton();
    const auto floats = buffers.createVertexBuffer(32, 4, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    const auto colours = buffers.createVertexBuffer(4, 4, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    data.vertexBufferBinding->setBinding(0, floats);
    data.vertexBufferBinding->setBinding(1, colours);
    const std::array<float, 32> vertices = {
        -halfX, halfY,  0, 0, 0, 1, 0, 0, // 0: top left
        -halfX, -halfY, 0, 0, 0, 1, 0, 1, // 1: bottom left
        halfX,  -halfY, 0, 0, 0, 1, 1, 1, // 2: bottom right
        halfX,  halfY,  0, 0, 0, 1, 1, 0, // 3: top right
    };
    std::memcpy(floats->lock(HardwareBuffer::LOCK_DISCARD), vertices.data(), sizeof(vertices));
    floats->unlock();
    const std::array<uint32_t, 4> packed = {argb, argb, argb, argb};
    std::memcpy(colours->lock(HardwareBuffer::LOCK_DISCARD), packed.data(), sizeof(packed));
    colours->unlock();

    SubMesh* subMesh = mesh->createSubMesh();
    subMesh->indexData->indexCount = 6;
    subMesh->indexData->indexBuffer =
        buffers.createIndexBuffer(HardwareIndexBuffer::INDEX_32BIT, 6, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
    const std::array<uint32_t, 6> indices = {0, 1, 2, 0, 2, 3};
    std::memcpy(subMesh->indexData->indexBuffer->lock(HardwareBuffer::LOCK_DISCARD), indices.data(), sizeof(indices));
    subMesh->indexData->indexBuffer->unlock();
    mesh->_setBounds(AxisAlignedBox({-halfX, -halfY, 0}, {halfX, halfY, 0}));
}

::testing::AssertionResult colourNear(const std::vector<int>& actual, int r, int g, int b, int tolerance) {
    if (std::abs(actual[0] - r) <= tolerance && std::abs(actual[1] - g) <= tolerance &&
        std::abs(actual[2] - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << actual[0] << ", " << actual[1] << ", " << actual[2]
                                         << "), expected (" << r << ", " << g << ", " << b << ") within " << tolerance;
}
