#pragma once

#include "material/Material.h" // Required for: MaterialPtr

#include <string> // Required for: std::string

namespace Velk {

class Entity;
class SubMesh;

// The part of an entity drawn from one submesh, with its own material.
// Holds the GL vertex array that binds the submesh's buffers, made on
// first draw and freed with the sub-entity.
class SubEntity {
public:
    SubEntity(Entity* parent, SubMesh* subMesh);
    ~SubEntity();
    SubEntity(const SubEntity&) = delete;
    SubEntity& operator=(const SubEntity&) = delete;

    // Draws with the material of that name; throws when no material has it.
    void setMaterialName(const std::string& name);
    // "BaseWhite" (lit white, the built-in default) until one is set.
    const std::string& getMaterialName() const { return materialName_; }
    // The material, or null for the built-in default.
    const MaterialPtr& getMaterial() const { return material_; }
    SubMesh* getSubMesh() const { return subMesh_; }
    Entity* getParent() const { return parent_; }

    // The vertex array the renderer made for this part (0 before the first draw).
    unsigned int _getVertexArray() const { return vertexArray_; }
    void _setVertexArray(unsigned int name, unsigned int missingAttributes) {
        vertexArray_ = name;
        missingAttributes_ = missingAttributes;
    }
    // Frees the vertex array, so that the next draw binds the mesh's
    // buffers afresh.
    void _releaseVertexArray();
    // Bit i set: attribute i has no vertex element and takes a constant.
    unsigned int _getMissingAttributes() const { return missingAttributes_; }

private:
    Entity* parent_;
    SubMesh* subMesh_;
    std::string materialName_ = "BaseWhite";
    MaterialPtr material_;
    unsigned int vertexArray_ = 0;
    unsigned int missingAttributes_ = 0;
};

} // namespace Velk
