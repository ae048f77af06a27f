#pragma once

#include "TreeParameters.h"

#include <cstdint> // Required for: uint32_t, int32_t, uint64_t
#include <stdexcept> // Required for: std::runtime_error
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

// How much of the tree an export writes.
struct ExportDetail {
    std::size_t lods = 0;         // reduced levels of detail after the full tree; 0: the full tree alone
    std::size_t maxTriangles = 0; // when not 0, the tree reduced to at most this many triangles
    bool wind = true;             // glTF: the sway data of every vertex ("_WIND"); OBJ has no place for it
};

// Thrown when a triangle budget is below the smallest reduction of the tree.
struct TriangleBudgetTooSmall : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What one export did.
struct ExportReport {
    std::vector<std::string> files; // every file written, the main one first
    std::size_t vertices = 0;
    std::size_t triangles = 0;            // of the full tree, or of the one level written
    std::vector<std::size_t> levelTriangles; // per level of detail written (with --lods)
    double growMs = 0.0;  // construction and growth
    double meshMs = 0.0;  // buildMesh (and the wind's sway data)
    double writeMs = 0.0; // encoding and writing the files
};

// The formats, by the output file's extension.
bool isExportExtension(const std::string& path);

// Grows the tree of a species and seed, builds its mesh in system memory and
// writes it to `path` as ".glb", ".gltf" or ".obj". Writes every file or
// none; throws std::runtime_error saying what failed and why.
ExportReport exportTree(uint32_t species, int32_t seed, const std::string& path);
// The same for any parameter set; throws TreeTooLarge, before growing, for a
// tree that needs more than `maxVertices` vertices.
// `leafTexture`, when given, is the path of the leaf atlas to carry instead
// of the program's own (as PNG for glTF, TGA for OBJ, named after the file).
ExportReport exportTree(const TreeParameters& params, int32_t seed, const std::string& path,
                        uint64_t maxVertices, const std::string& leafTexture = "",
                        const ExportDetail& detail = {});
