// treegen: grows trees from the command line and reports on them.
#include "SpeciesArg.h"
#include "TreeExport.h"
#include "TreeStats.h"
#include "TreeType.h"
#include "buffer/HardwareBufferManager.h"
#include "core/Exception.h"
#include "mesh/MeshManager.h"

#include <CLI/CLI.hpp>        // Required for: CLI::App
#include <cstdint>            // Required for: int64_t
#include <iostream>           // Required for: std::cout, std::cerr
#include <limits>             // Required for: std::numeric_limits
#include <nlohmann/json.hpp>  // Required for: nlohmann::json
#include <vector>             // Required for: std::vector

namespace {

// Exit status for arguments the tool cannot use.
constexpr int kUsageError = 2;

struct TreeOptions {
    std::string species = "1";
    int64_t seed = 0;
};

// Adds --species and --seed to a subcommand.
void addTreeOptions(CLI::App& cmd, TreeOptions& opts) {
    cmd.add_option("--species", opts.species,
                   "species: a number or a display name (" + speciesChoices() + ")")
        ->capture_default_str();
    cmd.add_option("--seed", opts.seed, "seed of the random generator; -1 takes it from the clock")
        ->capture_default_str();
}

// Checks the tree options; prints why and returns false when they are unusable.
bool resolve(const TreeOptions& opts, uint32_t& species, int32_t& seed) {
    const auto parsed = parseSpecies(opts.species);
    if (!parsed) {
        std::cerr << "treegen: unknown species \"" << opts.species << "\"; expected one of "
                  << speciesChoices() << '\n';
        return false;
    }
    if (opts.seed < std::numeric_limits<int32_t>::min() ||
        opts.seed > std::numeric_limits<int32_t>::max()) {
        std::cerr << "treegen: seed " << opts.seed << " is outside the 32-bit range\n";
        return false;
    }
    species = *parsed;
    seed = static_cast<int32_t>(opts.seed);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"treegen: grows trees of the seven species and reports on them"};
    app.require_subcommand(1);

    TreeOptions statsOpts;
    bool json = false;
    CLI::App* stats = app.add_subcommand("stats", "grow one tree and print its counters and timing");
    addTreeOptions(*stats, statsOpts);
    stats->add_flag("--json", json, "print one JSON object instead of text");
    bool all = false;
    stats->add_flag("--all", all, "one table of every species for the seed (JSON: an array)");

    TreeOptions exportOpts;
    std::string output;
    CLI::App* exporter = app.add_subcommand(
        "export", "grow one tree and write its mesh as glTF 2.0 (.glb, .gltf) or Wavefront OBJ (.obj)");
    addTreeOptions(*exporter, exportOpts);
    exporter->add_option("-o,--output", output, "the file to write; its extension picks the format")
        ->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kUsageError;
    }

    if (stats->parsed()) {
        uint32_t species;
        int32_t seed;
        if (!resolve(statsOpts, species, seed)) return kUsageError;
        try {
            // The engine's mesh layer without a renderer: buffers in system memory.
            Velk::HardwareBufferManager buffers;
            Velk::MeshManager meshes;
            if (all) {
                std::vector<TreeStats> rows;
                for (uint32_t type = 0; type < TREE_TYPE_COUNT; ++type)
                    rows.push_back(measureTree(type, seed));
                if (json) {
                    nlohmann::json array = nlohmann::json::array();
                    for (const TreeStats& row : rows) array.push_back(toJson(row));
                    std::cout << array.dump(2) << '\n';
                } else {
                    printTable(std::cout, rows);
                }
            } else {
                const TreeStats s = measureTree(species, seed);
                if (json)
                    std::cout << toJson(s).dump(2) << '\n';
                else
                    printText(std::cout, s);
            }
        } catch (const Velk::Exception& e) {
            std::cerr << "treegen: " << e.getFullDescription() << '\n';
            return 1;
        }
    }
    if (exporter->parsed()) {
        uint32_t species;
        int32_t seed;
        if (!resolve(exportOpts, species, seed)) return kUsageError;
        if (!isExportExtension(output)) {
            std::cerr << "treegen: cannot export to " << output
                      << ": unknown extension (expected .glb, .gltf or .obj)\n";
            return kUsageError;
        }
        try {
            const ExportReport report = exportTree(species, seed, output);
            std::cout << "wrote";
            for (const std::string& f : report.files) std::cout << ' ' << f;
            std::cout << "\n" << report.vertices << " vertices, " << report.triangles
                      << " triangles; grow " << report.growMs << " ms, mesh " << report.meshMs
                      << " ms, write " << report.writeMs << " ms\n";
        } catch (const std::exception& e) {
            std::cerr << "treegen: " << e.what() << '\n';
            return kUsageError;
        }
    }
    return 0;
}
