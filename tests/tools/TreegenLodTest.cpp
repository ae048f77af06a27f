// treegen export with levels of detail and with a triangle budget, run as a
// user runs it; the files are checked by the Khronos validator, by a glTF
// library and by an independent importer.
#include "ExportFiles.h"
#include "TreegenRun.h"
#include "TreeType.h"

#include <filesystem>        // Required for: std::filesystem
#include <nlohmann/json.hpp> // Required for: nlohmann::json
#include <regex>             // Required for: std::regex
#include <tiny_gltf.h>       // Required for: tinygltf::TinyGLTF

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The triangles of every primitive of a glTF mesh.
std::size_t trianglesOf(const tinygltf::Model& model, const tinygltf::Mesh& mesh) {
    std::size_t count = 0;
    for (const tinygltf::Primitive& p : mesh.primitives) count += model.accessors[std::size_t(p.indices)].count / 3;
    return count;
}

// Whether the validator's report (its JSON on standard output) lists only
// infos, and among them only the two a file with levels of detail brings:
// the validator does not check the extension, and it does not see that the
// extension uses the level nodes.
::testing::AssertionResult onlyExpectedInfos(const std::string& report) {
    const nlohmann::json r = nlohmann::json::parse(report, nullptr, false);
    if (r.is_discarded()) return ::testing::AssertionFailure() << "not JSON: " << report;
    if (r["numErrors"] != 0 || r["numWarnings"] != 0) return ::testing::AssertionFailure() << report;
    bool toldUnsupported = false;
    for (const nlohmann::json& m : r["messages"]) {
        const std::string code = m["code"];
        if (code == "UNSUPPORTED_EXTENSION" && m["message"].get<std::string>().find("MSFT_lod") != std::string::npos)
            toldUnsupported = true;
        else if (code != "UNUSED_OBJECT")
            return ::testing::AssertionFailure() << "unexpected " << code << ": " << report;
    }
    if (!toldUnsupported) return ::testing::AssertionFailure() << "no note on MSFT_lod: " << report;
    return ::testing::AssertionSuccess();
}

} // namespace

// The promise of --lods: every species, each level at most about half the
// triangles of the one before, a valid file whose levels a glTF library reads.
TEST(TreegenLod, EverySpeciesWritesValidLevelsEachAboutHalfTheOneBefore) {
    const fs::path dir = outputDir("lods");
    for (uint32_t species = 0; species < TREE_TYPE_COUNT; ++species) {
        SCOPED_TRACE("species " + std::to_string(species));
        const fs::path file = dir / ("tree" + std::to_string(species) + ".glb");
        const ProcessResult run =
            treegen("export --species " + std::to_string(species) + " --seed 0 --lods 3 -o '" + file.string() + "'");
        ASSERT_EQ(run.status, 0) << run.out;
        const ProcessResult report = validateGltf(file);
        EXPECT_EQ(report.status, 0) << report.out;
        EXPECT_TRUE(onlyExpectedInfos(report.out));

        tinygltf::Model model;
        tinygltf::TinyGLTF loader;
        std::string error, warning;
        ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, file.string())) << error;
        ASSERT_EQ(model.nodes.size(), 4u);
        ASSERT_EQ(model.meshes.size(), 4u);
        ASSERT_EQ(model.scenes.size(), 1u);
        EXPECT_EQ(model.scenes[0].nodes, std::vector<int>{0}) << "only the full level is in the scene";
        EXPECT_NE(std::find(model.extensionsUsed.begin(), model.extensionsUsed.end(), "MSFT_lod"),
                  model.extensionsUsed.end());
        EXPECT_TRUE(model.extensionsRequired.empty());

        const tinygltf::Node& full = model.nodes[0];
        ASSERT_TRUE(full.extensions.count("MSFT_lod"));
        const tinygltf::Value& ids = full.extensions.at("MSFT_lod").Get("ids");
        ASSERT_TRUE(ids.IsArray());
        ASSERT_EQ(ids.ArrayLen(), 3u);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(ids.Get(i).GetNumberAsInt(), i + 1);
        const tinygltf::Value& coverage = full.extras.Get("MSFT_screencoverage");
        ASSERT_TRUE(coverage.IsArray());
        ASSERT_EQ(coverage.ArrayLen(), 4u) << "one hint per level";
        for (int i = 1; i < 4; ++i)
            EXPECT_LT(coverage.Get(i).GetNumberAsDouble(), coverage.Get(i - 1).GetNumberAsDouble());
        // Below the last value a reader culls the tree: the coarsest level stays at any distance.
        EXPECT_EQ(coverage.Get(3).GetNumberAsDouble(), 0.0);

        std::size_t before = 0;
        for (std::size_t level = 0; level < 4; ++level) {
            const tinygltf::Node& node = model.nodes[level];
            EXPECT_EQ(node.name, "TreeEntity_LOD" + std::to_string(level));
            ASSERT_EQ(node.mesh, int(level)) << "a mesh of its own";
            const tinygltf::Mesh& mesh = model.meshes[level];
            ASSERT_FALSE(mesh.primitives.empty());
            // Every level carries the same attributes, the sway weights included.
            for (const tinygltf::Primitive& p : mesh.primitives)
                for (const char* name : {"POSITION", "NORMAL", "TEXCOORD_0", "COLOR_0", "_WIND"})
                    EXPECT_TRUE(p.attributes.count(name)) << name << " of level " << level;
            const std::size_t triangles = trianglesOf(model, mesh);
            EXPECT_GT(triangles, 0u);
            if (level > 0) {
                EXPECT_LE(double(triangles), 0.55 * double(before)) << "level " << level;
            }
            before = triangles;
        }
    }
}

// OBJ has no levels of detail: a file per level, sharing the materials and
// textures; an independent importer reads every one, each smaller.
TEST(TreegenLod, ObjWritesOneFilePerLevelThatAnImporterReads) {
    const fs::path dir = outputDir("lods-obj");
    const ProcessResult run = treegen("export --species 1 --seed 0 --lods 2 -o '" + (dir / "aspen.obj").string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_FALSE(fs::exists(dir / "aspen.obj")) << "the levels' files replace the plain one";
    EXPECT_TRUE(fs::exists(dir / "aspen.mtl"));
    EXPECT_TRUE(fs::exists(dir / "tree_bark.jpg"));
    EXPECT_TRUE(fs::exists(dir / "tree_leaves_pack1.tga"));
    long before = 0;
    for (int level = 0; level <= 2; ++level) {
        const fs::path file = dir / ("aspen_LOD" + std::to_string(level) + ".obj");
        ASSERT_TRUE(fs::exists(file)) << file;
        const ProcessResult info = runCommand("assimp info '" + file.string() + "' -jiv");
        ASSERT_EQ(info.status, 0) << info.out;
        const long faces = assimpCount(info.out, "Faces");
        // The full level is the aspen of TreegenExport's importer test: 36900 bark and 52812 leaf triangles.
        if (level == 0) {
            EXPECT_EQ(faces, 36900 + 52812);
        } else {
            EXPECT_LE(double(faces), 0.55 * double(before));
        }
        EXPECT_EQ(assimpCount(info.out, "Meshes"), 2) << "bark and leaves";
        before = faces;
    }
    EXPECT_FALSE(fs::exists(dir / "aspen_LOD3.obj"));
    // The importer sees the full level of the glTF file too (it reads the scene only).
    const fs::path glb = dir / "aspen.glb";
    ASSERT_EQ(treegen("export --species 1 --seed 0 --lods 2 -o '" + glb.string() + "'").status, 0);
    const ProcessResult info = runCommand("assimp info '" + glb.string() + "' -jiv");
    ASSERT_EQ(info.status, 0) << info.out;
    EXPECT_EQ(assimpCount(info.out, "Faces"), 36900 + 52812);
}

// A budget the willow can meet gives a file within it; one it cannot meet
// says the smallest size it can reach and writes nothing.
TEST(TreegenLod, TriangleBudgetFitsTheWillowOrSaysTheSmallestReachable) {
    const fs::path dir = outputDir("budget");
    const fs::path file = dir / "willow.glb";
    ProcessResult run = treegen("export --species 3 --seed 0 --max-triangles 20000 -o '" + file.string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    tinygltf::Model model;
    tinygltf::TinyGLTF loader;
    std::string error, warning;
    ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, file.string())) << error;
    ASSERT_EQ(model.meshes.size(), 1u);
    const std::size_t triangles = trianglesOf(model, model.meshes[0]);
    EXPECT_LE(triangles, 20000u);
    // Not a token tree: the search keeps as much as fits.
    EXPECT_GE(triangles, 15000u);
    const ProcessResult report = validateGltf(file);
    EXPECT_EQ(report.status, 0) << report.out;

    const fs::path tiny = dir / "tiny.glb";
    run = treegen("export --species 3 --seed 0 --max-triangles 10 -o '" + tiny.string() + "'");
    EXPECT_EQ(run.status, 2);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(run.out, m, std::regex("smallest it reduces to has ([0-9]+) triangles"))) << run.out;
    EXPECT_GT(std::stol(m[1]), 10);
    EXPECT_FALSE(fs::exists(tiny));

    // The smallest size it names is reachable.
    run = treegen("export --species 3 --seed 0 --max-triangles " + std::string(m[1]) + " -o '" + tiny.string() + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(fs::exists(tiny));
}

// Unusable level counts and the two options together are refused with a
// message, and no file is written.
TEST(TreegenLod, BadLevelArgumentsSayWhyAndLeaveNoFile) {
    const fs::path dir = outputDir("lods-errors");
    const fs::path file = dir / "tree.glb";
    for (const char* args : {"--lods 0", "--lods 7", "--lods -1", "--lods many", "--max-triangles 0",
                             "--lods 2 --max-triangles 5000"}) {
        const ProcessResult run = treegen(std::string("export --species 1 ") + args + " -o '" + file.string() + "'");
        EXPECT_EQ(run.status, 2) << args << ": " << run.out;
        EXPECT_FALSE(run.out.empty()) << args;
        EXPECT_FALSE(fs::exists(file)) << args;
    }
}
