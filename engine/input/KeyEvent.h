#pragma once

#include "input/KeyCodes.h" // Required for: KeyCode

namespace Velk {

// One key going down or up, with the character it types.
class KeyEvent {
public:
    enum Type { KEY_PRESSED, KEY_RELEASED };

    KeyEvent(Type type, KeyCode key, bool shiftDown)
        : type_(type), key_(key), shiftDown_(shiftDown), keyChar_(keyCodeToChar(key, shiftDown)) {}

    Type getType() const { return type_; }
    KeyCode getKey() const { return key_; }
    bool isShiftDown() const { return shiftDown_; }
    // The character typed (US layout), or 0 for keys that type none.
    char getKeyChar() const { return keyChar_; }

private:
    Type type_;
    KeyCode key_;
    bool shiftDown_;
    char keyChar_;
};

} // namespace Velk
