#include "input/InputReader.h"

#include "core/Exception.h"
#include "render/RenderWindow.h"

namespace Velk {

// Remembers the window and which devices to read.
void InputReader::initialise(RenderWindow* window, bool useKeyboard, bool useMouse, bool /*useGameController*/) {
    if (window == nullptr) {
        VELK_EXCEPT(ERR_INVALIDPARAMS, "no window given", "InputReader::initialise");
    }
    window_ = window;
    useKeyboard_ = useKeyboard;
    useMouse_ = useMouse;
}

// Copies the window's state; devices that are off stay idle.
void InputReader::capture() {
    if (window_ == nullptr) {
        VELK_EXCEPT(ERR_INVALID_STATE, "the input reader was not initialised with a window", "InputReader::capture");
    }
    const InputState& state = window_->_getInputState();
    if (useKeyboard_) {
        snapshot_.deviceKeys = state.deviceKeys;
        snapshot_.scriptedKeys = state.scriptedKeys;
    }
    if (useMouse_) {
        snapshot_.mouseX = state.mouseX;
        snapshot_.mouseY = state.mouseY;
        snapshot_.mouseRelX = state.mouseRelX;
        snapshot_.mouseRelY = state.mouseRelY;
        snapshot_.mouseRelZ = state.mouseRelZ;
        snapshot_.buttons = state.buttons;
    }
}

// Out-of-range codes read as up.
bool InputReader::isKeyDown(KeyCode key) const {
    const int code = static_cast<int>(key);
    if (code < 0 || code >= keyCodeCount) return false;
    return snapshot_.isKeyDown(key);
}

// Buttons beyond the third are never down.
bool InputReader::getMouseButton(unsigned char button) const {
    return button < 32 && (snapshot_.buttons & (1u << button)) != 0;
}

// Stored for the event processor; polling keeps working either way.
void InputReader::setBufferedInput(bool keys, bool mouse) {
    bufferedKeys_ = keys;
    bufferedMouse_ = mouse;
}

} // namespace Velk
