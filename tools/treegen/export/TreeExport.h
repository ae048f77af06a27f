#pragma once

#include "TreeParameters.h"

#include <cstdint> // Required for: uint32_t, int32_t, uint64_t
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

// What one export did.
struct ExportReport {
    std::vector<std::string> files; // every file written, the main one first
    std::size_t vertices = 0;
    std::size_t triangles = 0;
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
// `wind`: glTF files carry the sway data of every vertex (the attribute
// "_WIND"); OBJ has no place for it.
ExportReport exportTree(const TreeParameters& params, int32_t seed, const std::string& path,
                        uint64_t maxVertices, const std::string& leafTexture = "", bool wind = true);
