// The tree demonstration run end to end, offscreen, with scripted keys; the
// engine's state dump is the window into each run.
#include "DemoRun.h"
#include "DumpAccess.h"
#include "ImageFile.h"
#include "ProcessRun.h"
#include "TempFolder.h"

#include <cmath>   // Required for: std::cos, std::sin
#include <fstream> // Required for: std::ofstream

#include <gtest/gtest.h>

namespace {

DemoRun tree(const std::string& name, unsigned frames, const std::string& keys = "",
             const std::string& extra = "") {
    return runDemo(TREEDEMO_PATH, name, frames, keys, extra);
}

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

} // namespace

TEST(TreeDemo, StartsWithTheQuakingAspenOfSeedZero) {
    const DemoRun run = tree("start", 3);
    ASSERT_EQ(run.status, 0) << run.output;
    const auto& s = run.state;
    EXPECT_EQ(caption(s, "Example/Tree/TreeType"), "[1-6] Tree Type: Quaking Aspen");
    EXPECT_EQ(caption(s, "Example/Tree/Seed"), "[Q/W] Seed: 0");
    EXPECT_EQ(caption(s, "Example/Tree/Scale"), "     Scale: 15.157");
    EXPECT_EQ(caption(s, "Example/Tree/Lighting"), "[K/L] Leaves Lightness: 160");
    EXPECT_EQ(caption(s, "Example/Tree/Alpha"), "[A/S] Leaves Alpha:    255");
    EXPECT_TRUE(overlayVisible(s, "Example/TreeOverlay"));
    EXPECT_TRUE(overlayVisible(s, "Core/DebugOverlay"));

    // (25.98, 15 + 10.4, 0), looking at (0, 10.4, 0).
    const Vec3 p = cameraPosition(s);
    EXPECT_NEAR(p.x, 25.98, 0.01);
    EXPECT_NEAR(p.y, 25.4, 1e-4);
    EXPECT_NEAR(p.z, 0.0, 1e-5);
    const Vec3 forward = cameraDirection(s);
    const double len = std::sqrt(25.98076 * 25.98076 + 15.0 * 15.0);
    EXPECT_NEAR(forward.x, -25.98076 / len, 1e-4);
    EXPECT_NEAR(forward.y, -15.0 / len, 1e-4);
    EXPECT_NEAR(forward.z, 0.0, 1e-4);

    EXPECT_EQ(subEntityMaterials(s, "TreeEntity"), (std::vector<std::string>{"BarkTextMat", "LeafTextMat"}));
    EXPECT_EQ(entityMesh(s, "TreeEntity"), "TreeMesh");
    const Colour diffuse = passDiffuse(s, "LeafTextMat");
    EXPECT_FLOAT_EQ(diffuse.r, 0.9f);
    EXPECT_FLOAT_EQ(diffuse.g, 1.0f);
    EXPECT_FLOAT_EQ(diffuse.a, 1.0f);
    // Statistics at a fixed 0.02 s per frame.
    EXPECT_EQ(caption(s, "Core/BestFps"), "Best FPS: 50 20 ms");
    EXPECT_EQ(caption(s, "Core/WorstFps"), "Worst FPS: 50 20 ms");
    EXPECT_EQ(caption(s, "Core/AverageFps"), "Average FPS: 50");
    EXPECT_EQ(caption(s, "Core/NumTris").rfind("Triangle Count: ", 0), 0u);
    EXPECT_GT(s["statistics"]["triangleCount"].get<unsigned>(), 89712u) << "tree and sky";
}

TEST(TreeDemo, NumberKeysGrowTheirSpecies) {
    const struct {
        const char* key;
        const char* name;
        int type;
    } cases[] = {{"3", "Lombardy Poplar", 4}, {"4", "European Larch", 6}, {"6", "Weeping Willow", 3}};
    for (const auto& c : cases) {
        const DemoRun run = tree(std::string("species-") + c.key, 3, std::string("1 ") + c.key);
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(caption(run.state, "Example/Tree/TreeType"), std::string("[1-6] Tree Type: ") + c.name);
        EXPECT_EQ(run.state["treeDemo"]["tree"]["type"], c.type);
        EXPECT_EQ(run.state["treeDemo"]["regenerations"], 1);
    }
    // 0 grows the Simple tree with its coordinate frames, though the panel says "[1-6]".
    const DemoRun simple = tree("species-0", 3, "1 0");
    ASSERT_EQ(simple.status, 0) << simple.output;
    EXPECT_EQ(caption(simple.state, "Example/Tree/TreeType"), "[1-6] Tree Type: Simple");
    EXPECT_EQ(subEntityMaterials(simple.state, "TreeEntity"),
              (std::vector<std::string>{"BarkTextMat", "CoordFrameMat"}));
}

TEST(TreeDemo, HeldNumberKeyRegrowsOncePerSecondAndSeedsApplyAtTheNextRegrowth) {
    // 2.5 seconds of the 2 key: three Black Tupelos, one second apart.
    DemoRun run = tree("hold-2", 125, "1-125 2");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.state["treeDemo"]["regenerations"], 3);
    EXPECT_EQ(caption(run.state, "Example/Tree/TreeType"), "[1-6] Tree Type: Black Tupelo");

    // W moves the seed on the panel while the tree stays; the next number key uses it.
    run = tree("seed", 60, "1-5 W\n56 1");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(caption(run.state, "Example/Tree/Seed"), "[Q/W] Seed: 5");
    EXPECT_NE(caption(run.state, "Example/Tree/Scale"), "     Scale: 15.157") << "regrown with seed 5";
    run = tree("seed-pending", 6, "1-5 W");
    EXPECT_EQ(caption(run.state, "Example/Tree/Seed"), "[Q/W] Seed: 5");
    EXPECT_EQ(caption(run.state, "Example/Tree/Scale"), "     Scale: 15.157") << "still the old tree";

    // Q at 0 stays 0; W stops at 1000 (on the small Simple tree, which draws fast).
    run = tree("seed-limits", 1010, "1 Q\n1 0\n2-1006 W");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.state["treeDemo"]["seed"], 1000);
}

TEST(TreeDemo, OrbitLimitsAndDistanceKeys) {
    DemoRun run = tree("orbit-up", 100, "1-100 UP");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.state["treeDemo"]["cameraElevation"].get<float>(), 88.0f);
    const double h = 0.64 * 15.157;
    Vec3 p = cameraPosition(run.state);
    EXPECT_NEAR(p.y, 30.0 * std::sin(88.0 * kDegToRad) + h, 1e-3);

    run = tree("orbit-left", 2, "1 LEFT");
    EXPECT_EQ(run.state["treeDemo"]["cameraAzimuth"].get<float>(), 359.0f);
    p = cameraPosition(run.state);
    EXPECT_NEAR(p.z, 30.0 * std::cos(30.0 * kDegToRad) * std::sin(359.0 * kDegToRad), 1e-3);

    run = tree("orbit-distance", 4, "1 PGUP\n2-3 PGDOWN");
    EXPECT_NEAR(run.state["treeDemo"]["cameraDistance"].get<double>(), 30.0 * 0.98 * 1.03 * 1.03, 1e-4);
}

TEST(TreeDemo, LeafLightnessAndAlphaKeys) {
    DemoRun run = tree("leaf-l", 2, "1 L");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(caption(run.state, "Example/Tree/Lighting"), "[K/L] Leaves Lightness: 161");
    Colour d = passDiffuse(run.state, "LeafTextMat");
    EXPECT_NEAR(d.r, 0.7525, 1e-4);
    EXPECT_NEAR(d.g, 0.8525, 1e-4);
    EXPECT_NEAR(d.b, 0.7525, 1e-4);
    EXPECT_NEAR(d.a, 1.0, 1e-6);
    const Colour a = passAmbient(run.state, "LeafTextMat");
    EXPECT_NEAR(a.r, 0.5051, 1e-4);
    EXPECT_NEAR(a.g, 0.6314, 1e-4);
    EXPECT_NEAR(a.b, 0.5051, 1e-4);

    run = tree("leaf-a", 2, "1 A");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(caption(run.state, "Example/Tree/Alpha"), "[A/S] Leaves Alpha:    254");
    d = passDiffuse(run.state, "LeafTextMat");
    EXPECT_NEAR(d.a, 0.99608, 1e-5);
    EXPECT_EQ(run.state["treeDemo"]["workingParameters"]["leafAlpha"], 255);
    EXPECT_EQ(run.state["treeDemo"]["tree"]["leafAlpha"], 254);
}

TEST(TreeDemo, TabAndTheDelays) {
    // Tab blocks the number keys for 0.2 s: 1 is held from the same frame on.
    DemoRun run = tree("tab-blocks", 8, "1 TAB\n1-8 1");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.state["treeDemo"]["regenerations"], 0);
    EXPECT_EQ(renderDetail(run.state, "TreeEntity"), "wireframe");

    // A regrowth blocks Tab for a second.
    run = tree("regrow-blocks", 40, "1 1\n2-40 TAB");
    EXPECT_EQ(run.state["treeDemo"]["regenerations"], 1);
    EXPECT_EQ(run.state["treeDemo"]["wireframe"], false);

    // Regrown in wireframe: the new tree is solid, the next Tab keeps it solid.
    run = tree("regrow-wireframe", 30, "1 TAB\n20 1");
    EXPECT_EQ(run.state["treeDemo"]["wireframe"], true);
    EXPECT_EQ(renderDetail(run.state, "TreeEntity"), "solid");
    run = tree("regrow-wireframe-tab", 80, "1 TAB\n20 1\n75 TAB");
    EXPECT_EQ(run.state["treeDemo"]["wireframe"], false);
    EXPECT_EQ(renderDetail(run.state, "TreeEntity"), "solid");
}

// The ground and the shadows are on at start; G turns both off (and again
// on after the toggle delay). The shadow map is drawn once, and again only
// for a new tree.
TEST(TreeDemo, GroundKeyAndShadowMapRedraws) {
    DemoRun run = tree("ground-start", 4);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(run.state["treeDemo"]["groundAndShadow"].get<bool>());
    EXPECT_TRUE(run.state["shadows"]["groundPlane"].get<bool>());
    EXPECT_TRUE(run.state["shadows"]["enabled"].get<bool>());
    EXPECT_EQ(run.state["shadows"]["shadowMapRenders"].get<int>(), 1) << "four frames, one map";

    run = tree("ground-regrow", 6, "2 1\n3-4 LEFT");
    EXPECT_EQ(run.state["shadows"]["shadowMapRenders"].get<int>(), 2) << "start, then the new tree";

    run = tree("ground-off", 4, "2 G");
    EXPECT_FALSE(run.state["treeDemo"]["groundAndShadow"].get<bool>());
    EXPECT_FALSE(run.state["shadows"]["groundPlane"].get<bool>());
    EXPECT_FALSE(run.state["shadows"]["enabled"].get<bool>());

    run = tree("ground-on-again", 30, "2-3 G\n25 G");
    EXPECT_TRUE(run.state["treeDemo"]["groundAndShadow"].get<bool>()) << "held G acts once, then again after 0.2 s";
}

// Home moves the camera along its orbit so that the whole tree shows:
// same angles, a new distance and look-at height; a regrowth goes back to
// the species' look-at height.
TEST(TreeDemo, HomeFramesTheWholeTree) {
    DemoRun run = tree("home", 3, "2 HOME");
    ASSERT_EQ(run.status, 0) << run.output;
    const auto& demo = run.state["treeDemo"];
    EXPECT_EQ(demo["cameraElevation"].get<float>(), 30.0f);
    EXPECT_EQ(demo["cameraAzimuth"].get<float>(), 0.0f);
    const double d = demo["cameraDistance"].get<double>();
    const double h = demo["framedHeight"].get<double>();
    EXPECT_GT(d, 20.0);
    EXPECT_LT(d, 60.0);
    EXPECT_GT(h, 2.0);
    EXPECT_LT(h, 15.157);
    const Vec3 p = cameraPosition(run.state);
    EXPECT_NEAR(p.x, d * std::cos(30.0 * kDegToRad), 1e-3);
    EXPECT_NEAR(p.y, d * std::sin(30.0 * kDegToRad) + h, 1e-3);

    run = tree("home-regrow", 4, "2 HOME\n3 1");
    EXPECT_LT(run.state["treeDemo"]["framedHeight"].get<double>(), 0.0);
    EXPECT_NEAR(cameraPosition(run.state).y, d * std::sin(30.0 * kDegToRad) + 0.64 * 15.157, 1e-2)
        << "distance kept, the species' look-at height again";
}

TEST(TreeDemo, EscapeEndsTheProgramWithStatusZero) {
    const DemoRun run = tree("escape", 200, "5 ESCAPE");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_GE(run.state["frameCount"].get<int>(), 4);
    EXPECT_LE(run.state["frameCount"].get<int>(), 5);
}

// The base listener, kept by a demonstration that does not replace it.
TEST(BaseDemo, ToggleKeysScreenshotsAndCameraDetails) {
    auto base = [](const std::string& name, unsigned frames, const std::string& keys) {
        return runDemo(BASEDEMO_PATH, name, frames, keys);
    };
    // F held half a second toggles once; held 2.5 s, three times.
    DemoRun run = base("f-short", 25, "1-25 F");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(overlayVisible(run.state, "Core/DebugOverlay"));
    run = base("f-long", 125, "1-125 F");
    EXPECT_FALSE(overlayVisible(run.state, "Core/DebugOverlay"));
    EXPECT_EQ(run.state["baseDemo"]["statsOn"], false);
    run = base("f-twice", 60, "1-60 F");
    EXPECT_TRUE(overlayVisible(run.state, "Core/DebugOverlay"));

    // T cycles bilinear -> trilinear -> anisotropic (8) -> bilinear.
    run = base("t-cycle", 116, "1 T\n60 T\n115 T");
    EXPECT_EQ(run.state["baseDemo"]["filtering"], 1);
    EXPECT_EQ(run.state["baseDemo"]["anisotropy"], 1);
    run = base("t-two", 60, "1 T\n60 T");
    EXPECT_EQ(run.state["baseDemo"]["filtering"], 3);
    EXPECT_EQ(run.state["baseDemo"]["anisotropy"], 8);

    // R: wireframe, points, solid.
    run = base("r-one", 2, "1 R");
    EXPECT_EQ(cameraDetail(run.state), "wireframe");
    run = base("r-two", 30, "1 R\n30 R");
    EXPECT_EQ(cameraDetail(run.state), "points");

    // P fills the debug text with the camera, a second P clears it.
    run = base("p-on", 2, "1 P");
    EXPECT_EQ(run.state["window"]["debugText"].get<std::string>().rfind("P: ", 0), 0u);
    EXPECT_NE(run.state["window"]["debugText"].get<std::string>().find(" O: "), std::string::npos);
    EXPECT_EQ(caption(run.state, "Core/DebugText"), run.state["window"]["debugText"]);
    run = base("p-off", 30, "1 P\n30 P");
    EXPECT_EQ(run.state["window"]["debugText"], "");

    // Print Screen writes numbered screenshots and says so.
    run = base("shots", 30, "1 SYSRQ\n30 SYSRQ");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(std::filesystem::exists(run.folder + "/screenshot_1.png"));
    EXPECT_TRUE(std::filesystem::exists(run.folder + "/screenshot_2.png"));
    EXPECT_EQ(run.state["window"]["debugText"], "Wrote screenshot_2.png");
    EXPECT_EQ(run.state["baseDemo"]["screenshots"], 2);
}

// Print Screen writes the frame that was just drawn: on frame 1 the same
// picture as the engine's own screenshot of frame 1, not an empty one. A
// picture of an earlier run keeps its number; the next free one is used.
TEST(BaseDemo, PrintScreenWritesTheFrameJustDrawnUnderAFreeNumber) {
    DemoRun run = runDemo(BASEDEMO_PATH, "shot-frame-one", 1, "1 SYSRQ", "--screenshot 1:engine.png");
    ASSERT_EQ(run.status, 0) << run.output;
    const ImageFile engine = ImageFile::load(run.folder + "/engine.png");
    const ImageFile shot = ImageFile::load(run.folder + "/screenshot_1.png");
    ASSERT_EQ(engine.width, 320);
    ASSERT_EQ(shot.width, engine.width);
    ASSERT_EQ(shot.height, engine.height);
    EXPECT_NE(engine.pixel(160, 20), (std::vector<unsigned char>{0, 0, 0, 255})) << "the sky is drawn";
    EXPECT_TRUE(shot.rgba == engine.rgba) << "Print Screen wrote another picture than the frame drawn";

    run = runDemo(BASEDEMO_PATH, "shot-numbers", 30, "1 SYSRQ\n30 SYSRQ", "", [](const std::string& folder) {
        std::ofstream(folder + "/screenshot_1.png") << "an earlier run";
        std::ofstream(folder + "/screenshot_3.png") << "another";
    });
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(TempFolder::read(run.folder + "/screenshot_1.png"), "an earlier run");
    EXPECT_EQ(TempFolder::read(run.folder + "/screenshot_3.png"), "another");
    EXPECT_EQ(ImageFile::load(run.folder + "/screenshot_2.png").width, 320);
    EXPECT_EQ(ImageFile::load(run.folder + "/screenshot_4.png").width, 320);
    EXPECT_EQ(run.state["window"]["debugText"], "Wrote screenshot_4.png");
    EXPECT_EQ(run.state["baseDemo"]["screenshots"], 2);
}

// Screenshots that could never be written are errors of the command line.
TEST(TreeDemo, ScreenshotsThatCouldNeverBeWrittenEndWithStatusTwo) {
    DemoRun run = tree("shot-twice", 5, "", "--screenshot 3:a.png --screenshot 3:b.png");
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_NE(run.output.find("frame 3 already has a screenshot ('a.png')"), std::string::npos) << run.output;
    run = tree("shot-late", 5, "", "--screenshot 6:late.png");
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_NE(run.output.find("is after the last frame (--frames 5)"), std::string::npos) << run.output;
}

// SDL's dummy and offscreen video drivers open without a display anyone can
// see. The program must treat them as no display and render offscreen; a
// settings dialog in such a window would wait for ever (the `timeout` makes
// that hang a failure instead of a stuck test).
TEST(TreeDemo, WithoutARealDisplayTheProgramRendersOffscreenAndEnds) {
    for (const char* driver : {"dummy", "offscreen"}) {
        const std::string name = std::string("headless-") + driver;
        // A run to set the folder up, then the real program without --offscreen.
        const DemoRun setup = tree(name, 1);
        ASSERT_EQ(setup.status, 0) << setup.output;
        const ProcessResult run = runCommand("cd '" + setup.folder + "' && rm -f state.json && env -u DISPLAY "
                                             "-u WAYLAND_DISPLAY SDL_VIDEODRIVER=" + driver + " timeout 60 '" +
                                             TREEDEMO_PATH + "' --frames 3 --dump-state state.json");
        EXPECT_EQ(run.status, 0) << driver << ": " << run.out;
        const std::string log = TempFolder::read(setup.folder + "/Velk.log");
        EXPECT_NE(log.find("No display in use: rendering offscreen"), std::string::npos) << driver << ": " << log;
        EXPECT_NE(log.find("Frame limit of 3 reached"), std::string::npos) << driver << ": " << log;
    }
}

// A key script that is a folder used to run with no keys at all, and
// /dev/zero grew the memory until the machine stopped the program. The key
// script belongs to the command line: it is read before anything starts,
// and one that is no script is an error of the command line naming it (and
// for a line, its number).
TEST(TreeDemo, KeyScriptsThatAreNoScriptsAreCommandLineErrors) {
    DemoRun run = tree("keys-folder", 5, "", "--key-script .");
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_NE(run.output.find("the key script is a folder, not a file (at .)"), std::string::npos) << run.output;
    run = tree("keys-endless", 5, "", "--key-script /dev/zero");
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_NE(run.output.find("line longer than 4096 characters (not a key script?) (at /dev/zero:1)"),
              std::string::npos) << run.output;
    run = tree("keys-missing", 5, "", "--key-script missing.txt");
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_NE(run.output.find("cannot open the key script: No such file or directory (at missing.txt)"),
              std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(run.folder + "/Velk.log")) << "nothing started";

    // A pipe is read once, before the engine starts, and its keys are used.
    const ProcessResult piped = runCommand("cd '" + run.folder + "' && echo '5 ESCAPE' | '" + TREEDEMO_PATH +
                                           "' --offscreen --size 64x48 --frame-time 0.02 --frames 200 "
                                           "--key-script /dev/stdin --dump-state piped.json");
    EXPECT_EQ(piped.status, 0) << piped.out;
    EXPECT_EQ(nlohmann::json::parse(TempFolder::read(run.folder + "/piped.json"))["frameCount"], 5);
}
