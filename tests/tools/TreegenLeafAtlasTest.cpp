// treegen export with and without a named leaf atlas, run as a user runs it.
#include "ExportFiles.h"
#include "TempFolder.h"
#include "TreegenRun.h"

#include <filesystem>  // Required for: std::filesystem
#include <fstream>     // Required for: std::ofstream
#include <stb_image.h> // Required for: stbi_load, stbi_image_free
#include <stb_image_write.h> // Required for: stbi_write_png
#include <utility>     // Required for: std::pair
#include <vector>      // Required for: std::vector

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

fs::path atlasDir(const std::string& test) { return outputDir("leaf-atlas/" + test); }

void writeAll(const fs::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
}

std::string sha256(const fs::path& file) {
    const ProcessResult r = runCommand("sha256sum '" + file.string() + "'");
    return r.status == 0 ? r.out.substr(0, 64) : "sha256sum failed: " + r.out;
}

// The RGBA pixels of an image file; empty when it does not decode.
std::vector<unsigned char> pixelsOf(const fs::path& file) {
    int w = 0, h = 0, c = 0;
    unsigned char* p = stbi_load(file.string().c_str(), &w, &h, &c, 4);
    if (!p) return {};
    std::vector<unsigned char> out(p, p + size_t(w) * h * 4);
    stbi_image_free(p);
    return out;
}

} // namespace

// Without a named atlas nothing changes: every preset's files are the bytes
// the program wrote before species could name a leaf atlas. The hashes were
// recorded with sha256sum from the exports of the build before that change
// (commit 169a8df), seed 0, one folder per species and format. The exports
// leave out the wind's sway data (--no-wind), which came later: without it
// the files are what they were, so the attribute _WIND is its only addition.
TEST(TreegenLeafAtlas, PresetExportsWithoutANamedAtlasAreByteIdenticalToBefore) {
    const std::vector<std::pair<std::string, std::string>> golden = {
        {"0glb/t.glb", "94fbf387a5da9c3ba8822e45bc29d99897310769415c908319cb7bb83bb1a05a"},
        {"0gltf/t.bin", "515857debbd3b591689a6ebeed241d9ab55e61b67f6dce2e659239de0c06e0ae"},
        {"0gltf/t.gltf", "2ddf776d061b6459764ee096265f57e84050693e3a8f949af69eb428f856b2f8"},
        {"0gltf/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"0obj/t.mtl", "97ec40b1c7e1d87afa87d6ab9cd5ef4ebb402c23c486103da83449afaf24ddee"},
        {"0obj/t.obj", "7d6fbdaf4f545ad5ab32a68f1bf536337371f7ada02e386256ac078cbbe29528"},
        {"0obj/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"1glb/t.glb", "dfa803a1e32be9e536b0eb83d0e2a2cfe2bc1b97f2fffc91b3c986376459b860"},
        {"1gltf/t.bin", "6f54bd64a3d2b7150f0483ce536378f3c7b7fab5d44ae73a41593b71d900f555"},
        {"1gltf/t.gltf", "f228a8e8f4d1f3938d7df4b0ce4c721534a10f432162260bf8ae23f1b9103d82"},
        {"1gltf/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"1gltf/tree_leaves_pack1.png", "6f2490cba420b19a04f4bc09255248900502a5911b173c54a0ce5206bfa76f86"},
        {"1obj/t.mtl", "202c4fd6ea1347526d53ec8e1993da66860eb15d73b7be7a6aebe30f2dcf092a"},
        {"1obj/t.obj", "dd74c77cdc543629ac30618e489ad0c3e0f7bcdd785379c953df9f3423393d3f"},
        {"1obj/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"1obj/tree_leaves_pack1.tga", "33425db3baf7c64dbc1895579ae13befc1c861b57e489e7ae78acf254c07a12b"},
        {"2glb/t.glb", "92f087a2f7fea2b48b10de01ab1d855b85b9c7fe9b5cbc14a856fa43db840ed9"},
        {"2gltf/t.bin", "9ce767456def55105de663931008ef4f9bc4cebebb8046b6e74a20ac436f9cf7"},
        {"2gltf/t.gltf", "60f5b7682e596eea3b31576339ca8cfc8099de97a0dffc08550ef0e33be1f264"},
        {"2gltf/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"2gltf/tree_leaves_pack1.png", "6f2490cba420b19a04f4bc09255248900502a5911b173c54a0ce5206bfa76f86"},
        {"2obj/t.mtl", "202c4fd6ea1347526d53ec8e1993da66860eb15d73b7be7a6aebe30f2dcf092a"},
        {"2obj/t.obj", "c9aa5602b6c6a9a677083cc7dd7bad14e5329261dcdaf91d15fe7f2ed7d11095"},
        {"2obj/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"2obj/tree_leaves_pack1.tga", "33425db3baf7c64dbc1895579ae13befc1c861b57e489e7ae78acf254c07a12b"},
        {"3glb/t.glb", "49ecc6357a30d852ff8915ebfe2609136f6fe8f06c112abf61efc838de629024"},
        {"3gltf/t.bin", "36ecd54c881829be6e7a8be09b83a65c2728639b1fb8feb53078504a1433dac0"},
        {"3gltf/t.gltf", "d349d39921d0d5a824c5b4e5730a92e9475808b11371cc2d6475f0efd5624f96"},
        {"3gltf/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"3gltf/tree_leaves_pack1.png", "6f2490cba420b19a04f4bc09255248900502a5911b173c54a0ce5206bfa76f86"},
        {"3obj/t.mtl", "202c4fd6ea1347526d53ec8e1993da66860eb15d73b7be7a6aebe30f2dcf092a"},
        {"3obj/t.obj", "ac7a824fc1b980d10e18be4e71c68bd7a85e8cfee03e46e4dad49c8409c4e77f"},
        {"3obj/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"3obj/tree_leaves_pack1.tga", "33425db3baf7c64dbc1895579ae13befc1c861b57e489e7ae78acf254c07a12b"},
        {"4glb/t.glb", "28591d6e3f16d54859666c05ee30ab8cab4fc2d53deabfe6793fb065eb337bc5"},
        {"4gltf/t.bin", "bb24310415dea2786a21bb47bfcfca02d37b27fd00b304fb96e494e0cb4a6b41"},
        {"4gltf/t.gltf", "58bbab7085f4a8f9ce12e7b1671921a4292fb20a69e36ed67ed4bb23afb3686b"},
        {"4gltf/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"4gltf/tree_leaves_pack1.png", "6f2490cba420b19a04f4bc09255248900502a5911b173c54a0ce5206bfa76f86"},
        {"4obj/t.mtl", "202c4fd6ea1347526d53ec8e1993da66860eb15d73b7be7a6aebe30f2dcf092a"},
        {"4obj/t.obj", "a38deab2850dcc9bef2020fa658519d97fccf0f9fb63dd057b5bc507612f0793"},
        {"4obj/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"4obj/tree_leaves_pack1.tga", "33425db3baf7c64dbc1895579ae13befc1c861b57e489e7ae78acf254c07a12b"},
        {"5glb/t.glb", "371a2b8ad616b55b6e69599e74fde13332ef83d76236366729ca06f25e27ce88"},
        {"5gltf/t.bin", "79e5b598a4d186f7d90b6ec93057f9a1103b7b87d064cda53bbfb2d91a75c90a"},
        {"5gltf/t.gltf", "4292a9a2ca797d0857490dcd306901186a4e6bc589b0e2828952768ba97d1f7b"},
        {"5gltf/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"5gltf/tree_leaves_pack1.png", "6f2490cba420b19a04f4bc09255248900502a5911b173c54a0ce5206bfa76f86"},
        {"5obj/t.mtl", "202c4fd6ea1347526d53ec8e1993da66860eb15d73b7be7a6aebe30f2dcf092a"},
        {"5obj/t.obj", "777d0b4fc2652dd7010a6f7890da94243a51ceade46f298ff8adeb7f285d8653"},
        {"5obj/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"5obj/tree_leaves_pack1.tga", "33425db3baf7c64dbc1895579ae13befc1c861b57e489e7ae78acf254c07a12b"},
        {"6glb/t.glb", "ab8e2c7d70c357fad838e603874886fd19a3ab4c7ee90b8ea1bd23cb29f37a43"},
        {"6gltf/t.bin", "cab3346bcb99d5b086f62b5587ac89e2700eff1eac69831fc1d06fef7330816c"},
        {"6gltf/t.gltf", "3c62a46f9ee9f9b3d1cd2751cd46b40c5fef0a9461545704ce85133ab5a33867"},
        {"6gltf/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"6gltf/tree_leaves_pack1.png", "6f2490cba420b19a04f4bc09255248900502a5911b173c54a0ce5206bfa76f86"},
        {"6obj/t.mtl", "202c4fd6ea1347526d53ec8e1993da66860eb15d73b7be7a6aebe30f2dcf092a"},
        {"6obj/t.obj", "12838df839097442a07b2eb4907103f8075352d25fcd22e60f0598f9a06f551a"},
        {"6obj/tree_bark.jpg", "b89d92675eb210bcc0783599fe1dcd07d7e3ae043ffea808a00aa87a7af6392b"},
        {"6obj/tree_leaves_pack1.tga", "33425db3baf7c64dbc1895579ae13befc1c861b57e489e7ae78acf254c07a12b"},
    };
    const fs::path dir = atlasDir("presets");
    for (int species = 0; species < 7; ++species)
        for (const char* ext : {"glb", "obj", "gltf"}) {
            const fs::path sub = dir / (std::to_string(species) + ext);
            fs::create_directories(sub);
            const ProcessResult run = treegen("export --no-wind --species " + std::to_string(species) +
                                              " --seed 0 -o '" + (sub / (std::string("t.") + ext)).string() + "'");
            ASSERT_EQ(run.status, 0) << run.out;
        }
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) files += entry.is_regular_file();
    EXPECT_EQ(files, golden.size()) << "the exports wrote other files than before";
    for (const auto& [file, hash] : golden) EXPECT_EQ(sha256(dir / file), hash) << file;
}

// A species file's leafTexture, or --leaf-texture, reaches every format: the
// glTF carries the named atlas as PNG (a user's PNG byte for byte), the OBJ
// as TGA, both named after it; the mesh is the same tree.
TEST(TreegenLeafAtlas, ANamedAtlasReachesTheExport) {
    const fs::path dir = atlasDir("named");
    const std::string species = std::string(SPECIES_DIR) + "/round-leaf-aspen.json";
    ProcessResult run = treegen("export --species-file '" + species + "' -o '" + (dir / "round.gltf").string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(fs::exists(dir / "tree_leaves_round.png"));
    EXPECT_FALSE(fs::exists(dir / "tree_leaves_pack1.png"));
    EXPECT_NE(TempFolder::read(dir / "round.gltf").find("\"uri\": \"tree_leaves_round.png\""), std::string::npos)
        << TempFolder::read(dir / "round.gltf").substr(0, 2000);
    const std::vector<unsigned char> media = pixelsOf(fs::path(MEDIA_DIR) / "tree_leaves_round.tga");
    ASSERT_FALSE(media.empty());
    EXPECT_EQ(pixelsOf(dir / "tree_leaves_round.png"), media) << "the glTF's atlas is not the named one";
    EXPECT_NE(pixelsOf(fs::path(MEDIA_DIR) / "tree_leaves_pack1.tga"), media);
    const ProcessResult report = validateGltf(dir / "round.gltf");
    EXPECT_EQ(report.status, 0) << report.out;
    EXPECT_NE(report.out.find("\"numErrors\": 0"), std::string::npos) << report.out;
    EXPECT_NE(report.out.find("\"numWarnings\": 0"), std::string::npos) << report.out;

    // The same tree and the same bytes through --leaf-texture on the preset.
    const fs::path viaOption = dir / "option";
    fs::create_directories(viaOption);
    run = treegen("export --species 1 --leaf-texture tree_leaves_round.tga -o '" +
                  (viaOption / "round.gltf").string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(TempFolder::read(viaOption / "round.bin"), TempFolder::read(dir / "round.bin"));
    EXPECT_EQ(TempFolder::read(viaOption / "tree_leaves_round.png"), TempFolder::read(dir / "tree_leaves_round.png"));

    // A binary glTF holds the atlas itself: it differs from the preset's.
    ASSERT_EQ(treegen("export --species 1 -o '" + (dir / "preset.glb").string() + "'").status, 0);
    ASSERT_EQ(treegen("export --species-file '" + species + "' -o '" + (dir / "round.glb").string() + "'").status, 0);
    EXPECT_NE(TempFolder::read(dir / "round.glb"), TempFolder::read(dir / "preset.glb"));

    // OBJ: the material names the TGA written beside it.
    ASSERT_EQ(treegen("export --species-file '" + species + "' -o '" + (dir / "round.obj").string() + "'").status, 0);
    EXPECT_NE(TempFolder::read(dir / "round.mtl").find("map_Kd tree_leaves_round.tga\nmap_d tree_leaves_round.tga"),
              std::string::npos)
        << TempFolder::read(dir / "round.mtl");
    EXPECT_EQ(pixelsOf(dir / "tree_leaves_round.tga"), media);

    // A user's own PNG with alpha, named relative to the species file, is copied unchanged.
    const fs::path own = dir / "own";
    fs::create_directories(own);
    std::vector<unsigned char> red(64 * 64 * 4);
    for (size_t i = 0; i < red.size(); i += 4) red[i] = 255, red[i + 3] = (i / 4) % 2 ? 255 : 0;
    ASSERT_TRUE(stbi_write_png((own / "my leaves.png").string().c_str(), 64, 64, 4, red.data(), 64 * 4));
    writeAll(own / "mine.json", "{\"base\": 1, \"leafTexture\": \"my leaves.png\"}\n");
    run = treegen("export --species-file '" + (own / "mine.json").string() + "' -o '" + (own / "t.gltf").string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(TempFolder::read(own / "my_leaves.png"), TempFolder::read(own / "my leaves.png"));
    EXPECT_NE(TempFolder::read(own / "t.gltf").find("\"uri\": \"my_leaves.png\""), std::string::npos);
}

// A leafTexture that names no usable image stops the command with status 2,
// says which file and why, and writes nothing.
TEST(TreegenLeafAtlas, ABadLeafTextureSaysWhyAndWritesNothing) {
    const fs::path dir = atlasDir("bad");
    writeAll(dir / "missing.json", "{\"base\": 1, \"leafTexture\": \"no-such-leaves.png\"}\n");
    writeAll(dir / "notimage.txt", "these are not pixels\n");
    writeAll(dir / "notimage.json", "{\"base\": 1, \"leafTexture\": \"notimage.txt\"}\n");
    writeAll(dir / "number.json", "{\"base\": 1,\n \"leafTexture\": 5}\n");
    const fs::path out = dir / "t.glb";

    ProcessResult run = treegen("export --species-file '" + (dir / "missing.json").string() + "' -o '" + out.string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("missing.json: leafTexture: leaf texture \"no-such-leaves.png\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("is not a file"), std::string::npos) << run.out;

    run = treegen("export --species-file '" + (dir / "notimage.json").string() + "' -o '" + out.string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("notimage.txt is not an image"), std::string::npos) << run.out;

    run = treegen("export --species-file '" + (dir / "number.json").string() + "' -o '" + out.string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("number.json:2:17: leafTexture: not a file name"), std::string::npos) << run.out;

    run = treegen("export --leaf-texture '" + (dir / "notimage.txt").string() + "' -o '" + out.string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("--leaf-texture: leaf texture"), std::string::npos) << run.out;
    EXPECT_FALSE(fs::exists(out));
    run = treegen("stats --leaf-texture '" + (dir / "notimage.txt").string() + "'");
    EXPECT_EQ(run.status, 2) << run.out;
}
