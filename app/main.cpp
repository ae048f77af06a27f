// The tree demonstration's entry point: takes its own option (a species
// file to start with), hands the rest of the command line to the engine
// (for its automation options), runs the application, and shows a failure
// in the error display. Exit status: 0 when the program ends as asked
// (Escape, a closed window, a cancelled settings dialog), 1 after an error,
// 2 for a command line or species file it cannot use.
#include "LeafTexture.h"
#include "SpeciesFile.h"
#include "TreeApplication.h"
#include "TreeTooLarge.h"
#include "core/Exception.h"     // Required for: Velk::Exception
#include "render/ErrorDialog.h" // Required for: Velk::showErrorDialog
#include "render/Root.h"        // Required for: Velk::Root

#include <cstring>   // Required for: std::strcmp, std::strncmp
#include <exception> // Required for: std::exception
#include <filesystem> // Required for: std::filesystem::path
#include <stdexcept> // Required for: std::runtime_error
#include <iostream> // Required for: std::cout, std::cerr
#include <memory>   // Required for: std::unique_ptr
#include <string>   // Required for: std::string
#include <vector>   // Required for: std::vector

namespace {

const char* const kUsage =
    "treedemo: grows a tree and shows it; E opens the parameter editor.\n"
    "\n"
    "Option of the demonstration:\n"
    "  --species-file FILE      start with the tree of this species file instead of\n"
    "                           the Quaking Aspen, and grow it again whenever the\n"
    "                           file changes on disk (an invalid edit is shown and\n"
    "                           the last good tree stays)\n"
    "  --leaf-texture FILE      the leaf atlas: tree_leaves_round.tga,\n"
    "                           tree_leaves_narrow.tga, tree_leaves_needles.tga,\n"
    "                           tree_leaves_frond.tga or your own PNG with alpha\n"
    "                           (four leaves, one per quarter); replaces the species\n"
    "                           file's leafTexture\n"
    "\n";

// Takes --species-file and --leaf-texture out of the arguments; the rest go
// to the engine. Returns the option that has no value, or nullptr.
const char* takeOwnOptions(int argc, char** argv, std::string& speciesFile, std::string& leafTexture,
                           std::vector<char*>& engineArguments) {
    engineArguments.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--species-file") == 0) {
            if (i + 1 >= argc) return "--species-file";
            speciesFile = argv[++i];
        } else if (std::strncmp(argv[i], "--species-file=", 15) == 0) {
            speciesFile = argv[i] + 15;
        } else if (std::strcmp(argv[i], "--leaf-texture") == 0) {
            if (i + 1 >= argc) return "--leaf-texture";
            leafTexture = argv[++i];
        } else if (std::strncmp(argv[i], "--leaf-texture=", 15) == 0) {
            leafTexture = argv[i] + 15;
        } else {
            engineArguments.push_back(argv[i]);
        }
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    std::string speciesFile;
    std::string leafTexture;
    std::vector<char*> engineArguments;
    if (const char* option = takeOwnOptions(argc, argv, speciesFile, leafTexture, engineArguments)) {
        std::cerr << "treedemo: " << option << " needs a file name (see --help)\n";
        return 2;
    }
    try {
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) std::cout << kUsage;
        if (!Velk::Root::setCommandLine(static_cast<int>(engineArguments.size()), engineArguments.data()))
            return 0; // --help was printed
    } catch (const Velk::Exception& e) {
        std::cerr << "treedemo: " << e.getFullDescription() << "\n";
        return 2;
    }

    std::unique_ptr<TreeApplication> app;
    if (speciesFile.empty()) {
        app = std::make_unique<TreeApplication>();
    } else {
        // A file that cannot be used, or whose tree is too large, ends the
        // program before anything opens.
        try {
            Species species = readSpeciesFile(speciesFile);
            requireWithinBudget(Tree(*species.parameters, 0));
            app = std::make_unique<TreeApplication>(std::move(species.parameters), speciesFile);
            if (leafTexture.empty() && !species.leafTexture.empty()) {
                try {
                    app->setStartLeafTexture(leafTextureName(
                        species.leafTexture, std::filesystem::path(speciesFile).parent_path().string()));
                } catch (const std::runtime_error& e) {
                    std::cerr << "treedemo: " << speciesFile << ": leafTexture: " << e.what() << "\n";
                    return 2;
                }
            }
        } catch (const SpeciesError& e) {
            std::cerr << "treedemo: " << e.what() << "\n";
            return 2;
        } catch (const TreeTooLarge& e) {
            std::cerr << "treedemo: " << speciesFile << ": " << e.what() << "\n";
            return 2;
        }
    }
    if (!leafTexture.empty()) {
        try {
            app->setStartLeafTexture(leafTextureName(leafTexture, "."));
        } catch (const std::runtime_error& e) {
            std::cerr << "treedemo: --leaf-texture: " << e.what() << "\n";
            return 2;
        }
    }
    try {
        app->run();
    } catch (const Velk::Exception& e) {
        Velk::showErrorDialog("An exception has occured!", e.getFullDescription());
        return 1;
    } catch (const std::exception& e) {
        Velk::showErrorDialog("An exception has occured!", e.what());
        return 1;
    }
    return 0;
}
