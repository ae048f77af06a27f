#pragma once

#include "Tree.h"
#include "TreeParameters.h"

#include <cstdint> // Required for: uint32_t, uint64_t
#include <memory>  // Required for: std::unique_ptr
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

namespace CLI {
class App;
class Option;
} // namespace CLI

// Where a command's parameters come from besides --species: a species file,
// --set overrides and the vertex budget.
struct TreeSource {
    std::string file;               // --species-file
    std::vector<std::string> sets;  // --set NAME=VALUE, in order
    std::string leafTexture;        // --leaf-texture, over the species file's
    uint64_t maxVertices = Tree::DEFAULT_VERTEX_BUDGET;
};

// The parameter set a command grows, with the name it reports.
struct TreeInput {
    std::unique_ptr<TreeParameters> parameters;
    std::string name;
    uint64_t maxVertices = Tree::DEFAULT_VERTEX_BUDGET;
    bool fromPreset = true; // neither a file nor an override changed the preset
    // The leaf atlas as written ("leafTexture" or --leaf-texture; empty: the
    // program's own) and the folder a relative path in it is read from.
    std::string leafTexture;
    std::string leafTextureFolder;
    std::string leafTextureFrom; // where it was named, for messages: the file or "--leaf-texture"
};

// Adds --species-file (excluding `species`), --set and, for commands that
// grow a tree, --max-vertices.
void addTreeSourceOptions(CLI::App& cmd, TreeSource& source, CLI::Option* species, bool grows = true);
// The preset `species`, or the file, with the overrides applied in order.
// Throws SpeciesError.
TreeInput loadTreeInput(uint32_t species, const TreeSource& source);
// The absolute path of the input's leaf atlas, found with the media of
// `mediaDir`; empty for the program's own. Throws std::runtime_error.
std::string inputLeafTexture(const TreeInput& input, const std::string& mediaDir);
// Writes `text` to `path` whole or not at all; throws std::runtime_error.
void writeTextFile(const std::string& path, const std::string& text);
