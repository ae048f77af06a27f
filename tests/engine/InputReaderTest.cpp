#include "input/InputReader.h"

#include "core/Exception.h"
#include "input/PlatformManager.h"
#include "render/RenderWindow.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

using namespace Velk;

namespace {
// A window without GL: only its input state matters here.
class InputOnlyWindow : public RenderWindow {
public:
    InputOnlyWindow() : RenderWindow("input", 4, 4) {}
    bool isClosed() const override { return false; }
    bool isOffscreen() const override { return true; }
    bool isFullScreen() const override { return false; }
    void _pumpEvents() override { input_.beginFrame(); }
    bool _waitEvents(int) override { return false; }
    void swapBuffers() override {}
    void bindForDrawing() override {}

protected:
    void readPixels(std::vector<unsigned char>& rgba) override { rgba.assign(64, 0); }
};
} // namespace

TEST(InputReader, CaptureTakesASnapshot) {
    InputOnlyWindow window;
    InputReader reader;
    reader.initialise(&window, true, true, false);
    window._getInputState().setDeviceKey(KC_W, true);
    EXPECT_FALSE(reader.isKeyDown(KC_W)) << "nothing is seen before capture";
    reader.capture();
    EXPECT_TRUE(reader.isKeyDown(KC_W));
    window._getInputState().setDeviceKey(KC_W, false);
    EXPECT_TRUE(reader.isKeyDown(KC_W)) << "the snapshot holds until the next capture";
    reader.capture();
    EXPECT_FALSE(reader.isKeyDown(KC_W));
}

TEST(InputReader, ScriptedAndDeviceKeysCombine) {
    InputOnlyWindow window;
    InputReader reader;
    reader.initialise(&window);
    InputState::KeySet scripted{};
    scripted[KC_ESCAPE] = true;
    window._getInputState().setScriptedKeys(scripted);
    window._getInputState().setDeviceKey(KC_A, true);
    reader.capture();
    EXPECT_TRUE(reader.isKeyDown(KC_ESCAPE));
    EXPECT_TRUE(reader.isKeyDown(KC_A));
    EXPECT_FALSE(reader.isKeyDown(KC_D));
}

TEST(InputReader, MouseMovementAndButtons) {
    InputOnlyWindow window;
    InputReader reader;
    reader.initialise(&window);
    InputState& state = window._getInputState();
    state.mouseRelX = 7;
    state.mouseRelY = -3;
    state.buttons = 1u << 1;
    reader.capture();
    EXPECT_EQ(reader.getMouseRelativeX(), 7);
    EXPECT_EQ(reader.getMouseRelativeY(), -3);
    EXPECT_FALSE(reader.getMouseButton(0));
    EXPECT_TRUE(reader.getMouseButton(1));
    window._pumpEvents();
    reader.capture();
    EXPECT_EQ(reader.getMouseRelativeX(), 0) << "movement belongs to one frame";
}

TEST(InputReader, DevicesThatAreOffStayIdle) {
    InputOnlyWindow window;
    InputReader reader;
    reader.initialise(&window, false, false, false);
    window._getInputState().setDeviceKey(KC_A, true);
    window._getInputState().mouseRelX = 5;
    reader.capture();
    EXPECT_FALSE(reader.isKeyDown(KC_A));
    EXPECT_EQ(reader.getMouseRelativeX(), 0);
}

TEST(InputReader, KeyChangesBecomeEventsWithCharacters) {
    InputOnlyWindow window;
    InputState& state = window._getInputState();
    state.setDeviceKey(KC_LSHIFT, true);
    state.setDeviceKey(KC_M, true);
    state.setDeviceKey(KC_M, false);
    ASSERT_EQ(state.keyEvents.size(), 3u);
    EXPECT_EQ(state.keyEvents[1].getType(), KeyEvent::KEY_PRESSED);
    EXPECT_EQ(state.keyEvents[1].getKeyChar(), 'M');
    EXPECT_EQ(state.keyEvents[2].getType(), KeyEvent::KEY_RELEASED);
}

TEST(InputReader, CaptureWithoutAWindowIsAnError) {
    InputReader reader;
    EXPECT_THROW(reader.capture(), Exception);
}

TEST(PlatformManager, CreatesAndDestroysReaders) {
    PlatformManager platform;
    InputReader* reader = PlatformManager::getSingleton().createInputReader();
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(platform.getInputReaderCount(), 1u);
    platform.destroyInputReader(reader);
    EXPECT_EQ(platform.getInputReaderCount(), 0u);
}

TEST(PlatformManager, NoneWithoutAnEngine) {
    EXPECT_EQ(PlatformManager::getSingletonPtr(), nullptr);
    EXPECT_THROW(PlatformManager::getSingleton(), Exception);
}
