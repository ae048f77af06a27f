#pragma once

#include "math/AxisAlignedBox.h"
#include "mesh/SubMesh.h"
#include "mesh/VertexData.h"

#include <cstddef> // Required for: std::size_t
#include <memory>  // Required for: std::unique_ptr, std::shared_ptr
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

namespace Velk {

// Renderable geometry registered under a name: vertices that its submeshes
// may share, the submeshes in creation order (a submesh's number is its
// position), and the bounds that culling uses. Made by MeshManager.
class Mesh {
public:
    explicit Mesh(std::string name);
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    const std::string& getName() const { return name_; }

    // Appends a new submesh with empty index data and returns it.
    SubMesh* createSubMesh();
    std::size_t getNumSubMeshes() const { return subMeshes_.size(); }
    // Submesh number `index`; throws when there is no such submesh.
    SubMesh* getSubMesh(std::size_t index) const;

    // Bounds as computed by whoever built the geometry; not derived here.
    void _setBounds(const AxisAlignedBox& bounds) { bounds_ = bounds; }
    const AxisAlignedBox& getBounds() const { return bounds_; }
    void _setBoundingSphereRadius(float radius) { boundingRadius_ = radius; }
    float getBoundingSphereRadius() const { return boundingRadius_; }

    std::unique_ptr<VertexData> sharedVertexData; // default: none

private:
    std::string name_;
    std::vector<std::unique_ptr<SubMesh>> subMeshes_;
    AxisAlignedBox bounds_;        // default: null
    float boundingRadius_ = 0.0f;
};

// Meshes are shared by the manager and whatever draws them, so dropping a
// mesh from the manager never leaves a drawing object dangling.
using MeshPtr = std::shared_ptr<Mesh>;

} // namespace Velk
