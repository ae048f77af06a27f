// The sway data of every vertex of the tree mesh, in the mesh's own vertex
// order: the bark of all stems ring by ring, then the leaves of all stems,
// then the frame markers (which do not sway). Reads only the grown stems and
// draws nothing from the random generator, so it may run at any time after
// growth without changing the tree or the rest of its mesh.
#include "Stem.h"

#include "LeafOutline.h"
#include "MeshLayout.h"
#include "Tree.h"
#include "TreeWind.h"

#include <cassert> // Required for: assert
#include <cstddef> // Required for: std::size_t

namespace {

// Writes the four floats of one vertex and advances the cursor.
inline void writeSway(float*& wind, const std::array<float, 4>& sway) {
    wind[0] = sway[0];
    wind[1] = sway[1];
    wind[2] = sway[2];
    wind[3] = sway[3];
    wind += TreeWind::FLOATS_PER_VERTEX;
}

} // namespace

void Stem::writeStemWind(float*& wind, const TreeWind::StemWind& context, float inverseHeight) const {
    for (const StemRing& ring : rings)
        for (const Velk::Vector3& p : ringVertices(ring)) writeSway(wind, TreeWind::windAt(context, p, inverseHeight, 0.0f));
    const bool isTrunk = parent == nullptr;
    for (std::size_t i = 0; i < children.size(); ++i)
        children[i]->writeStemWind(wind, TreeWind::childWind(context, *children[i], i, isTrunk), inverseHeight);
}

void Stem::writeLeafWind(float*& wind, const TreeWind::StemWind& context, float inverseHeight) const {
    for (const Leaf& leaf : leaves)
        for (std::size_t j = 0; j < 4; ++j)
            writeSway(wind, TreeWind::windAt(context, leaf.corners[j], inverseHeight, kLeafOutline[j].y));
    const bool isTrunk = parent == nullptr;
    for (std::size_t i = 0; i < children.size(); ++i)
        children[i]->writeLeafWind(wind, TreeWind::childWind(context, *children[i], i, isTrunk), inverseHeight);
}

void Tree::writeWind(float* wind) const {
    const std::size_t vertices = static_cast<std::size_t>(vertexCount);
    [[maybe_unused]] const std::size_t frameVertices = TreeMeshLayout::VERTICES_PER_FRAME * static_cast<std::size_t>(frameCount);
    // A tree of no height has nothing to bend.
    const float inverseHeight = extent.y > 0.0f ? 1.0f / extent.y : 0.0f;
    float* cursor = wind;
    trunk->writeStemWind(cursor, TreeWind::trunkWind(), inverseHeight);
    if (leafCount > 0) trunk->writeLeafWind(cursor, TreeWind::trunkWind(), inverseHeight);
    // Markers show the frames at rest.
    float* const end = wind + TreeWind::FLOATS_PER_VERTEX * vertices;
    assert(cursor + TreeWind::FLOATS_PER_VERTEX * frameVertices == end);
    while (cursor != end) *cursor++ = 0.0f;
}
