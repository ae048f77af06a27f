// The parameter editor of the tree demonstration, end to end: the real
// program offscreen, driven by scripted keys and mouse, read through the
// state dump. Where widgets are comes from the dump of an earlier run, so
// the scripts follow the panel's layout instead of hard-coding it.
#include "DemoRun.h"
#include "DumpAccess.h"

#include <filesystem> // Required for: std::filesystem
#include <fstream>    // Required for: std::ifstream
#include <sstream>    // Required for: std::ostringstream
#include <string>     // Required for: std::string

#include <gtest/gtest.h>

namespace {

// The editor needs room: a window larger than the other tests use.
const std::string kSize = "--size 800x600";

DemoRun tree(const std::string& name, unsigned frames, const std::string& keys, const std::string& extra = "") {
    return runDemo(TREEDEMO_PATH, name, frames, keys, kSize + " " + extra);
}

// A point inside the widget `item` of the editor's last frame: `fx` of the
// way across its frame (the part left of the label), half-way down.
struct Point {
    int x = 0;
    int y = 0;
};
Point inside(const nlohmann::json& state, const std::string& item, double fx = 0.5) {
    const nlohmann::json& rect = state["treeDemo"]["editor"]["items"][item];
    EXPECT_TRUE(rect.is_array()) << "no widget " << item << " in the dump";
    if (!rect.is_array()) return {};
    const double x0 = rect[0].get<double>();
    const double x1 = rect[2].get<double>();
    return {static_cast<int>(x0 + fx * (x1 - x0)), static_cast<int>((rect[1].get<double>() + rect[3].get<double>()) / 2)};
}

// Script lines that click at a point: move on `frame`, press on the next,
// release on the one after.
std::string click(unsigned frame, Point p) {
    std::ostringstream s;
    s << frame << " MOUSE MOVE " << p.x << " " << p.y << "\n"
      << frame + 1 << " MOUSE PRESS LEFT\n"
      << frame + 2 << " MOUSE RELEASE LEFT\n";
    return s.str();
}

// The tree's counters agree with the mesh the engine holds: one vertex per
// counted vertex in both buffers, three indices per counted triangle.
void expectCountersMatchTheMesh(const nlohmann::json& tree) {
    const nlohmann::json& mesh = tree["mesh"];
    const long vertices = tree["vertexCount"].get<long>();
    EXPECT_EQ(mesh["vertexCount"].get<long>(), vertices);
    ASSERT_EQ(mesh["vertexBufferBytes"].size(), 2u);
    // Bytes per vertex of the two buffers: position, normal and texture
    // coordinate floats (32 bytes), one packed colour (4 bytes).
    EXPECT_EQ(mesh["vertexBufferBytes"][0].get<long>(), 32 * vertices);
    EXPECT_EQ(mesh["vertexBufferBytes"][1].get<long>(), 4 * vertices);
    const nlohmann::json& indices = mesh["indexCounts"];
    ASSERT_GE(indices.size(), 1u);
    EXPECT_EQ(indices[0].get<long>(), 3 * tree["stemTriangleCount"].get<long>());
    if (tree["leafCount"].get<long>() > 0) {
        ASSERT_GE(indices.size(), 2u);
        EXPECT_EQ(indices[1].get<long>(), 3 * tree["leafTriangleCount"].get<long>());
    }
}

// E opens the editor on frame 2; its Level 1 tab is clicked on frames 4 to 6.
// Returns the script so far and the frame after it.
std::string openLevelOne(const nlohmann::json& layout) { return "2 E\n" + click(4, inside(layout, "tab:Level 1")); }

// Drags the slider of branches[1] from 20 % to 45 % of its width, frames 8 to 12.
std::string dragBranches(const nlohmann::json& layout) {
    const Point from = inside(layout, "branches[1]", 0.2 * 0.5);
    const Point to = inside(layout, "branches[1]", 0.45 * 0.5);
    std::ostringstream s;
    s << "8 MOUSE MOVE " << from.x << " " << from.y << "\n9 MOUSE PRESS LEFT\n"
      << "10 MOUSE MOVE " << to.x << " " << to.y << "\n12 MOUSE RELEASE LEFT\n";
    return s.str();
}

std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(TreeEditor, DraggingTheBranchesOfLevelOneRegrowsTheTreeInTheSameFrameAndKeepsTheCamera) {
    // Where the tabs and the sliders of level 1 are.
    const DemoRun opened = tree("editor-open", 3, "2 E");
    ASSERT_EQ(opened.status, 0) << opened.output;
    EXPECT_EQ(opened.state["treeDemo"]["editor"]["open"], true);
    EXPECT_EQ(opened.state["gui"]["windows"], nlohmann::json::array({"Tree parameters"}));
    const DemoRun levelOne = tree("editor-level-1", 8, openLevelOne(opened.state));
    ASSERT_EQ(levelOne.status, 0) << levelOne.output;
    ASSERT_TRUE(levelOne.state["treeDemo"]["editor"]["items"].contains("branches[1]")) << levelOne.output;
    EXPECT_EQ(levelOne.state["treeDemo"]["editor"]["edits"], 0) << "clicking a tab grows nothing";

    const DemoRun dragged =
        tree("editor-drag", 14, openLevelOne(opened.state) + dragBranches(levelOne.state));
    ASSERT_EQ(dragged.status, 0) << dragged.output;
    const nlohmann::json& before = levelOne.state["treeDemo"]["tree"];
    const nlohmann::json& after = dragged.state["treeDemo"]["tree"];
    const int presetBranches = before["parameters"]["branches"][1];
    const int draggedBranches = after["parameters"]["branches"][1];
    EXPECT_NE(draggedBranches, presetBranches);
    EXPECT_GT(dragged.state["treeDemo"]["editor"]["edits"].get<int>(), 0);
    EXPECT_EQ(dragged.state["treeDemo"]["regenerations"], 0) << "no number key was involved";
    // Every other field is the preset's.
    nlohmann::json expected = before["parameters"];
    expected["branches"][1] = draggedBranches;
    EXPECT_EQ(after["parameters"], expected);
    EXPECT_NE(after["stemCount"], before["stemCount"]);
    EXPECT_NE(after["vertexCount"], before["vertexCount"]);
    expectCountersMatchTheMesh(before);
    expectCountersMatchTheMesh(after);
    // The camera stayed where it was.
    const Vec3 p0 = cameraPosition(levelOne.state);
    const Vec3 p1 = cameraPosition(dragged.state);
    EXPECT_EQ(p0.x, p1.x);
    EXPECT_EQ(p0.y, p1.y);
    EXPECT_EQ(p0.z, p1.z);
    EXPECT_EQ(caption(dragged.state, "Example/Tree/Scale"), "     Scale: 15.157") << "same seed, same scale";

    // Reset returns to the preset; New seed then grows it with another seed.
    const std::string resetScript = openLevelOne(opened.state) + dragBranches(levelOne.state) +
                                    click(14, inside(opened.state, "button:Reset"));
    const DemoRun reset = tree("editor-reset", 18, resetScript);
    ASSERT_EQ(reset.status, 0) << reset.output;
    EXPECT_EQ(reset.state["treeDemo"]["tree"]["parameters"], before["parameters"]);
    EXPECT_EQ(reset.state["treeDemo"]["tree"]["vertexCount"], before["vertexCount"]);
    const DemoRun reseeded =
        tree("editor-new-seed", 22, resetScript + click(18, inside(opened.state, "button:New seed")));
    ASSERT_EQ(reseeded.status, 0) << reseeded.output;
    const int seed = reseeded.state["treeDemo"]["seed"];
    EXPECT_NE(seed, 0);
    EXPECT_EQ(caption(reseeded.state, "Example/Tree/Seed"), "[Q/W] Seed: " + std::to_string(seed));
    EXPECT_NE(reseeded.state["treeDemo"]["tree"]["treeScale"], before["treeScale"]) << "grown with the new seed";
}

TEST(TreeEditor, SaveWritesASpeciesFileThatGrowsTheSameTreeAndKeysWaitWhileTheGuiTypes) {
    const DemoRun opened = tree("save-open", 3, "2 E");
    ASSERT_EQ(opened.status, 0) << opened.output;
    const DemoRun levelOne = tree("save-level-1", 8, openLevelOne(opened.state));
    ASSERT_EQ(levelOne.status, 0) << levelOne.output;
    // Drag, press Save (frames 14-16), then, while the name is being asked
    // for, hold the 2, W and V keys (a number key, the seed key and the
    // wind), clear the name, type "MYTREE" and press Return.
    const std::string script = openLevelOne(opened.state) + dragBranches(levelOne.state) +
                               click(14, inside(opened.state, "button:Save")) +
                               "20 2 W V\n21-40 BACK\n42 M\n43 Y\n44 T\n45 R\n46 E\n48 E\n50 RETURN\n";
    const DemoRun saved = tree("save", 52, script);
    ASSERT_EQ(saved.status, 0) << saved.output;
    const nlohmann::json& demo = saved.state["treeDemo"];
    EXPECT_EQ(demo["regenerations"], 0) << "the 2 key went to the name field";
    EXPECT_EQ(demo["seed"], 0) << "W went to the name field";
    EXPECT_EQ(demo["wind"], false) << "V went to the name field";
    EXPECT_EQ(demo["editor"]["open"], true) << "E went to the name field too";
    ASSERT_EQ(demo["editor"]["lastSaved"], "mytree.json") << demo["editor"]["status"];
    const std::string file = saved.folder + "/mytree.json";
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_NE(readText(file).find("\"name\": \"mytree\""), std::string::npos) << readText(file);
    EXPECT_FALSE(std::filesystem::exists(saved.folder + "/.mytree.json.part"));

    // The saved file grows the tree that was on show, and names it on the panel.
    const DemoRun reloaded = tree("save-reload", 2, "", "--species-file '" + file + "'");
    ASSERT_EQ(reloaded.status, 0) << reloaded.output;
    const nlohmann::json& shown = demo["tree"];
    const nlohmann::json& grown = reloaded.state["treeDemo"]["tree"];
    for (const char* counter : {"stemCount", "leafCount", "vertexCount", "stemTriangleCount", "leafTriangleCount",
                                "treeScale"})
        EXPECT_EQ(grown[counter], shown[counter]) << counter;
    EXPECT_EQ(grown["parameters"], shown["parameters"]);
    EXPECT_EQ(grown["mesh"], shown["mesh"]);
    EXPECT_EQ(caption(reloaded.state, "Example/Tree/TreeType"), "[1-6] Tree Type: mytree.json");
    EXPECT_EQ(reloaded.state["treeDemo"]["speciesFile"], file);
}

// Load offers "tree.json" in the working folder; Return takes it. The tree
// of that file is grown, named on the panel and watched from then on.
TEST(TreeEditor, LoadGrowsTheTreeOfTheFileAndNamesIt) {
    const DemoRun opened = tree("load-open", 3, "2 E");
    ASSERT_EQ(opened.status, 0) << opened.output;
    const auto writeTree = [](const std::string& folder) {
        std::ofstream(folder + "/tree.json") << "{\n  \"name\": \"Tall Palm\",\n  \"base\": \"Palm\",\n  \"scale\": 20\n}\n";
    };
    const DemoRun loaded =
        runDemo(TREEDEMO_PATH, "load", 12, "2 E\n" + click(4, inside(opened.state, "button:Load")) + "9 RETURN\n",
                kSize, writeTree);
    ASSERT_EQ(loaded.status, 0) << loaded.output;
    const nlohmann::json& demo = loaded.state["treeDemo"];
    EXPECT_EQ(demo["editor"]["status"], "Loaded tree.json");
    EXPECT_EQ(demo["speciesFile"], "tree.json");
    EXPECT_EQ(demo["tree"]["type"], 5) << "the Palm the file starts from";
    EXPECT_EQ(demo["tree"]["parameters"]["scale"], 20);
    EXPECT_EQ(caption(loaded.state, "Example/Tree/TreeType"), "[1-6] Tree Type: tree.json");
    expectCountersMatchTheMesh(demo["tree"]);
}

TEST(TreeEditor, SpeciesFileStartsTheTreeAndABadOneEndsTheProgramWithStatusTwo) {
    const std::string folder = std::string(DEMO_RUN_DIR) + "/species-files";
    std::filesystem::create_directories(folder);
    const std::string willow = folder + "/long willow.json";
    std::ofstream(willow) << "{\n  \"name\": \"Long Willow\",\n  \"base\": \"Weeping Willow\",\n  \"scale\": 30\n}\n";
    const DemoRun run = tree("species-file", 3, "", "--species-file '" + willow + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(caption(run.state, "Example/Tree/TreeType"), "[1-6] Tree Type: long willow.json");
    EXPECT_EQ(run.state["treeDemo"]["tree"]["type"], 3);
    EXPECT_EQ(run.state["treeDemo"]["tree"]["parameters"]["scale"], 30);
    expectCountersMatchTheMesh(run.state["treeDemo"]["tree"]);
    // A number key grows a preset again, named by its species.
    const DemoRun preset = tree("species-file-then-1", 3, "1 1", "--species-file '" + willow + "'");
    EXPECT_EQ(caption(preset.state, "Example/Tree/TreeType"), "[1-6] Tree Type: Quaking Aspen");

    const std::string bad = folder + "/bad.json";
    std::ofstream(bad) << "{\n  \"name\": \"Bad\",\n  \"base\": 1,\n  \"leaves\": -5\n}\n";
    const DemoRun refused = tree("species-file-bad", 3, "", "--species-file '" + bad + "'");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.output.find(bad + ":4:"), std::string::npos) << refused.output;
    EXPECT_NE(refused.output.find("leaves"), std::string::npos) << refused.output;
    EXPECT_TRUE(refused.state.is_null()) << "nothing ran";

    const DemoRun missing = tree("species-file-missing", 3, "", "--species-file");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.output.find("--species-file needs a file name"), std::string::npos) << missing.output;
}

// The leaf texture combo puts another atlas on the leaves (the engine loads
// it) and Save writes it into the species file; a species file's leafTexture
// and --leaf-texture choose the atlas at the start, a bad one ends the
// program with status 2 before anything opens.
TEST(TreeEditor, LeafTextureComboAndOptionsChooseTheLeafAtlas) {
    const DemoRun opened = tree("atlas-open", 3, "2 E");
    ASSERT_EQ(opened.status, 0) << opened.output;
    EXPECT_EQ(opened.state["treeDemo"]["leafTexture"], "tree_leaves_pack1.tga");
    const std::string openCombo = "2 E\n" + click(4, inside(opened.state, "leafTexture"));
    const DemoRun listed = tree("atlas-list", 8, openCombo);
    ASSERT_EQ(listed.status, 0) << listed.output;
    const std::string script = openCombo + click(8, inside(listed.state, "leafTexture:tree_leaves_needles.tga")) +
                               click(12, inside(opened.state, "button:Save")) + "18 RETURN\n";
    const DemoRun picked = tree("atlas-pick", 20, script);
    ASSERT_EQ(picked.status, 0) << picked.output;
    EXPECT_EQ(picked.state["treeDemo"]["leafTexture"], "tree_leaves_needles.tga");
    EXPECT_NE(picked.log.find("Texture 'tree_leaves_needles.tga' loaded"), std::string::npos) << picked.log;
    const std::string saved = picked.folder + "/" + picked.state["treeDemo"]["editor"]["lastSaved"].get<std::string>();
    EXPECT_NE(readText(saved).find("\"leafTexture\": \"tree_leaves_needles.tga\""), std::string::npos)
        << readText(saved);

    const DemoRun fromFile = tree("atlas-file", 2, "", "--species-file '" + std::string(SPECIES_DIR) + "/frond-palm.json'");
    ASSERT_EQ(fromFile.status, 0) << fromFile.output;
    EXPECT_EQ(fromFile.state["treeDemo"]["leafTexture"], "tree_leaves_frond.tga");
    const DemoRun fromOption = tree("atlas-option", 2, "", "--leaf-texture tree_leaves_round.tga");
    ASSERT_EQ(fromOption.status, 0) << fromOption.output;
    EXPECT_EQ(fromOption.state["treeDemo"]["leafTexture"], "tree_leaves_round.tga");
    EXPECT_NE(fromOption.log.find("Texture 'tree_leaves_round.tga' loaded"), std::string::npos);

    const DemoRun missing = tree("atlas-missing", 2, "", "--leaf-texture no-such-atlas.png");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.output.find("treedemo: --leaf-texture: leaf texture \"no-such-atlas.png\""), std::string::npos)
        << missing.output;
}
