// Hot reload of the species file, driven frame by frame in this process:
// the real application (TreeApplication with its listener and editor) runs
// offscreen, and the test rewrites the file between two frames. The watcher
// looks at the file on every frame, so a change written before frame N is
// grown on frame N: no waiting, no timing.
#include "GLDriverPin.h"
#include "SpeciesFile.h"
#include "TreeApplication.h"
#include "render/Root.h"

#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <filesystem> // Required for: std::filesystem
#include <fstream>    // Required for: std::ifstream, std::ofstream
#include <sstream>    // Required for: std::stringstream

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The demonstration with its start and its frames in the test's hands.
class SteppedTreeApp : public TreeApplication {
public:
    using TreeApplication::TreeApplication;
    bool start() { return setup(); }
    void frame() { ASSERT_TRUE(root->renderOneFrame()); }
    nlohmann::json dump(const std::string& file) {
        root->writeStateDump(file);
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        return nlohmann::json::parse(text.str());
    }
};

// Runs in a folder of its own with the build's resources.cfg and plugins.cfg.
class HotReload : public ::testing::Test {
protected:
    void SetUp() override {
        pinGLDriver();
        folder = fs::path(DEMO_RUN_DIR) / "hot-reload";
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::copy_file(fs::path(APP_DIR) / "resources.cfg", folder / "resources.cfg");
        fs::copy_file(fs::path(APP_DIR) / "plugins.cfg", folder / "plugins.cfg");
        previous = fs::current_path();
        fs::current_path(folder);
        Velk::AutomationOptions options;
        options.offscreen = true;
        options.fixedFrameTime = 0.02f;
        options.width = 320;
        options.height = 240;
        Velk::Root::setAutomationOptions(options);
    }
    void TearDown() override {
        Velk::Root::setAutomationOptions({});
        fs::current_path(previous);
    }
    // Writes the whole file in place, as an editor that does not rename would.
    void write(const std::string& text) { std::ofstream(path, std::ios::trunc) << text; }

    fs::path folder;
    fs::path previous;
    std::string path = "reloaded.json";
};

} // namespace

TEST_F(HotReload, AChangedFileIsGrownOnTheNextFrameAndABrokenOneKeepsTheTreeAndShowsWhy) {
    write("{\n  \"name\": \"Reloaded\",\n  \"base\": \"Quaking Aspen\"\n}\n");
    Species species = readSpeciesFile(path);
    SteppedTreeApp app(std::move(species.parameters), path);
    ASSERT_TRUE(app.start());
    app.frame();
    app.frame();
    const TreeDemoState& state = app.getState();
    const int32_t aspenVertices = state.tree().vertexCount;
    const int32_t aspenBranches = state.tree().params->branches[1];

    // A change: grown on the very next frame, the camera left alone.
    write("{\n  \"name\": \"Reloaded\",\n  \"base\": \"Quaking Aspen\",\n  \"branches\": [0, 12, 8]\n}\n");
    app.frame();
    EXPECT_EQ(state.tree().params->branches[1], 12);
    EXPECT_NE(state.tree().params->branches[1], aspenBranches);
    const int32_t changedVertices = state.tree().vertexCount;
    EXPECT_NE(changedVertices, aspenVertices);
    nlohmann::json dump = app.dump("after-change.json");
    EXPECT_EQ(dump["treeDemo"]["editor"]["reloads"], 1);
    EXPECT_EQ(dump["treeDemo"]["editor"]["error"], "");
    EXPECT_EQ(dump["treeDemo"]["tree"]["vertexCount"], changedVertices);
    EXPECT_EQ(dump["treeDemo"]["tree"]["mesh"]["vertexCount"], changedVertices);
    EXPECT_EQ(dump["overlays"]["Example/TreeOverlay"]["elements"]["Example/Tree/TreeType"]["caption"],
              "[1-6] Tree Type: reloaded.json");
    app.frame();
    EXPECT_EQ(app.dump("unchanged.json")["treeDemo"]["editor"]["reloads"], 1) << "an unchanged file is not reloaded";

    // A broken edit: the tree stays, the error (file, line, field) is on screen.
    write("{\n  \"name\": \"Reloaded\",\n  \"base\": \"Quaking Aspen\",\n  \"leaves\": \"many\"\n}\n");
    app.frame();
    EXPECT_EQ(state.tree().vertexCount, changedVertices);
    EXPECT_EQ(state.tree().params->branches[1], 12);
    dump = app.dump("after-break.json");
    const std::string error = dump["treeDemo"]["editor"]["error"];
    EXPECT_EQ(error.rfind(path + ":4:", 0), 0u) << error;
    EXPECT_NE(error.find("leaves"), std::string::npos) << error;
    EXPECT_EQ(dump["gui"]["windows"], nlohmann::json::array({"Tree error"}));
    EXPECT_EQ(dump["treeDemo"]["editor"]["reloads"], 1);

    // Half a file (an editor caught mid-write) is an error too, then the fix is grown.
    write("{\n  \"name\": \"Reloaded\",\n  \"base\"");
    app.frame();
    EXPECT_EQ(state.tree().vertexCount, changedVertices);
    write("{\n  \"name\": \"Reloaded\",\n  \"base\": \"Quaking Aspen\",\n  \"branches\": [0, 20, 8]\n}\n");
    app.frame();
    EXPECT_EQ(state.tree().params->branches[1], 20);
    dump = app.dump("after-fix.json");
    EXPECT_EQ(dump["treeDemo"]["editor"]["error"], "");
    EXPECT_EQ(dump["treeDemo"]["editor"]["reloads"], 2);
    EXPECT_EQ(dump["gui"]["windows"], nlohmann::json::array());
}
