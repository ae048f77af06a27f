#include "TreeInput.h"

#include "core/FileWriter.h" // Required for: Velk::writeFileAtomically
#include "LeafTexture.h"
#include "SpeciesFile.h"

#include <CLI/CLI.hpp> // Required for: CLI::App
#include <filesystem>  // Required for: std::filesystem::path
#include <stdexcept>   // Required for: std::runtime_error

void addTreeSourceOptions(CLI::App& cmd, TreeSource& source, CLI::Option* species, bool grows) {
    CLI::Option* file = cmd.add_option("--species-file", source.file,
                                       "a species file (JSON) to grow instead of a preset");
    if (species) file->excludes(species);
    cmd.add_option("--set", source.sets,
                   "NAME=VALUE or NAME[LEVEL]=VALUE, applied on top of the species; repeatable")
        ->take_all()
        ->allow_extra_args(false);
    if (!grows) return;
    cmd.add_option("--leaf-texture", source.leafTexture,
                   "the leaf atlas: a media name (tree_leaves_round.tga, tree_leaves_narrow.tga, "
                   "tree_leaves_needles.tga, tree_leaves_frond.tga) or your own PNG with alpha; "
                   "replaces the species file's leafTexture");
    cmd.add_option("--max-vertices", source.maxVertices,
                   "refuse trees that need more vertices than this, before growing them")
        ->check(CLI::Range(uint64_t(1), uint64_t(500'000'000)))
        ->capture_default_str();
}

TreeInput loadTreeInput(uint32_t species, const TreeSource& source) {
    TreeInput input;
    input.maxVertices = source.maxVertices;
    if (source.file.empty()) {
        input.parameters = std::make_unique<TreeParameters>(2);
        input.parameters->loadPreset(species);
        input.name = input.parameters->getTypeName();
    } else {
        Species read = readSpeciesFile(source.file);
        input.parameters = std::move(read.parameters);
        input.name = std::move(read.name);
        input.fromPreset = false;
        input.leafTexture = std::move(read.leafTexture);
        input.leafTextureFolder = std::filesystem::path(source.file).parent_path().string();
        input.leafTextureFrom = source.file + ": leafTexture";
    }
    if (!source.leafTexture.empty()) {
        input.leafTexture = source.leafTexture;
        input.leafTextureFolder.clear();
        input.leafTextureFrom = "--leaf-texture";
    }
    for (const std::string& assignment : source.sets) {
        applyOverride(*input.parameters, assignment);
        input.fromPreset = false;
    }
    return input;
}

std::string inputLeafTexture(const TreeInput& input, const std::string& mediaDir) {
    if (input.leafTexture.empty()) return "";
    const std::string folder = input.leafTextureFolder.empty() ? "." : input.leafTextureFolder;
    try {
        return resolveLeafTexture(input.leafTexture, folder, mediaDir);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(input.leafTextureFrom + ": " + e.what());
    }
}

void writeTextFile(const std::string& path, const std::string& text) {
    Velk::writeFileAtomically(path, text);
}
