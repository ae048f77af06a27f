#pragma once

#include "TreeInput.h"

#include <string> // Required for: std::string

namespace CLI {
class App;
}

// What `treegen species` was asked for.
struct SpeciesCommand {
    std::string species = "1";
    TreeSource source;
    std::string output; // "" = standard output
    bool schema = false;
    bool reference = false;
};

// Adds the `species` subcommand: writes a species file, the JSON Schema of
// species files or the markdown reference of every parameter.
CLI::App* addSpeciesCommand(CLI::App& app, SpeciesCommand& command);
// Runs it; returns the exit status.
int runSpeciesCommand(const SpeciesCommand& command);
// The markdown table of every parameter, as the README carries it.
std::string parameterReferenceText();
