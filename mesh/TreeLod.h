#pragma once

#include "TreeParts.h"

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint32_t
#include <vector>  // Required for: std::vector

class Tree;

// One level of detail of a tree in system memory, laid out like the full
// mesh: per vertex eight floats (position, normal, u, v), one packed ARGB
// colour and four wind floats (TreeWind); bark vertices first, then leaf
// vertices, then (the full level of the simple species only) marker
// vertices, with one triangle list over them per part.
struct TreeLod {
    std::vector<float> geometry;
    std::vector<uint32_t> colours;
    std::vector<float> wind;
    std::vector<uint32_t> barkIndices;
    std::vector<uint32_t> leafIndices;
    std::vector<uint32_t> markerIndices;

    std::size_t vertexCount() const { return colours.size(); }
    std::size_t triangleCount() const {
        return (barkIndices.size() + leafIndices.size() + markerIndices.size()) / 3;
    }
    const std::vector<uint32_t>& indicesOf(TreePart part) const {
        return part == TreePart::Bark ? barkIndices : part == TreePart::Leaves ? leafIndices : markerIndices;
    }
};

// The full mesh of a tree as Tree::buildMesh wrote it (read back from its
// buffers): the leaf pass's colours and texture quarters come from the
// random generator, so the levels take them from here instead of drawing.
struct TreeMeshArrays {
    const float* geometry = nullptr; // 8 floats per vertex
    const uint32_t* colours = nullptr;
    std::size_t vertexCount = 0;
    const uint32_t* barkIndices = nullptr;
    std::size_t barkIndexCount = 0;
    const uint32_t* leafIndices = nullptr;
    std::size_t leafIndexCount = 0;
    const uint32_t* markerIndices = nullptr;
    std::size_t markerIndexCount = 0;

    // A part's triangle list: where its indices are and how many.
    struct Part {
        const uint32_t* indices = nullptr;
        std::size_t count = 0;
    };
    Part part(TreePart p) const {
        return p == TreePart::Bark     ? Part{barkIndices, barkIndexCount}
               : p == TreePart::Leaves ? Part{leafIndices, leafIndexCount}
                                       : Part{markerIndices, markerIndexCount};
    }
    void setPart(TreePart p, Part to) {
        (p == TreePart::Bark ? barkIndices : p == TreePart::Leaves ? leafIndices : markerIndices) = to.indices;
        (p == TreePart::Bark ? barkIndexCount : p == TreePart::Leaves ? leafIndexCount : markerIndexCount) = to.count;
    }
};

// The full mesh as a level: its vertices and triangles as they are, with
// the wind floats added.
TreeLod fullTreeLod(const Tree& tree, const TreeMeshArrays& full);

// A reduced level keeping about `keep` (0 < keep < 1) of the full mesh's
// triangles: thin stems get fewer ring vertices and rings, the finest
// stems lose their bark, the leaves are thinned evenly and grown so the
// crown keeps its covered area, and bark still over its share is
// simplified. Draws nothing from the random generator.
TreeLod reducedTreeLod(const Tree& tree, const TreeMeshArrays& full, double keep);

// Reorders a level's triangles for the vertex cache and its vertices for
// fetching (vertices in first use, unused ones dropped); parts stay apart.
void optimiseTreeLod(TreeLod& lod);
