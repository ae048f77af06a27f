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
    uint64_t maxVertices = Tree::DEFAULT_VERTEX_BUDGET;
};

// The parameter set a command grows, with the name it reports.
struct TreeInput {
    std::unique_ptr<TreeParameters> parameters;
    std::string name;
    uint64_t maxVertices = Tree::DEFAULT_VERTEX_BUDGET;
    bool fromPreset = true; // neither a file nor an override changed the preset
};

// Adds --species-file (excluding `species`), --set and, for commands that
// grow a tree, --max-vertices.
void addTreeSourceOptions(CLI::App& cmd, TreeSource& source, CLI::Option* species, bool grows = true);
// The preset `species`, or the file, with the overrides applied in order.
// Throws SpeciesError.
TreeInput loadTreeInput(uint32_t species, const TreeSource& source);
// Writes `text` to `path` whole or not at all; throws std::runtime_error.
void writeTextFile(const std::string& path, const std::string& text);
