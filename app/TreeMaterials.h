#pragma once

namespace Velk {
class Entity;
}
class TreeParameters;

// Gives a tree entity's sub-entities their materials in the mesh's submesh
// order: bark, then leaves when the species has any, then the coordinate
// frames of the Simple species.
void assignTreeMaterials(Velk::Entity& entity, const TreeParameters& params);
