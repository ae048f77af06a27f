#pragma once

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
