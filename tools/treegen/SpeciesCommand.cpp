#include "SpeciesCommand.h"

#include "ParameterTable.h"
#include "SpeciesArg.h"
#include "SpeciesFile.h"
#include "core/Exception.h" // Required for: Velk::Exception

#include <CLI/CLI.hpp> // Required for: CLI::App
#include <charconv>    // Required for: std::to_chars
#include <iostream>    // Required for: std::cout, std::cerr
#include <stdexcept>   // Required for: std::runtime_error

namespace {

// Exit status for arguments or files the tool cannot use.
constexpr int kUsageError = 2;

// A range bound in plain decimals.
std::string bound(double v) {
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

} // namespace

CLI::App* addSpeciesCommand(CLI::App& app, SpeciesCommand& command) {
    CLI::App* cmd = app.add_subcommand(
        "species", "write a species file (a preset, or a file with --set changes), the species file "
                   "JSON Schema or the parameter reference");
    CLI::Option* species = cmd->add_option("--species", command.species,
                                           "the preset: a number or a display name (" + speciesChoices() + ")")
                               ->capture_default_str();
    addTreeSourceOptions(*cmd, command.source, species, false);
    cmd->add_option("-o,--output", command.output, "the file to write; standard output without it");
    CLI::Option* schema = cmd->add_flag("--schema", command.schema, "the JSON Schema of species files");
    cmd->add_flag("--reference", command.reference, "the parameter reference as a markdown table")
        ->excludes(schema);
    return cmd;
}

int runSpeciesCommand(const SpeciesCommand& command) {
    std::string text;
    if (command.schema) {
        text = speciesSchemaText();
    } else if (command.reference) {
        text = parameterReferenceText();
    } else {
        const auto species = parseSpecies(command.species);
        if (!species) {
            std::cerr << "treegen: unknown species \"" << command.species << "\"; expected one of "
                      << speciesChoices() << '\n';
            return kUsageError;
        }
        try {
            const TreeInput input = loadTreeInput(*species, command.source);
            text = speciesFileText(*input.parameters, input.name, input.leafTexture);
        } catch (const SpeciesError& e) {
            std::cerr << "treegen: " << e.what() << '\n';
            return kUsageError;
        }
    }
    if (command.output.empty()) {
        std::cout << text;
        return 0;
    }
    try {
        writeTextFile(command.output, text);
    } catch (const Velk::Exception& e) {
        // Like every other output of treegen: an unwritable path is exit status 2.
        std::cerr << "treegen: " << e.getFullDescription() << '\n';
        return kUsageError;
    }
    return 0;
}

std::string parameterReferenceText() {
    std::string out = "| name | scope | type | unit | range | read by growth | group | meaning |\n"
                      "|---|---|---|---|---|---|---|---|\n";
    for (const ParameterInfo& info : parameterTable()) {
        out += std::string("| `") + info.name + "` | " + scopeName(info.scope) + " | " + typeName(info.type) +
               " | " + info.unit + " | " + bound(info.minimum) + " .. " + bound(info.maximum) + " | " +
               (info.readByGrowth ? "yes" : "no") + " | " + groupName(info.group) + " | " + info.meaning +
               " |\n";
    }
    return out;
}
