#include "TreeInput.h"

#include "core/FileWriter.h" // Required for: Velk::writeFileAtomically
#include "SpeciesFile.h"

#include <CLI/CLI.hpp> // Required for: CLI::App

void addTreeSourceOptions(CLI::App& cmd, TreeSource& source, CLI::Option* species, bool grows) {
    CLI::Option* file = cmd.add_option("--species-file", source.file,
                                       "a species file (JSON) to grow instead of a preset");
    if (species) file->excludes(species);
    cmd.add_option("--set", source.sets,
                   "NAME=VALUE or NAME[LEVEL]=VALUE, applied on top of the species; repeatable")
        ->take_all()
        ->allow_extra_args(false);
    if (!grows) return;
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
    }
    for (const std::string& assignment : source.sets) {
        applyOverride(*input.parameters, assignment);
        input.fromPreset = false;
    }
    return input;
}

void writeTextFile(const std::string& path, const std::string& text) {
    Velk::writeFileAtomically(path, text);
}
