#pragma once

#include "math/Vector3.h"

#include <cstddef>               // Required for: std::size_t
#include <cstdint>               // Required for: uint64_t
#include <nlohmann/json_fwd.hpp> // Required for: nlohmann::json
#include <ostream>               // Required for: std::ostream
#include <string>                // Required for: std::string
#include <vector>                // Required for: std::vector

class Tree;

// One submesh of a tree mesh, in submesh order.
struct SubMeshStats {
    std::string part;           // "bark", "leaves" or "markers"
    std::size_t indexCount = 0;
};

// What `treegen stats` reports of the mesh of one grown tree.
struct MeshStats {
    std::size_t geometryBytes = 0; // vertex buffer 0: position, normal, texture coordinates
    std::size_t colourBytes = 0;   // vertex buffer 1: packed colours
    std::vector<SubMeshStats> subMeshes;
    Velk::Vector3 boundsMinimum;
    Velk::Vector3 boundsMaximum;
    float boundingRadius = 0.0f;
    uint64_t checksum = 0;         // over both vertex buffers and all index buffers
    double meshMs = 0.0;           // buildMesh alone, wall clock
};

// Builds the mesh of a tree grown just before (the leaf pass continues its
// random draws), timing buildMesh, reads it back and drops it again. Needs
// the engine's mesh and buffer managers.
MeshStats measureMesh(Tree& tree);

nlohmann::json toJson(const MeshStats& stats);
void printText(std::ostream& out, const MeshStats& stats);
