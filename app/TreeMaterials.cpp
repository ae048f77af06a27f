#include "TreeMaterials.h"

#include "TreeParameters.h"
#include "scene/Entity.h" // Required for: Velk::Entity, Velk::SubEntity

void assignTreeMaterials(Velk::Entity& entity, const TreeParameters& params) {
    entity.getSubEntity(0)->setMaterialName("BarkTextMat");
    if (params.getLeaves() > 0) {
        entity.getSubEntity(1)->setMaterialName("LeafTextMat");
        if (params.getType() == 0) entity.getSubEntity(2)->setMaterialName("CoordFrameMat");
    } else if (params.getType() == 0) {
        entity.getSubEntity(1)->setMaterialName("CoordFrameMat");
    }
}
