#pragma once

#include "TreeParts.h"

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint32_t, uint8_t
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

// What a primitive of an exported tree is drawn with: the material of its
// part (materialName gives the program's name for it).
using ExportMaterial = TreePart;

// One triangle list over the shared vertices.
struct ExportPrimitive {
    const uint32_t* indices = nullptr;
    std::size_t indexCount = 0;
    ExportMaterial material = ExportMaterial::Bark;
};

// A read-only view of a tree mesh as the mesh builder wrote it: per vertex
// eight floats (position, normal, texture coordinates) and one packed
// colour (alpha in bits 24-31, red 16-23, green 8-15, blue 0-7), and, when
// the mesh has them, four sway floats for the wind (trunk, branch, leaf,
// phase).
struct MeshView {
    const float* geometry = nullptr;
    const uint32_t* colours = nullptr;
    const float* wind = nullptr; // null when the mesh has no sway data
    std::size_t vertexCount = 0;
    std::vector<ExportPrimitive> primitives;
};

// The two textures of a tree, already encoded.
struct ExportTextures {
    std::vector<uint8_t> barkJpeg;   // "tree_bark.jpg"
    std::vector<uint8_t> leavesPng;  // the leaf atlas as PNG (glTF takes PNG or JPEG only)
    std::vector<uint8_t> leavesTga;  // the leaf atlas as TGA (for OBJ)
    std::string leavesName = "tree_leaves_pack1"; // the atlas files' name, without extension
};

// One file to be written, whole.
struct OutputFile {
    std::string path;
    std::vector<uint8_t> bytes;
};
