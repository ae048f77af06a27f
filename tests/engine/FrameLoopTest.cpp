#include "EngineFixture.h"
#include "core/Exception.h"
#include "input/InputReader.h"
#include "input/PlatformManager.h"

#include <epoxy/gl.h>         // Required for: glEnable (to provoke a GL error)
#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <chrono> // Required for: std::chrono::steady_clock
#include <set>    // Required for: std::set

using namespace Velk;

namespace {
// Records every call; stops the loop on the frames it is told to.
class RecordingListener : public FrameListener {
public:
    bool frameStarted(const FrameEvent& event) override {
        ++started;
        times.push_back(event.timeSinceLastFrame);
        return started != stopAtStart;
    }
    bool frameEnded(const FrameEvent&) override {
        ++ended;
        return ended != stopAtEnd;
    }
    int started = 0;
    int ended = 0;
    int stopAtStart = -1;
    int stopAtEnd = -1;
    std::vector<float> times;
};

// Notes the frames on which a key is down, read through an input reader.
class KeyWatcher : public FrameListener {
public:
    KeyWatcher(RenderWindow* window, KeyCode key) : key_(key) {
        reader_ = PlatformManager::getSingleton().createInputReader();
        reader_->initialise(window, true, true, false);
    }
    ~KeyWatcher() override { PlatformManager::getSingleton().destroyInputReader(reader_); }
    bool frameStarted(const FrameEvent&) override {
        ++frame;
        reader_->capture();
        if (reader_->isKeyDown(key_)) framesDown.insert(frame);
        return true;
    }
    int frame = 0;
    std::set<int> framesDown;

private:
    InputReader* reader_ = nullptr;
    KeyCode key_;
};

// Makes a GL call the driver must reject.
class BrokenDrawing : public RenderTargetListener {
public:
    unsigned int renderContents(RenderTarget&) override {
        glEnable(0x1234);
        return 0;
    }
};

// Claims a fixed number of triangles per frame.
class TriangleCounter : public RenderTargetListener {
public:
    unsigned int renderContents(RenderTarget&) override { return 12; }
};
} // namespace

using FrameLoop = EngineFixture;

TEST_F(FrameLoop, ListenerSeesEveryFrameWithTheFixedTime) {
    AutomationOptions options = offscreenOptions();
    options.frameLimit = 10;
    Root& engine = startEngine(options);
    engine.initialise(true);
    RecordingListener listener;
    engine.addFrameListener(&listener);
    engine.startRendering();
    EXPECT_EQ(listener.started, 10);
    EXPECT_EQ(listener.ended, 10);
    EXPECT_EQ(engine.getCurrentFrameNumber(), 10u);
    for (float time : listener.times) EXPECT_EQ(time, 0.02f);
}

TEST_F(FrameLoop, FalseFromFrameStartedEndsTheLoopBeforeDrawing) {
    Root& engine = startEngine(offscreenOptions());
    engine.initialise(true);
    RecordingListener listener;
    listener.stopAtStart = 3;
    engine.addFrameListener(&listener);
    engine.startRendering();
    EXPECT_EQ(listener.started, 3);
    EXPECT_EQ(listener.ended, 2);
    EXPECT_EQ(engine.getAutoCreatedWindow()->getStatistics().avgFPS, 50.0f);
}

TEST_F(FrameLoop, FalseFromFrameEndedEndsTheLoopAfterThatFrame) {
    Root& engine = startEngine(offscreenOptions());
    engine.initialise(true);
    RecordingListener first;
    RecordingListener second;
    first.stopAtEnd = 4;
    engine.addFrameListener(&first);
    engine.addFrameListener(&second);
    engine.startRendering();
    EXPECT_EQ(first.ended, 4);
    EXPECT_EQ(second.ended, 4) << "every listener is still called in the last frame";
    EXPECT_EQ(second.started, 4);
}

TEST_F(FrameLoop, ScriptedEscapeOnFrameFiveIsSeenOnExactlyThatFrame) {
    AutomationOptions options = offscreenOptions();
    options.frameLimit = 8;
    options.keyScriptFile = folder.write("keys.txt", "# quit on frame 5\n5 ESCAPE\n");
    Root& engine = startEngine(options);
    RenderWindow* window = engine.initialise(true);
    KeyWatcher watcher(window, KC_ESCAPE);
    engine.addFrameListener(&watcher);
    engine.startRendering();
    EXPECT_EQ(watcher.frame, 8);
    EXPECT_EQ(watcher.framesDown, std::set<int>{5});
}

// Records what an input reader sees of the mouse on every frame.
class MouseWatcher : public FrameListener {
public:
    explicit MouseWatcher(RenderWindow* window) { reader.initialise(window); }
    bool frameStarted(const FrameEvent&) override {
        reader.capture();
        const InputState& input = reader.getWindow()->_getInputState();
        seen.push_back({reader.getMouseRelativeX(), reader.getMouseRelativeY(), reader.getMouseRelativeZ(),
                        reader.getMouseButton(0), input.mouseX, input.mouseY, static_cast<int>(input.clicks.size())});
        return true;
    }
    struct Frame {
        int relX, relY, relZ;
        bool left;
        int x, y, clicks;
    };
    InputReader reader;
    std::vector<Frame> seen;
};

TEST_F(FrameLoop, ScriptedMouseReachesTheInputReaderLikeTheDevice) {
    AutomationOptions options = offscreenOptions();
    options.frameLimit = 5;
    options.keyScriptFile = folder.write("keys.txt", "2 MOUSE MOVE 30 20\n3 MOUSE PRESS LEFT\n3 MOUSE MOVE 40 10\n"
                                                     "4 MOUSE WHEEL -2\n5 MOUSE RELEASE LEFT\n");
    Root& engine = startEngine(options);
    MouseWatcher watcher(engine.initialise(true));
    engine.addFrameListener(&watcher);
    engine.startRendering();
    ASSERT_EQ(watcher.seen.size(), 5u);
    EXPECT_EQ(watcher.seen[0].relX, 0);
    EXPECT_FALSE(watcher.seen[0].left);
    // Frame 2: from (0, 0) to (30, 20).
    EXPECT_EQ(watcher.seen[1].relX, 30);
    EXPECT_EQ(watcher.seen[1].relY, 20);
    EXPECT_FALSE(watcher.seen[1].left);
    // Frame 3: pressed at (30, 20), then moved by (10, -10) with the button held.
    EXPECT_TRUE(watcher.seen[2].left);
    EXPECT_EQ(watcher.seen[2].clicks, 1);
    EXPECT_EQ(watcher.seen[2].relX, 10);
    EXPECT_EQ(watcher.seen[2].relY, -10);
    EXPECT_EQ(watcher.seen[2].x, 40);
    // Frame 4: held, still, wheel two steps towards the user.
    EXPECT_TRUE(watcher.seen[3].left);
    EXPECT_EQ(watcher.seen[3].clicks, 0);
    EXPECT_EQ(watcher.seen[3].relX, 0);
    EXPECT_EQ(watcher.seen[3].relZ, -2);
    EXPECT_FALSE(watcher.seen[4].left);
}

TEST_F(FrameLoop, BadKeyScriptStopsTheEngineWithItsLine) {
    AutomationOptions options = offscreenOptions();
    options.keyScriptFile = folder.write("keys.txt", "1 A\n2 BOGUS\n");
    try {
        startEngine(options);
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getLine(), 2);
    }
    EXPECT_EQ(Root::getSingletonPtr(), nullptr);
}

TEST_F(FrameLoop, StatisticsAfterAFixedTimeRunAreExact) {
    AutomationOptions options = offscreenOptions();
    options.frameLimit = 100;
    Root& engine = startEngine(options);
    RenderWindow* window = engine.initialise(true);
    TriangleCounter triangles;
    window->addListener(&triangles);
    engine.startRendering();
    const FrameStats& stats = window->getStatistics();
    EXPECT_EQ(stats.lastFPS, 50.0f);
    EXPECT_EQ(stats.avgFPS, 50.0f);
    EXPECT_EQ(stats.bestFPS, 50.0f);
    EXPECT_EQ(stats.worstFPS, 50.0f);
    EXPECT_EQ(stats.bestFrameTime, 20u);
    EXPECT_EQ(stats.worstFrameTime, 20u);
    EXPECT_EQ(stats.triangleCount, 12u);
    window->removeListener(&triangles);
}

// Each frame keeps the CPU busy until the clock has moved on by at least
// 3 ms, so no real frame can be shorter. The first frame used to be timed
// from the clock reset just before the loop, and the best frame read 0 ms.
TEST_F(FrameLoop, MeasuredFrameTimesAreRealFromTheFirstFrameOn) {
    class AtLeastThreeMilliseconds : public FrameListener {
    public:
        bool frameStarted(const FrameEvent&) override {
            const auto start = std::chrono::steady_clock::now();
            while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(3)) {
            }
            return true;
        }
    } busy;
    AutomationOptions options = offscreenOptions();
    options.fixedFrameTime.reset();
    options.frameLimit = 1;
    Root& engine = startEngine(options);
    RenderWindow* window = engine.initialise(true);
    engine.addFrameListener(&busy);
    engine.startRendering();
    EXPECT_GE(window->getStatistics().bestFrameTime, 3u) << "the first frame's time";

    // A second loop starts its timing afresh; every frame counts fully.
    window->resetStatistics();
    engine.startRendering();
    EXPECT_GE(window->getStatistics().bestFrameTime, 3u);
    EXPECT_LE(window->getStatistics().avgFPS, 1000.0f / 3.0f);
}

TEST_F(FrameLoop, StateDumpIsWrittenAtTheEnd) {
    AutomationOptions options = offscreenOptions();
    options.frameLimit = 3;
    options.stateDumpFile = folder.path("state.json");
    Root& engine = startEngine(options);
    RenderWindow* window = engine.initialise(true, "Dump Window");
    window->setDebugText("hello");
    engine.setStateDumpSection("camera", [] { return nlohmann::json{{"name", "PlayerCam"}}; });
    engine.startRendering();
    const nlohmann::json state = nlohmann::json::parse(TempFolder::read(folder.path("state.json")));
    EXPECT_EQ(state["frameCount"], 3);
    EXPECT_EQ(state["window"]["name"], "Dump Window");
    EXPECT_EQ(state["window"]["width"], 64);
    EXPECT_EQ(state["window"]["offscreen"], true);
    EXPECT_EQ(state["window"]["debugText"], "hello");
    EXPECT_EQ(state["statistics"]["averageFPS"], 50.0);
    EXPECT_EQ(state["camera"]["name"], "PlayerCam");
    EXPECT_FALSE(state["renderSystem"]["glRenderer"].get<std::string>().empty());
}

TEST_F(FrameLoop, NothingIsWrittenWithoutOptions) {
    Root& engine = startEngine(offscreenOptions());
    engine.initialise(true);
    RecordingListener listener;
    listener.stopAtStart = 2;
    engine.addFrameListener(&listener);
    engine.startRendering();
    EXPECT_FALSE(std::filesystem::exists(folder.path("state.json")));
    EXPECT_FALSE(std::filesystem::exists(folder.path("velk.cfg")));
}

TEST_F(FrameLoop, StartingWithoutAWindowIsAnError) {
    Root& engine = startEngine(offscreenOptions());
    try {
        engine.startRendering();
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getNumber(), Exception::ERR_INVALID_STATE);
    }
}

TEST_F(FrameLoop, GLErrorsInDrawingBecomeEngineErrors) {
    Root& engine = startEngine(offscreenOptions());
    RenderWindow* window = engine.initialise(true);
    BrokenDrawing broken;
    window->addListener(&broken);
    try {
        engine.startRendering();
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getNumber(), Exception::ERR_RENDERINGAPI_ERROR);
        EXPECT_EQ(error.getSource(), "RenderTarget::update");
        EXPECT_NE(error.getDescription().find("GL_INVALID_ENUM"), std::string::npos);
    }
    window->removeListener(&broken);
    EXPECT_EQ(engine.getCurrentFrameNumber(), 1u);
}
