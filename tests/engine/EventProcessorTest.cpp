#include "input/EventProcessor.h"

#include "EngineFixture.h"
#include "input/InputReader.h"

using namespace Velk;

namespace {
// Writes down every buffered key event it receives.
class KeyRecorder : public KeyListener {
public:
    void keyClicked(KeyEvent* event) override { log += std::string("clicked:") + event->getKeyChar() + " "; }
    void keyPressed(KeyEvent* event) override { log += "pressed:" + keyCodeName(event->getKey()) + " "; }
    void keyReleased(KeyEvent* event) override { log += "released:" + keyCodeName(event->getKey()) + " "; }
    std::string log;
};

// Notes the frame number when the log changes.
class FrameCounter : public FrameListener {
public:
    bool frameStarted(const FrameEvent&) override {
        ++frame;
        return true;
    }
    int frame = 0;
};
} // namespace

using EventProcessing = EngineFixture;

TEST_F(EventProcessing, ScriptedKeysArriveAsBufferedEvents) {
    AutomationOptions options = offscreenOptions();
    options.frameLimit = 4;
    options.keyScriptFile = folder.write("keys.txt", "2 M\n");
    Root& engine = startEngine(options);
    RenderWindow* window = engine.initialise(true);
    KeyRecorder recorder;
    {
        EventProcessor processor;
        processor.initialise(window);
        processor.startProcessingEvents(true);
        processor.addKeyListener(&recorder);
        engine.startRendering();
        EXPECT_TRUE(processor.getInputReader() != nullptr);
        EXPECT_FALSE(processor.getInputReader()->isKeyDown(KC_M)) << "released after frame 2";
    }
    EXPECT_EQ(recorder.log, "pressed:M clicked:m released:M ");
}

TEST_F(EventProcessing, DestroyedProcessorLeavesTheLoop) {
    AutomationOptions options = offscreenOptions();
    options.frameLimit = 2;
    Root& engine = startEngine(options);
    RenderWindow* window = engine.initialise(true);
    FrameCounter counter;
    engine.addFrameListener(&counter);
    {
        EventProcessor processor;
        processor.initialise(window);
        processor.startProcessingEvents(true);
    }
    engine.startRendering();
    EXPECT_EQ(counter.frame, 2);
}
