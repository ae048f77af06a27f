// mediagen: makes the program's textures and sky box faces.
#include "MaterialScripts.h"
#include "AppConfig.h"
#include "OverlayScripts.h"
#include "Textures.h"

#include <CLI/CLI.hpp> // Required for: CLI::App
#include <filesystem>  // Required for: std::filesystem::create_directories
#include <iostream>    // Required for: std::cerr
#include <stdexcept>   // Required for: std::exception

int main(int argc, char** argv) {
    CLI::App app{"mediagen: writes the program's textures and sky box faces into a folder"};
    std::string out;
    app.add_option("output", out, "folder to write into (created if missing)")->required();
    std::string appFolder;
    app.add_option("--app", appFolder, "folder to write resources.cfg and plugins.cfg into");
    std::string exportFolder;
    app.add_option("--export", exportFolder,
                   "folder to write the textures only exports need into (the leaf atlas as PNG)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }

    try {
        std::filesystem::create_directories(out);
        writeImage(makeBark(512), out + "/tree_bark.jpg");
        const Image leaves = makeLeafAtlas(512);
        writeImage(leaves, out + "/tree_leaves_pack1.tga");
        if (!exportFolder.empty()) {
            // glTF takes PNG or JPEG only, so exports carry the atlas as PNG.
            std::filesystem::create_directories(exportFolder);
            writeImage(leaves, exportFolder + "/tree_leaves_pack1.png");
        }
        // Atlases of other kinds of leaf that species files can name.
        writeImage(makeLeafAtlas(LeafKind::Round, 512), out + "/tree_leaves_round.tga");
        writeImage(makeLeafAtlas(LeafKind::Narrow, 512), out + "/tree_leaves_narrow.tga");
        writeImage(makeLeafAtlas(LeafKind::Needles, 512), out + "/tree_leaves_needles.tga");
        writeImage(makeLeafAtlas(LeafKind::Frond, 512), out + "/tree_leaves_frond.tga");
        writeImage(makeGround(1024), out + "/ground_grass.jpg");
        const char* faceNames[6] = {"px", "nx", "py", "ny", "pz", "nz"};
        const auto faces = makeSkyFaces(256);
        for (size_t i = 0; i < 6; ++i)
            writeImage(faces[i], out + "/bluesky_" + faceNames[i] + ".png");
        writeMaterialScripts(out);
        writeOverlayScripts(out);
        if (!appFolder.empty()) writeAppConfig(appFolder, out);
    } catch (const std::exception& e) {
        std::cerr << "mediagen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
