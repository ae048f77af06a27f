#pragma once

#include <memory> // Required for: std::unique_ptr

namespace Velk {

class HardwareBufferManager;
class MaterialManager;
class MeshManager;
class SceneManager;
class TextureManager;

// The managers that hold GL objects, made by the root once the render
// window's context is current and dropped before the window goes: the
// buffer manager over GL buffers, meshes, textures, materials and the scene.
// They go in the reverse order, so nothing outlives what it draws from.
class EngineManagers {
public:
    EngineManagers();
    ~EngineManagers();
    EngineManagers(const EngineManagers&) = delete;
    EngineManagers& operator=(const EngineManagers&) = delete;

    SceneManager& getSceneManager() { return *scene_; }
    // Moves the scene's animation on by one frame's time.
    void advanceAnimationTime(float seconds);

private:
    std::unique_ptr<HardwareBufferManager> buffers_;
    std::unique_ptr<MeshManager> meshes_;
    std::unique_ptr<TextureManager> textures_;
    std::unique_ptr<MaterialManager> materials_;
    std::unique_ptr<SceneManager> scene_;
};

} // namespace Velk
