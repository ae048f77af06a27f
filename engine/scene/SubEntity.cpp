#include "scene/SubEntity.h"

#include "core/Exception.h"
#include "gl/GLObjects.h"
#include "material/MaterialManager.h"

namespace Velk {

SubEntity::SubEntity(Entity* parent, SubMesh* subMesh) : parent_(parent), subMesh_(subMesh) {}

// The vertex array dies with the sub-entity; the buffers belong to the mesh.
SubEntity::~SubEntity() {
    GLuint name = vertexArray_;
    GL::deleteObject(GL::ObjectKind::VertexArray, name);
}

void SubEntity::_releaseVertexArray() {
    GLuint name = vertexArray_;
    GL::deleteObject(GL::ObjectKind::VertexArray, name);
    vertexArray_ = 0;
    missingAttributes_ = 0;
}

// Resolved now, so a misspelt name fails where it is set, not frames later.
void SubEntity::setMaterialName(const std::string& name) {
    MaterialPtr material = MaterialManager::getSingleton().getByName(name);
    if (!material)
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND,
                    "material '" + name + "' does not exist (not made in code nor defined in a material script)",
                    "SubEntity::setMaterialName");
    material_ = std::move(material);
    materialName_ = name;
}

} // namespace Velk
