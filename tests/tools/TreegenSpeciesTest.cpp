// treegen species, --species-file, --set and --max-vertices, run as a user runs them.
#include "TempFolder.h"
#include "TreegenRun.h"

#include <filesystem>        // Required for: std::filesystem
#include <fstream>           // Required for: std::ofstream
#include <nlohmann/json.hpp> // Required for: nlohmann::json
#include <string>            // Required for: std::string
#include <unistd.h>          // Required for: getpid

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// A folder of this test process's own, emptied first.
fs::path workDir() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / ("treegen-species-test-" + std::to_string(getpid()));
        fs::remove_all(d);
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

std::string writeFile(const std::string& name, const std::string& text) {
    const fs::path path = workDir() / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

// `stats --json` of the arguments without the timings, which differ run to run.
nlohmann::json stats(const std::string& args) {
    const ProcessResult run = treegen("stats --json " + args);
    EXPECT_EQ(run.status, 0) << args << "\n" << run.out;
    if (run.status != 0) return {};
    nlohmann::json j = nlohmann::json::parse(run.out);
    j.erase("growMs");
    j.erase("meshMs");
    return j;
}

} // namespace

TEST(TreegenSpecies, EveryPresetWrittenAndReadBackGrowsTheIdenticalTree) {
    for (int type = 0; type < 7; ++type) {
        const std::string file = (workDir() / ("preset" + std::to_string(type) + ".json")).string();
        const ProcessResult write = treegen("species --species " + std::to_string(type) + " -o " + file);
        ASSERT_EQ(write.status, 0) << write.out;
        // Standard output carries the same bytes.
        EXPECT_EQ(treegen("species --species " + std::to_string(type)).out, TempFolder::read(file));
        for (int seed : {0, 1, 1000}) {
            const std::string s = " --seed " + std::to_string(seed);
            const nlohmann::json fromPreset = stats("--species " + std::to_string(type) + s);
            const nlohmann::json fromFile = stats("--species-file " + file + s);
            EXPECT_EQ(fromFile, fromPreset) << "species " << type << s;
            EXPECT_EQ(fromFile["mesh"]["checksum"], fromPreset["mesh"]["checksum"]);
        }
    }
}

TEST(TreegenSpecies, ABaseWithOneChangedFieldDiffersInWhatThatFieldDrives) {
    const nlohmann::json aspen = stats("--species 1 --seed 1");

    // Leaf size moves only leaf corners: every count, the extent (bark only)
    // and the bounds stay; the mesh bytes change.
    const std::string bigLeaves = writeFile("big-leaves.json", R"({"base": "Quaking Aspen", "leafScale": 0.5})");
    nlohmann::json changed = stats("--species-file " + bigLeaves + " --seed 1");
    EXPECT_NE(changed["mesh"]["checksum"], aspen["mesh"]["checksum"]);
    changed["mesh"].erase("checksum");
    nlohmann::json expected = aspen;
    expected["mesh"].erase("checksum");
    EXPECT_EQ(changed, expected);

    // Fewer leaves: the same stems and the same bark triangles, fewer leaf
    // vertices and triangles. (Leaves draw random numbers, so the stems
    // grown after the first leaves bend differently: the extent moves.)
    const std::string fewLeaves = writeFile("few-leaves.json", R"({"base": 1, "leaves": 5})");
    const nlohmann::json few = stats("--species-file " + fewLeaves + " --seed 1");
    EXPECT_EQ(few["stemCount"], aspen["stemCount"]);
    EXPECT_EQ(few["stemTriangleCount"], aspen["stemTriangleCount"]);
    EXPECT_LT(few["leafTriangleCount"].get<int>(), aspen["leafTriangleCount"].get<int>() / 4);
    const int fewerLeaves = aspen["leavesCreated"].get<int>() - few["leavesCreated"].get<int>();
    EXPECT_EQ(aspen["vertexCount"].get<int>() - few["vertexCount"].get<int>(), 4 * fewerLeaves);

    // --set on the preset is the same change as the file.
    EXPECT_EQ(stats("--species 1 --seed 1 --set leaves=5"), few);
    // --set applies on top of the file, one entry or every level.
    EXPECT_EQ(stats("--species-file " + fewLeaves + " --seed 1 --set leaves=25"), aspen);
    const std::string down = writeFile("down.json", R"({"base": 1, "downAngle": [0, 45, 45]})");
    EXPECT_EQ(stats("--species-file " + down + " --seed 1"), stats("--species 1 --seed 1 --set downAngle[1]=45"));
}

TEST(TreegenSpecies, ASpeciesOfItsOwnGrowsWithCountersMatchingItsMesh) {
    // Levels, branches, curves, leaves and shape all changed at once.
    const std::string file = writeFile("thicket.json", R"({
  "name": "Test Thicket",
  "base": "Palm",
  "levels": 3,
  "shape": 5,
  "leaves": 12,
  "branches": [0, 20, 8],
  "curve": [10, 30, -20],
  "curveRes": [6, 4, 3],
  "ringVertices": [12, 5, 3],
  "length": [1, 0.5, 0.4]
})");
    const nlohmann::json j = stats("--species-file " + file + " --seed 7");
    ASSERT_FALSE(j.is_null());
    EXPECT_EQ(j["speciesName"], "Test Thicket");
    EXPECT_EQ(j["species"], 5); // the base's type
    EXPECT_NE(j["stemCount"], stats("--species 5 --seed 7")["stemCount"]);

    const int vertices = j["vertexCount"];
    const int leaves = j["leavesCreated"];
    EXPECT_GT(leaves, 0);
    EXPECT_GT(j["stemCount"].get<int>(), 21);
    // Every vertex in both buffers (32 bytes of position, normal and texture
    // coordinates, 4 of colour), three indices per triangle, four corners and
    // two triangles per leaf.
    EXPECT_EQ(j["mesh"]["vertexBytes"], nlohmann::json({vertices * 32, vertices * 4}));
    ASSERT_EQ(j["mesh"]["subMeshes"].size(), 2u);
    EXPECT_EQ(j["mesh"]["subMeshes"][0]["indexCount"], 3 * j["stemTriangleCount"].get<int>());
    EXPECT_EQ(j["mesh"]["subMeshes"][1]["indexCount"], 3 * j["leafTriangleCount"].get<int>());
    EXPECT_EQ(j["leafTriangleCount"], 2 * leaves);
    EXPECT_EQ(j["frameCount"], 0);
    // Bark vertices come in whole rings of 12, 5 or 3.
    EXPECT_GT(vertices - 4 * leaves, 0);
    // The trunk's 15 rings of 12 each add 24 triangles but the first.
    EXPECT_GE(j["stemTriangleCount"].get<int>(), 14 * 24);
}

TEST(TreegenSpecies, BadFilesNeverGrowAndSayWhereAndWhy) {
    struct Case {
        const char* name;
        const char* text;
        const char* says;
    };
    const Case cases[] = {
        {"not-json.json", "hello", ":1:1: not valid JSON"},
        {"truncated.json", "{\n  \"base\": 1,\n  \"curve\": [1, 2, ", ":3:19: curve: the file ends"},
        {"unknown.json", "{\"base\": 1,\n \"downAngel\": 3}", ":2:2: downAngel: unknown field; did you mean \"downAngle\"?"},
        {"type.json", "{\"base\": 1,\n  \"shape\": \"round\"}", ":2:12: shape: not a number"},
        {"range.json", "{\"base\": 1,\n  \"shape\": 12}", ":2:12: shape: 12 is out of range; accepted: a whole number in 0..8"},
        {"overflow.json", "{\"base\": 1,\n  \"scale\": 1e999}", ":2:12: scale: not a finite number"},
        {"length.json", "{\"base\": 1,\n  \"curve\": [1, 2]}", ":2:12: curve: has 2 entries but levels is 3"},
        {"utf8.json", "{\"base\": 1,\n  \"name\": \"B\xc3\"}", ":2:13: invalid UTF-8"},
    };
    for (const Case& c : cases) {
        const std::string path = writeFile(c.name, c.text);
        const ProcessResult run = treegen("stats --species-file " + path);
        EXPECT_EQ(run.status, 2) << c.name << "\n" << run.out;
        EXPECT_NE(run.out.find(path + c.says), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("stemCount"), std::string::npos) << run.out;
    }
    // A file of many megabytes is refused unread.
    const std::string big = writeFile("big.json", std::string(3 * 1024 * 1024, ' '));
    ProcessResult run = treegen("stats --species-file " + big);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("larger than 1048576 bytes"), std::string::npos) << run.out;
    // export and render check the file before they write anything.
    const std::string bad = (workDir() / "range.json").string();
    const std::string obj = (workDir() / "never.obj").string();
    run = treegen("export --species-file " + bad + " -o " + obj);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find(":2:12: shape:"), std::string::npos) << run.out;
    EXPECT_FALSE(fs::exists(obj));
    const std::string png = (workDir() / "never.png").string();
    run = treegen("render --species-file " + bad + " -o " + png);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find(":2:12: shape:"), std::string::npos) << run.out;
    EXPECT_FALSE(fs::exists(png));
    // A bad override.
    run = treegen("stats --set downAngle[7]=3");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("--set downAngle[7]=3: downAngle: level 7 does not exist"), std::string::npos) << run.out;
    // --species and --species-file are one or the other.
    EXPECT_EQ(treegen("stats --species 2 --species-file " + bad).status, 2);
}

TEST(TreegenSpecies, AnEnormousTreeIsRefusedWithItsSizeBeforeItGrows) {
    const std::string huge = writeFile("huge.json", R"({"base": 1, "levels": 40})");
    ProcessResult run = treegen("stats --species-file " + huge + " --set branches=1000");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("tree too large: it needs at least "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("vertex budget of 20000000"), std::string::npos) << run.out;

    // The budget is the user's: Quaking Aspen seed 0 plans 130076 vertices
    // (130008 grown, and 17 leaves that the structure pass rounds up).
    run = treegen("stats --species 1 --set leaves=25 --max-vertices 130075");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("more than the vertex budget of 130075"), std::string::npos) << run.out;
    EXPECT_EQ(treegen("stats --species 1 --set leaves=25 --max-vertices 130076").status, 0);
    const std::string obj = (workDir() / "too-large.obj").string();
    run = treegen("export --species 1 --set leaves=25 --max-vertices 1000 -o " + obj);
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(fs::exists(obj));
}

TEST(TreegenSpecies, ExportTakesASpeciesFile) {
    const std::string file = writeFile("export.json", R"({"base": 0, "branches": [0, 3, 2]})");
    const std::string obj = (workDir() / "simple.obj").string();
    const ProcessResult run = treegen("export --species-file " + file + " -o " + obj);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(fs::exists(obj));
    const nlohmann::json j = stats("--species-file " + file);
    EXPECT_NE(run.out.find(std::to_string(j["vertexCount"].get<int>()) + " vertices"), std::string::npos) << run.out;
}

TEST(TreegenSpecies, SchemaAndReferenceComeFromTheParameterTable) {
    const ProcessResult schemaRun = treegen("species --schema");
    ASSERT_EQ(schemaRun.status, 0);
    const nlohmann::json schema = nlohmann::json::parse(schemaRun.out);
    EXPECT_EQ(schema["type"], "object");
    EXPECT_EQ(schema["additionalProperties"], false);
    EXPECT_EQ(schema["properties"].size(), 46u); // 43 parameters, "name", "base" and "leafTexture"
    EXPECT_EQ(schema["properties"]["leafTexture"]["type"], "string");
    EXPECT_EQ(schema["properties"]["shape"]["maximum"], 8);
    EXPECT_EQ(schema["properties"]["downAngle"]["type"], "array");
    EXPECT_EQ(schema["then"]["required"].size(), 43u);

    // Every preset file satisfies the schema's ranges.
    const nlohmann::json aspen = nlohmann::json::parse(treegen("species --species 1").out);
    for (const auto& [name, value] : aspen.items()) {
        ASSERT_TRUE(schema["properties"].contains(name)) << name;
        if (!value.is_number()) continue;
        EXPECT_GE(value.get<double>(), schema["properties"][name]["minimum"].get<double>()) << name;
        EXPECT_LE(value.get<double>(), schema["properties"][name]["maximum"].get<double>()) << name;
    }

    // The README's parameter reference is the table's, word for word.
    const ProcessResult reference = treegen("species --reference");
    ASSERT_EQ(reference.status, 0);
    EXPECT_NE(reference.out.find("| `downAngle` | per level | float | degrees |"), std::string::npos);
    const std::string readme = TempFolder::read(std::string(PROJECT_SOURCE_DIR) + "/README.md");
    EXPECT_NE(readme.find(reference.out), std::string::npos)
        << "README.md's \"Parameter reference\" differs from `treegen species --reference`; paste it in";
}

// leafTexture is read, written back by `treegen species` (after "name") and
// left out for a species that names none, so a preset's file is unchanged.
TEST(TreegenSpecies, LeafTextureIsReadAndWrittenBackOnlyWhenNamed) {
    for (const char* file : {"round-leaf-aspen.json", "round-leaf-poplar.json", "narrow-leaf-willow.json",
                             "needle-larch.json", "frond-palm.json"}) {
        const ProcessResult run =
            treegen("species --species-file '" + std::string(PROJECT_SOURCE_DIR) + "/species/" + file + "'");
        ASSERT_EQ(run.status, 0) << file << ": " << run.out;
        const nlohmann::json written = nlohmann::json::parse(run.out);
        ASSERT_TRUE(written.contains("leafTexture")) << file;
        EXPECT_EQ(written["leafTexture"].get<std::string>().rfind("tree_leaves_", 0), 0u) << file;
        EXPECT_NE(run.out.find("\"name\": " + written["name"].dump() + ",\n  \"leafTexture\": "), std::string::npos)
            << run.out.substr(0, 200);
    }
    for (int species = 0; species < 7; ++species) {
        const ProcessResult preset = treegen("species --species " + std::to_string(species));
        ASSERT_EQ(preset.status, 0);
        EXPECT_EQ(preset.out.find("leafTexture"), std::string::npos) << species;
    }
}
