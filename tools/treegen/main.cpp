// treegen: grows trees from the command line and reports on them.
#include "FiniteNumber.h"
#include "SpeciesArg.h"
#include "SpeciesCommand.h"
#include "SpeciesFile.h"
#include "TreeExport.h"
#include "TreeInput.h"
#include "TreeLodChain.h"
#include "Random.h"
#include "TreeRender.h"
#include "TreeStats.h"
#include "TreeTooLarge.h"
#include "TreeType.h"
#include "buffer/HardwareBufferManager.h"
#include "core/Exception.h"
#include "mesh/MeshManager.h"

#include <CLI/CLI.hpp>        // Required for: CLI::App
#include <cctype>             // Required for: std::tolower
#include <cstdint>            // Required for: int64_t
#include <cstdio>             // Required for: std::sscanf
#include <iostream>           // Required for: std::cout, std::cerr
#include <nlohmann/json.hpp>  // Required for: nlohmann::json
#include <optional>           // Required for: std::optional
#include <vector>             // Required for: std::vector

namespace {

// Exit status for arguments the tool cannot use.
constexpr int kUsageError = 2;

struct TreeOptions {
    std::string species = "1";
    int64_t seed = 0;
    TreeSource source; // --species-file, --set, --max-vertices
};

// Adds --species, --seed, --species-file, --set and --max-vertices to a subcommand.
void addTreeOptions(CLI::App& cmd, TreeOptions& opts) {
    CLI::Option* species = cmd.add_option("--species", opts.species,
                                          "species: a number or a display name (" + speciesChoices() + ")")
                               ->capture_default_str();
    cmd.add_option("--seed", opts.seed,
                   "seed of the random generator, 0 to " + std::to_string(MAX_SEED) +
                       "; -1 takes it from the clock (the seed used is reported)")
        ->capture_default_str();
    addTreeSourceOptions(cmd, opts.source, species);
}

// The parameters to grow: the preset or species file with the overrides.
// Prints why and returns nothing when they cannot be used.
std::optional<TreeInput> loadInput(uint32_t species, const TreeOptions& opts) {
    try {
        return loadTreeInput(species, opts.source);
    } catch (const SpeciesError& e) {
        std::cerr << "treegen: " << e.what() << '\n';
        return std::nullopt;
    }
}

// The absolute path of the input's leaf atlas ("" for the program's own).
// Prints why and returns nothing when it names no usable image.
std::optional<std::string> loadLeafTexture(const TreeInput& input, const std::string& mediaDir) {
    try {
        return inputLeafTexture(input, mediaDir);
    } catch (const std::exception& e) {
        std::cerr << "treegen: " << e.what() << '\n';
        return std::nullopt;
    }
}

// Checks the tree options; prints why and returns false when they are unusable.
bool resolve(const TreeOptions& opts, uint32_t& species, int32_t& seed) {
    const auto parsed = parseSpecies(opts.species);
    if (!parsed) {
        std::cerr << "treegen: unknown species \"" << opts.species << "\"; expected one of "
                  << speciesChoices() << '\n';
        return false;
    }
    // The generator ignores the top bit of a 32-bit seed: only 0..MAX_SEED
    // name different trees, and -1 becomes the clock's seed here so that
    // every report shows the seed that grows this tree again.
    if (opts.seed != -1 && (opts.seed < 0 || opts.seed > MAX_SEED)) {
        std::cerr << "treegen: seed " << opts.seed << " is outside 0 to " << MAX_SEED
                  << " (or -1 for a seed from the clock)\n";
        return false;
    }
    species = *parsed;
    seed = opts.seed == -1 ? clockSeed() : static_cast<int32_t>(opts.seed);
    return true;
}

// Reads "WIDTHxHEIGHT" with both sides in 16..8192.
bool parseSize(const std::string& text, unsigned& width, unsigned& height) {
    unsigned w = 0, h = 0;
    char x = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%u%c%u%c", &w, &x, &h, &extra) != 3 || x != 'x') return false;
    if (w < 16 || h < 16 || w > 8192 || h > 8192) return false;
    width = w;
    height = h;
    return true;
}

// Whether `path` ends in `extension`, ignoring case.
bool hasExtension(const std::string& path, const std::string& extension) {
    if (path.size() < extension.size()) return false;
    for (size_t i = 0; i < extension.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(path[path.size() - extension.size() + i])) != extension[i])
            return false;
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
    stats->add_flag("--all", all, "one table of every species for the seed (JSON: an array)")
        ->excludes("--species-file")
        ->excludes("--set");

    TreeOptions exportOpts;
    std::string output;
    CLI::App* exporter = app.add_subcommand(
        "export", "grow one tree and write its mesh as glTF 2.0 (.glb, .gltf) or Wavefront OBJ (.obj)");
    addTreeOptions(*exporter, exportOpts);
    exporter->add_option("-o,--output", output, "the file to write; its extension picks the format")
        ->required();
    ExportDetail exportDetail;
    CLI::Option* lods =
        exporter
            ->add_option("--lods", exportDetail.lods,
                         "also write N reduced levels of detail (1 to " + std::to_string(MAX_TREE_LODS) +
                             "), each with at most about half the triangles of the one before: glTF gets a node "
                             "per level (TreeEntity_LOD0, ...), OBJ a file per level (NAME_LOD0.obj, ...)")
            ->check(CLI::Range(std::size_t(1), MAX_TREE_LODS));
    exporter
        ->add_option("--max-triangles", exportDetail.maxTriangles,
                     "write the tree reduced until it has at most N triangles (an error giving the smallest "
                     "size reachable when it cannot)")
        ->check(CLI::Range(std::size_t(1), std::size_t(1) << 40))
        ->excludes(lods);
    bool noWind = false;
    exporter->add_flag("--no-wind", noWind,
                       "leave out the wind's sway data (the glTF attribute _WIND); OBJ never has it");

    TreeOptions renderOpts;
    std::string image;
    std::string size = "1024x768";
    RenderView view;
    std::string mediaDir = TREE_MEDIA_DIR;
    CLI::App* render = app.add_subcommand(
        "render", "grow one tree and render it offscreen in the demonstration's scene to a PNG");
    addTreeOptions(*render, renderOpts);
    render->add_option("-o,--output", image, "the PNG file to write")->required();
    render->add_option("--size", size, "image size WIDTHxHEIGHT")->capture_default_str();
    render->add_option("--azimuth", view.azimuth, "camera degrees round the tree, from +X towards +Z (-360..360)")
        ->check(finiteNumber())
        ->check(CLI::Range(-360.0f, 360.0f))
        ->capture_default_str();
    render->add_option("--elevation", view.elevation, "camera degrees above the horizontal (-88..88)")
        ->check(finiteNumber())
        ->check(CLI::Range(-88.0f, 88.0f))
        ->capture_default_str();
    render->add_option("--distance", view.distance,
                       "camera distance from the tree's axis, above 0 and at most 100000 "
                       "(default: as far as shows the whole tree)")
        ->check(finiteNumber())
        ->check(CLI::PositiveNumber)
        ->check(CLI::Range(0.0f, 100000.0f));
    bool noGround = false;
    render->add_flag("--no-ground", noGround, "leave out the grass ground and the shadows");
    render->add_option("--fsaa", view.fsaa, "anti-aliasing samples per pixel (default: the machine's default)")
        ->check(CLI::IsMember({0, 2, 4, 8}));
    render->add_option("--lod", view.lod,
                       "show level of detail N (0: the full tree, 1 to " + std::to_string(MAX_TREE_LODS) +
                           ": the reduced levels of export --lods)")
        ->check(CLI::Range(std::size_t(0), MAX_TREE_LODS))
        ->capture_default_str();
    render->add_option("--max-triangles", view.maxTriangles,
                       "show the tree reduced to at most N triangles, as export --max-triangles writes it")
        ->check(CLI::Range(std::size_t(1), std::size_t(1) << 40))
        ->excludes("--lod");
    render->add_option("--screen-coverage", view.screenCoverage,
                       "place the camera level with the tree's middle, as far away as makes the tree's height "
                       "this share of the image height (above 0, at most 4); overrides --distance and --elevation")
        ->check(finiteNumber())
        ->check(CLI::Range(0.001f, 4.0f));
    render->add_option("--media", mediaDir, "folder with the textures, sky and scripts")
        ->capture_default_str();

    SpeciesCommand speciesCommand;
    CLI::App* speciesCmd = addSpeciesCommand(app, speciesCommand);

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
        const std::optional<TreeInput> input = loadInput(species, statsOpts);
        if (!input) return kUsageError;
        // Counters do not depend on the leaf picture, but a bad one is refused as everywhere.
        if (!loadLeafTexture(*input, TREE_MEDIA_DIR)) return kUsageError;
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
                const TreeStats s = measureTree(*input->parameters, input->name, seed, input->maxVertices);
                if (json)
                    std::cout << toJson(s).dump(2) << '\n';
                else
                    printText(std::cout, s);
            }
        } catch (const Velk::Exception& e) {
            std::cerr << "treegen: " << e.getFullDescription() << '\n';
            return 1;
        } catch (const TreeTooLarge& e) {
            std::cerr << "treegen: " << e.what() << " (--max-vertices)\n";
            return kUsageError;
        }
    }
    if (exporter->parsed()) {
        uint32_t species;
        int32_t seed;
        if (!resolve(exportOpts, species, seed)) return kUsageError;
        const std::optional<TreeInput> input = loadInput(species, exportOpts);
        if (!input) return kUsageError;
        const std::optional<std::string> leafTexture = loadLeafTexture(*input, TREE_MEDIA_DIR);
        if (!leafTexture) return kUsageError;
        if (!isExportExtension(output)) {
            std::cerr << "treegen: cannot export to " << output
                      << ": unknown extension (expected .glb, .gltf or .obj)\n";
            return kUsageError;
        }
        try {
            exportDetail.wind = !noWind;
            const ExportReport report = exportTree(*input->parameters, seed, output, input->maxVertices,
                                                   *leafTexture, exportDetail);
            std::cout << "wrote";
            for (const std::string& f : report.files) std::cout << ' ' << f;
            std::cout << "\nseed " << seed << ", " << report.vertices << " vertices, " << report.triangles
                      << " triangles; grow " << report.growMs << " ms, mesh " << report.meshMs
                      << " ms, write " << report.writeMs << " ms\n";
            if (!report.levelTriangles.empty()) {
                std::cout << "levels of detail:";
                for (size_t level = 0; level < report.levelTriangles.size(); ++level)
                    std::cout << " LOD" << level << ' ' << report.levelTriangles[level] << " triangles (from "
                              << lodScreenCoverage(level, report.levelTriangles.size()) << " of the view's height)"
                              << (level + 1 < report.levelTriangles.size() ? "," : "\n");
            }
        } catch (const std::exception& e) {
            std::cerr << "treegen: " << e.what() << '\n';
            return kUsageError;
        }
    }
    if (render->parsed()) {
        uint32_t species;
        int32_t seed;
        if (!resolve(renderOpts, species, seed)) return kUsageError;
        const std::optional<TreeInput> input = loadInput(species, renderOpts);
        if (!input) return kUsageError;
        if (!parseSize(size, view.width, view.height)) {
            std::cerr << "treegen: size \"" << size << "\" is not WIDTHxHEIGHT (each 16 to 8192)\n";
            return kUsageError;
        }
        view.ground = !noGround;
        const std::optional<std::string> leafTexture = loadLeafTexture(*input, mediaDir);
        if (!leafTexture) return kUsageError;
        if (!hasExtension(image, ".png")) {
            std::cerr << "treegen: cannot render to " << image << ": unknown extension (expected .png)\n";
            return kUsageError;
        }
        try {
            const double ms = renderTree(species, seed, image, view, mediaDir,
                                         input->fromPreset ? nullptr : input->parameters.get(),
                                         input->maxVertices, *leafTexture);
            std::cout << "wrote " << image << " (" << view.width << "x" << view.height << ", seed " << seed
                      << ") in " << ms << " ms\n";
        } catch (const std::exception& e) {
            std::cerr << "treegen: " << e.what() << '\n';
            return kUsageError;
        }
    }
    if (speciesCmd->parsed()) return runSpeciesCommand(speciesCommand);
    return 0;
}
