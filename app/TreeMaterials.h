#pragma once

#include "LeafTexture.h" // Required for: DEFAULT_LEAF_TEXTURE

#include <string> // Required for: std::string

namespace Velk {
class Entity;
}
class Tree;

// Creates the three materials a tree entity uses: "BarkTextMat" (bark
// texture), "LeafTextMat" (leaf atlas, blended, both sides, lit, diffuse
// (0.9, 1, 0.9, 1), ambient (0.5, 0.6, 0.5)) and "CoordFrameMat" (blended,
// unlit). `leafTexture` is the leaf atlas: a media name or a file's
// absolute path (resolveLeafTexture).
void createTreeMaterials(const std::string& leafTexture = DEFAULT_LEAF_TEXTURE);
// Gives "LeafTextMat" another leaf atlas (a texture name of
// leafTextureName). Throws Velk::Exception when it cannot be loaded; the
// material keeps its atlas then.
void setLeafTextureOfMaterial(const std::string& leafTexture);

// Gives a tree entity's sub-entities their materials in the mesh's submesh
// order: bark, then leaves when the tree has any, then the coordinate frames
// of the Simple species. Leaves are judged by the tree's own count, as the
// mesh builder judges them: a parameter set with leaves can still grow a
// tree without any (no branches on the last level).
void assignTreeMaterials(Velk::Entity& entity, const Tree& tree);
