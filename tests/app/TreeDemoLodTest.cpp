// The D key of the tree demonstration, end to end: scripted key presses
// step through the levels of detail, the panel names each level and its
// triangles, and the state dump shows which entity is on the tree's node.
#include "DemoRun.h"
#include "DumpAccess.h"

#include <regex>  // Required for: std::regex
#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

#include <gtest/gtest.h>

namespace {

// The level and triangle count the panel shows, e.g. "LOD2" and 20342.
struct PanelDetail {
    std::string level;
    long triangles = -1;
};

PanelDetail panelDetail(const nlohmann::json& state) {
    const std::string text = caption(state, "Example/Tree/Detail");
    std::smatch m;
    if (!std::regex_match(text, m, std::regex("\\[D\\] Detail: (full|LOD[0-9]), ([0-9]+) triangles"))) return {};
    return {m[1], std::stol(m[2])};
}

// Whether entity `name` exists and hangs on a node.
bool attached(const nlohmann::json& state, const std::string& name) {
    for (const nlohmann::json& e : state["entities"])
        if (e["name"] == name) return e["attached"].get<bool>();
    return false;
}

// Whether entity `name` is in the state dump at all.
bool exists(const nlohmann::json& state, const std::string& name) {
    for (const nlohmann::json& e : state["entities"])
        if (e["name"] == name) return true;
    return false;
}

// D pressed `presses` times, 20 frames (0.4 s) apart: more than the key delay.
std::string dPresses(int presses) {
    std::string script;
    for (int i = 0; i < presses; ++i) script += std::to_string(1 + 20 * i) + " D\n";
    return script;
}

} // namespace

TEST(TreeDemoLod, DStepsThroughTheLevelsAndBackToTheFullTree) {
    const char* const levels[] = {"full", "LOD1", "LOD2", "LOD3", "full"};
    const char* const entities[] = {"TreeEntity", "TreeEntity_LOD1", "TreeEntity_LOD2", "TreeEntity_LOD3",
                                    "TreeEntity"};
    std::vector<long> triangles;
    for (int presses = 0; presses <= 4; ++presses) {
        SCOPED_TRACE(std::to_string(presses) + " presses of D");
        const DemoRun run =
            runDemo(TREEDEMO_PATH, "lod-" + std::to_string(presses), unsigned(20 * presses + 5), dPresses(presses));
        ASSERT_EQ(run.status, 0) << run.output;
        const PanelDetail detail = panelDetail(run.state);
        EXPECT_EQ(detail.level, levels[presses]) << caption(run.state, "Example/Tree/Detail");
        triangles.push_back(detail.triangles);
        EXPECT_TRUE(attached(run.state, entities[presses]));
        // Only the level on show hangs on the node.
        for (const char* other : {"TreeEntity", "TreeEntity_LOD1", "TreeEntity_LOD2", "TreeEntity_LOD3"})
            if (std::string(other) != entities[presses]) {
                EXPECT_FALSE(attached(run.state, other)) << other;
            }
        if (presses > 0 && presses < 4) {
            EXPECT_EQ(subEntityMaterials(run.state, entities[presses]),
                      (std::vector<std::string>{"BarkTextMat", "LeafTextMat"}));
        }
    }
    // The aspen of seed 0 has 36900 bark and 52812 leaf triangles (treegen stats).
    EXPECT_EQ(triangles[0], 36900 + 52812);
    for (int level = 1; level <= 3; ++level)
        EXPECT_LE(double(triangles[size_t(level)]), 0.55 * double(triangles[size_t(level - 1)])) << level;
    EXPECT_EQ(triangles[4], triangles[0]) << "back to the full tree";
}

TEST(TreeDemoLod, RegrowthDropsTheLevelsAndShowsTheFullTree) {
    // D at frame 1, then the key 1 regrows the aspen at frame 20.
    const DemoRun run = runDemo(TREEDEMO_PATH, "lod-regrow", 30, "1 D\n20 1\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(panelDetail(run.state).level, "full");
    EXPECT_EQ(panelDetail(run.state).triangles, 36900 + 52812);
    EXPECT_TRUE(attached(run.state, "TreeEntity"));
    EXPECT_TRUE(exists(run.state, "TreeEntity"));
    EXPECT_FALSE(exists(run.state, "TreeEntity_LOD1")) << "the levels went with the old tree";

    // The simple tree has no leaves: its level's second part is the markers
    // (D after the new tree's key delay).
    const DemoRun simple = runDemo(TREEDEMO_PATH, "lod-simple", 80, "1 0\n70 D\n");
    ASSERT_EQ(simple.status, 0) << simple.output;
    EXPECT_EQ(subEntityMaterials(simple.state, "TreeEntity_LOD1"),
              (std::vector<std::string>{"BarkTextMat", "CoordFrameMat"}));
}
