// treegen export, run as a user runs it; its files are checked by the Khronos
// validator, by an independent importer and by reading them back.
#include "BuiltTextures.h"
#include "ExportFiles.h"
#include "ExportTexturesMaker.h"
#include "TempFolder.h"
#include "TreegenRun.h"
#include "Tree.h"
#include "LodView.h"
#include "TreeParameters.h"
#include "TreeType.h"
#include "buffer/HardwareBufferManager.h"
#include "mesh/MeshManager.h"

#include <cstring>    // Required for: std::memcpy
#include <filesystem> // Required for: std::filesystem
#include <regex>      // Required for: std::regex
#include <unistd.h>   // Required for: geteuid
#include <tiny_gltf.h> // Required for: tinygltf::TinyGLTF

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(TreegenExport, EverySpeciesPassesTheGltfValidatorWithoutErrorsOrWarnings) {
    const fs::path dir = outputDir("validator");
    for (uint32_t species = 0; species < TREE_TYPE_COUNT; ++species) {
        const fs::path file = dir / ("tree" + std::to_string(species) + ".glb");
        const ProcessResult run = treegen("export --species " + std::to_string(species) +
                                          " --seed 0 -o '" + file.string() + "'");
        ASSERT_EQ(run.status, 0) << run.out;
        const ProcessResult report = validateGltf(file);
        EXPECT_EQ(report.status, 0) << "species " << species << ": " << report.out;
        EXPECT_NE(report.out.find("\"numErrors\": 0"), std::string::npos) << report.out;
        EXPECT_NE(report.out.find("\"numWarnings\": 0"), std::string::npos) << report.out;
    }
    // The separate-files form, with its buffer and images beside it.
    const fs::path gltf = dir / "aspen.gltf";
    ASSERT_EQ(treegen("export --species 1 --seed 0 -o '" + gltf.string() + "'").status, 0);
    EXPECT_TRUE(fs::exists(dir / "aspen.bin"));
    EXPECT_TRUE(fs::exists(dir / "tree_bark.jpg"));
    EXPECT_TRUE(fs::exists(dir / "tree_leaves_pack1.png"));
    const ProcessResult report = validateGltf(gltf);
    EXPECT_EQ(report.status, 0) << report.out;
}

TEST(TreegenExport, AnIndependentImporterReadsTheCounts) {
    const fs::path dir = outputDir("assimp");
    for (const char* ext : {".glb", ".obj"}) {
        const fs::path file = dir / (std::string("aspen") + ext);
        ASSERT_EQ(treegen("export --species 1 --seed 0 -o '" + file.string() + "'").status, 0);
        // Joining identical vertices undoes OBJ's per-corner indexing.
        const ProcessResult info = runCommand("assimp info '" + file.string() + "' -jiv");
        ASSERT_EQ(info.status, 0) << info.out;
        EXPECT_EQ(assimpCount(info.out, "Vertices"), 130008) << ext << info.out;
        EXPECT_EQ(assimpCount(info.out, "Faces"), 36900 / 1 + 52812) << ext;
        EXPECT_EQ(assimpCount(info.out, "Meshes"), 2) << ext;
    }
    const fs::path simple = dir / "simple.obj";
    ASSERT_EQ(treegen("export --species Simple --seed 0 -o '" + simple.string() + "'").status, 0);
    const ProcessResult info = runCommand("assimp info '" + simple.string() + "' -jiv");
    EXPECT_EQ(assimpCount(info.out, "Vertices"), 1834);
    EXPECT_EQ(assimpCount(info.out, "Faces"), 752 + 113 * 9);
    EXPECT_EQ(assimpCount(info.out, "Meshes"), 2);
}

TEST(TreegenExport, GlbReadsBackAsTheMeshBuiltInMemory) {
    const fs::path dir = outputDir("roundtrip");
    const fs::path file = dir / "simple.glb";
    for (uint32_t species : {TREE_SIMPLE, TREE_QUAKING_ASPEN}) {
        ASSERT_EQ(treegen("export --species " + std::to_string(species) + " --seed 7 -o '" +
                          file.string() + "'")
                      .status,
                  0);
        tinygltf::Model model;
        tinygltf::TinyGLTF loader;
        std::string error, warning;
        ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, file.string())) << error;

        TreeParameters params(2);
        params.loadPreset(species);
        Tree tree(params, 7);
        tree.grow();
        Velk::HardwareBufferManager buffers;
        Velk::MeshManager meshes;
        const TreeMeshLock readback(tree, *tree.buildMesh("TreeMesh"));
        const MeshView view = meshViewOf(readback, tree);

        ASSERT_EQ(model.meshes.size(), 1u);
        const auto& primitives = model.meshes[0].primitives;
        ASSERT_EQ(primitives.size(), view.primitives.size());
        // Reads accessor `index` as raw bytes.
        auto bytesOf = [&](int index, size_t elementSize, size_t& count) {
            const tinygltf::Accessor& a = model.accessors[size_t(index)];
            const tinygltf::BufferView& v = model.bufferViews[size_t(a.bufferView)];
            const unsigned char* base = model.buffers[size_t(v.buffer)].data.data() + v.byteOffset + a.byteOffset;
            const size_t stride = v.byteStride ? v.byteStride : elementSize;
            count = a.count;
            std::vector<unsigned char> out(a.count * elementSize);
            for (size_t i = 0; i < a.count; ++i) std::memcpy(&out[i * elementSize], base + i * stride, elementSize);
            return out;
        };
        const auto& attributes = primitives[0].attributes;
        size_t count = 0;
        const struct { const char* name; size_t offset, size; } floats[] = {
            {"POSITION", 0, 12}, {"NORMAL", 12, 12}, {"TEXCOORD_0", 24, 8}};
        for (const auto& f : floats) {
            const auto data = bytesOf(attributes.at(f.name), f.size, count);
            ASSERT_EQ(count, view.vertexCount) << f.name;
            for (size_t i = 0; i < count; ++i)
                ASSERT_EQ(std::memcmp(&data[i * f.size], view.geometry + i * 8 + f.offset / 4, f.size), 0)
                    << f.name << " of vertex " << i;
        }
        const auto colours = bytesOf(attributes.at("COLOR_0"), 4, count);
        ASSERT_EQ(count, view.vertexCount);
        for (size_t i = 0; i < count; ++i) {
            const uint32_t c = view.colours[i];
            const unsigned char rgba[4] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)};
            ASSERT_EQ(std::memcmp(&colours[i * 4], rgba, 4), 0) << "colour of vertex " << i;
        }
        for (size_t p = 0; p < primitives.size(); ++p) {
            const auto indices = bytesOf(primitives[p].indices, 4, count);
            ASSERT_EQ(count, view.primitives[p].indexCount);
            EXPECT_EQ(std::memcmp(indices.data(), view.primitives[p].indices, count * 4), 0) << p;
        }
        const char* names[] = {"BarkTextMat", "LeafTextMat", "CoordFrameMat"};
        for (size_t p = 0; p < primitives.size(); ++p)
            EXPECT_EQ(model.materials[size_t(primitives[p].material)].name,
                      names[int(view.primitives[p].material)]);
    }
}

TEST(TreegenExport, SameArgumentsGiveByteIdenticalFiles) {
    const fs::path first = outputDir("identical-1"), second = outputDir("identical-2");
    for (const char* name : {"tree.glb", "tree.obj", "tree.mtl", "tree_bark.jpg", "tree_leaves_pack1.tga"}) {
        const std::string file(name);
        if (file.find(".glb") != std::string::npos || file.find(".obj") != std::string::npos) {
            ASSERT_EQ(treegen("export --species 4 --seed 11 -o '" + (first / file).string() + "'").status, 0);
            ASSERT_EQ(treegen("export --species 4 --seed 11 -o '" + (second / file).string() + "'").status, 0);
        }
        const std::string a = TempFolder::read(first / file), b = TempFolder::read(second / file);
        EXPECT_FALSE(a.empty()) << file;
        EXPECT_TRUE(a == b) << file << " differs between two exports";
    }
}

TEST(TreegenExport, TexturesCompiledInAreTheOnesEncodedAfresh) {
    // The build encodes the textures once; an export must carry exactly the
    // bytes that making and encoding them now gives.
    const ExportTextures built = builtExportTextures();
    const ExportTextures fresh = makeExportTextures();
    EXPECT_FALSE(built.barkJpeg.empty());
    EXPECT_TRUE(built.barkJpeg == fresh.barkJpeg) << "bark JPEG";
    EXPECT_TRUE(built.leavesPng == fresh.leavesPng) << "leaf atlas PNG";
    EXPECT_TRUE(built.leavesTga == fresh.leavesTga) << "leaf atlas TGA";

    // And the files an export writes are those bytes.
    const fs::path dir = outputDir("built-textures");
    ASSERT_EQ(treegen("export --species 1 -o '" + (dir / "tree.obj").string() + "'").status, 0);
    ASSERT_EQ(treegen("export --species 1 -o '" + (dir / "tree.gltf").string() + "'").status, 0);
    const auto bytes = [](const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); };
    EXPECT_TRUE(TempFolder::read(dir / "tree_bark.jpg") == bytes(fresh.barkJpeg));
    EXPECT_TRUE(TempFolder::read(dir / "tree_leaves_pack1.png") == bytes(fresh.leavesPng));
    EXPECT_TRUE(TempFolder::read(dir / "tree_leaves_pack1.tga") == bytes(fresh.leavesTga));
}

TEST(TreegenExport, BadArgumentsSayWhyAndLeaveNoFile) {
    const fs::path dir = outputDir("errors");
    ProcessResult run = treegen("export --species 1 -o '" + (dir / "tree.fbx").string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("unknown extension"), std::string::npos) << run.out;

    run = treegen("export --species 1 -o '" + (dir / "missing" / "tree.glb").string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("cannot write"), std::string::npos) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << "one line: " << run.out;

    run = treegen("export --species Oak -o '" + (dir / "tree.glb").string() + "'");
    EXPECT_EQ(run.status, 2);
    run = treegen("export --seed 99999999999 -o '" + (dir / "tree.glb").string() + "'");
    EXPECT_EQ(run.status, 2);
    run = treegen("export --species 1");
    EXPECT_EQ(run.status, 2);

    // A read-only folder: nothing, not even a partial file, is left.
    const fs::path locked = dir / "locked";
    fs::create_directories(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    run = treegen("export --species 1 -o '" + (locked / "tree.gltf").string() + "'");
    fs::permissions(locked, fs::perms::owner_all);
    if (geteuid() != 0) { // root writes anywhere
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(fs::is_empty(locked));
    }
    EXPECT_TRUE(fs::is_empty(dir / "") || !fs::exists(dir / "tree.glb"));
    EXPECT_FALSE(fs::exists(dir / "tree.fbx"));
    EXPECT_FALSE(fs::exists(dir / "tree.glb"));
}

// Seed -1 takes the seed from the clock; the seed reported is the one used,
// so giving it again writes the same file.
TEST(TreegenExport, ClockSeedIsReportedAndGrowsTheSameTreeAgain) {
    const fs::path dir = outputDir("clock-seed");
    const ProcessResult clock = treegen("export --species 0 --seed -1 -o '" + (dir / "clock.glb").string() + "'");
    ASSERT_EQ(clock.status, 0) << clock.out;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(clock.out, m, std::regex("\nseed ([0-9]+), "))) << clock.out;
    const long long used = std::stoll(m[1]);
    EXPECT_LE(used, 2147483647);
    const ProcessResult again =
        treegen("export --species 0 --seed " + m[1].str() + " -o '" + (dir / "again.glb").string() + "'");
    ASSERT_EQ(again.status, 0) << again.out;
    EXPECT_TRUE(TempFolder::read(dir / "clock.glb") == TempFolder::read(dir / "again.glb"));
    EXPECT_EQ(treegen("export --seed 2147483648 -o '" + (dir / "x.glb").string() + "'").status, 2);
}

// The wind's sway data rides along in glTF as the custom attribute _WIND:
// one accessor of four floats per vertex, named by every primitive, holding
// what the mesh pass writes; the validator accepts it. --no-wind leaves it
// out, and OBJ, which has no place for it, is the same either way.
TEST(TreegenExport, GltfCarriesTheWindAsACustomAttribute) {
    const fs::path dir = outputDir("wind");
    const fs::path file = dir / "aspen.glb";
    ASSERT_EQ(treegen("export --species 1 --seed 0 -o '" + file.string() + "'").status, 0);
    const ProcessResult report = validateGltf(file);
    EXPECT_EQ(report.status, 0) << report.out;
    EXPECT_NE(report.out.find("\"numErrors\": 0"), std::string::npos) << report.out;
    EXPECT_NE(report.out.find("\"numWarnings\": 0"), std::string::npos) << report.out;

    tinygltf::Model model;
    tinygltf::TinyGLTF loader;
    std::string error, warning;
    ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, file.string())) << error;
    TreeParameters params(2);
    params.loadPreset(TREE_QUAKING_ASPEN);
    Tree tree(params, 0);
    tree.grow();
    std::vector<float> wind(4 * size_t(tree.vertexCount));
    tree.writeWind(wind.data());

    ASSERT_EQ(model.meshes.size(), 1u);
    const auto& primitives = model.meshes[0].primitives;
    ASSERT_EQ(primitives.size(), 2u);
    const int accessor = primitives[0].attributes.at("_WIND");
    for (const auto& p : primitives) EXPECT_EQ(p.attributes.at("_WIND"), accessor) << "one accessor for all";
    const tinygltf::Accessor& a = model.accessors[size_t(accessor)];
    EXPECT_EQ(a.type, TINYGLTF_TYPE_VEC4);
    EXPECT_EQ(a.componentType, TINYGLTF_COMPONENT_TYPE_FLOAT);
    ASSERT_EQ(a.count, size_t(tree.vertexCount));
    const tinygltf::BufferView& v = model.bufferViews[size_t(a.bufferView)];
    const unsigned char* base = model.buffers[size_t(v.buffer)].data.data() + v.byteOffset + a.byteOffset;
    const size_t stride = v.byteStride ? v.byteStride : 16;
    for (size_t i = 0; i < a.count; ++i)
        ASSERT_EQ(std::memcmp(base + i * stride, &wind[4 * i], 16), 0) << "sway of vertex " << i;

    const fs::path still = dir / "still.glb";
    ASSERT_EQ(treegen("export --no-wind --species 1 --seed 0 -o '" + still.string() + "'").status, 0);
    tinygltf::Model stillModel;
    ASSERT_TRUE(loader.LoadBinaryFromFile(&stillModel, &error, &warning, still.string())) << error;
    for (const auto& p : stillModel.meshes[0].primitives) EXPECT_EQ(p.attributes.count("_WIND"), 0u);
    EXPECT_EQ(stillModel.accessors.size() + 1, model.accessors.size()) << "_WIND is the only addition";

    // The OBJ names its material file, so both are called the same.
    fs::create_directories(dir / "a");
    fs::create_directories(dir / "b");
    ASSERT_EQ(treegen("export --species 1 --seed 0 -o '" + (dir / "a" / "t.obj").string() + "'").status, 0);
    ASSERT_EQ(treegen("export --no-wind --species 1 --seed 0 -o '" + (dir / "b" / "t.obj").string() + "'").status, 0);
    EXPECT_TRUE(TempFolder::read(dir / "a" / "t.obj") == TempFolder::read(dir / "b" / "t.obj"));
}
