#pragma once

#include "mesh/Mesh.h"              // Required for: MeshPtr
#include "scene/MovableObject.h"    // Required for: MovableObject
#include "scene/SceneDetailLevel.h" // Required for: SceneDetailLevel
#include "scene/SubEntity.h"        // Required for: SubEntity

#include <cstdint> // Required for: std::uint64_t
#include <memory>  // Required for: std::unique_ptr
#include <vector> // Required for: std::vector

namespace Velk {

// An instance of a mesh in the scene: one sub-entity per submesh, in
// submesh order, each with its material. Keeps a share of the mesh, so the
// mesh manager may drop the mesh's name while the entity still draws it.
// Made by SceneManager::createEntity.
class Entity : public MovableObject {
public:
    Entity(std::string name, MeshPtr mesh);
    ~Entity() override;

    const char* getMovableType() const override { return "Entity"; }
    // The mesh drawn; it stays valid while the entity exists.
    Mesh* getMesh() const { return mesh_.get(); }
    // The entity's share of the mesh.
    const MeshPtr& getSharedMesh() const { return mesh_; }
    std::size_t getNumSubEntities() const { return subEntities_.size(); }
    // Sub-entity number `index`; throws when there is none.
    SubEntity* getSubEntity(std::size_t index) const;
    // Sets the material of every sub-entity.
    void setMaterialName(const std::string& name);
    // Points, wireframe or solid for this entity (default solid); the camera's
    // level can lower it further.
    void setRenderDetail(SceneDetailLevel level);
    SceneDetailLevel getRenderDetail() const { return detail_; }
    void setVisible(bool visible) { visible_ = visible; }
    bool isVisible() const { return visible_; }
    // Unique over the program's run: tells a new entity from an old one
    // that happened to get the same address (the shadow map's redraw test).
    std::uint64_t getSerial() const { return serial_; }
    // Tells the entity that its mesh's vertex buffers or elements changed (a
    // buffer added, say): the renderer binds them again on the next draw.
    void _notifyVertexDataChanged();

private:
    MeshPtr mesh_;
    std::uint64_t serial_ = 0;
    std::vector<std::unique_ptr<SubEntity>> subEntities_;
    SceneDetailLevel detail_ = SDL_SOLID;
    bool visible_ = true;
};

} // namespace Velk
