#pragma once

#include "MeshStats.h"
#include "Tree.h"
#include "TreeParameters.h"
#include "math/Vector3.h"

#include <cstdint>              // Required for: int32_t, int64_t, uint32_t
#include <nlohmann/json_fwd.hpp> // Required for: nlohmann::json
#include <ostream>              // Required for: std::ostream
#include <string>               // Required for: std::string
#include <vector>               // Required for: std::vector

// What `treegen stats` reports of one grown tree.
struct TreeStats {
    uint32_t species = 0;
    std::string speciesName;
    int32_t seed = 0;
    float treeScale = 0.0f;
    float trunkLength = 0.0f;
    int32_t stemCount = 0;
    int32_t leafCount = 0;
    int64_t leavesCreated = 0;
    int32_t vertexCount = 0;
    int32_t stemTriangleCount = 0;
    int32_t leafTriangleCount = 0;
    int32_t frameCount = 0;
    Velk::Vector3 extent;
    double growMs = 0.0; // construction and growth, wall clock
    MeshStats mesh;      // the tree's mesh, built right after growth
};

// Constructs and grows the tree of a parameter set and seed, timing both,
// then builds and measures its mesh. Needs the engine's mesh and buffer
// managers. Throws TreeTooLarge, before growing, for a tree over `maxVertices`.
TreeStats measureTree(const TreeParameters& params, const std::string& name, int32_t seed,
                      uint64_t maxVertices = Tree::DEFAULT_VERTEX_BUDGET);
// The same for a preset.
TreeStats measureTree(uint32_t species, int32_t seed);

nlohmann::json toJson(const TreeStats& stats);
void printText(std::ostream& out, const TreeStats& stats);
// One row per tree under a header line.
void printTable(std::ostream& out, const std::vector<TreeStats>& rows);
