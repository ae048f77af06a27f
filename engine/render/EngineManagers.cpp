#include "render/EngineManagers.h"

#include "buffer/HardwareBufferManager.h"
#include "core/Exception.h"
#include "core/Log.h"
#include "gl/GLBufferBackend.h"
#include "material/MaterialManager.h"
#include "mesh/MeshManager.h"
#include "render/Root.h"
#include "scene/SceneManager.h"
#include "material/TextureManager.h"

namespace Velk {

EngineManagers::EngineManagers()
    : buffers_(std::make_unique<HardwareBufferManager>(std::make_unique<GL::GLBufferBackend>())),
      meshes_(std::make_unique<MeshManager>()),
      textures_(std::make_unique<TextureManager>()),
      materials_(std::make_unique<MaterialManager>()),
      scene_(std::make_unique<SceneManager>()) {
    Log::message("Scene, materials, textures, meshes and GL buffers ready");
}

// Meshes hold buffers and materials hold textures: drop the users first.
EngineManagers::~EngineManagers() {
    scene_.reset();
    materials_.reset();
    textures_.reset();
    if (meshes_) meshes_->removeAll();
    meshes_.reset();
    buffers_.reset();
}

void EngineManagers::advanceAnimationTime(float seconds) { scene_->_advanceAnimationTime(seconds); }

// Lives here so the root's own file needs no scene headers.
SceneManager* Root::getSceneManager(SceneType) {
    if (!managers_)
        VELK_EXCEPT(ERR_INVALID_STATE, "there is no scene before the render window exists (call initialise first)",
                    "Root::getSceneManager");
    return &managers_->getSceneManager();
}

} // namespace Velk
