#pragma once

#include "input/KeyCodes.h" // Required for: KeyCode, keyCodeCount
#include "input/KeyEvent.h" // Required for: KeyEvent

#include <array>  // Required for: std::array
#include <vector> // Required for: std::vector

namespace Velk {

// A mouse button press at a window position (pixels, origin top left).
struct MouseClick {
    int x = 0;
    int y = 0;
    int button = 0; // 0 left, 1 right, 2 middle
};

// What a window knows about its keyboard and mouse for the current frame.
// The device (window events) and the key script feed it side by side; a key
// is down when either holds it, so scripted runs exercise the same readers.
struct InputState {
    using KeySet = std::array<bool, keyCodeCount>;

    KeySet deviceKeys{};   // held on the real keyboard
    KeySet scriptedKeys{}; // held by the key script on this frame
    int mouseX = 0;        // position in the window, pixels
    int mouseY = 0;
    bool mousePositionKnown = false; // the pointer has moved over the window
    int mouseRelX = 0;     // movement during this frame
    int mouseRelY = 0;
    int mouseRelZ = 0;     // wheel
    unsigned int buttons = 0; // bit i: button i held
    std::vector<KeyEvent> keyEvents; // this frame's key changes, in order
    std::vector<MouseClick> clicks;  // this frame's button presses

    bool isKeyDown(KeyCode key) const { return deviceKeys[key] || scriptedKeys[key]; }
    bool isShiftDown() const { return isKeyDown(KC_LSHIFT) || isKeyDown(KC_RSHIFT); }

    // Forgets the previous frame's movement and events.
    void beginFrame() {
        mouseRelX = mouseRelY = mouseRelZ = 0;
        keyEvents.clear();
        clicks.clear();
    }

    // A device key changed; records the event when the combined state changes.
    void setDeviceKey(KeyCode key, bool down) {
        const bool before = isKeyDown(key);
        deviceKeys[key] = down;
        noteChange(key, before);
    }

    // The pointer moved to (x, y), by (relX, relY) since its last event.
    void moveMouse(int x, int y, int relX, int relY) {
        mouseX = x;
        mouseY = y;
        mousePositionKnown = true;
        mouseRelX += relX;
        mouseRelY += relY;
    }

    // A button went down or up at (x, y); a press is kept as a click.
    void setMouseButton(int button, bool down, int x, int y) {
        if (button < 0 || button >= 32) return;
        if (down) {
            buttons |= 1u << button;
            clicks.push_back({x, y, button});
        } else {
            buttons &= ~(1u << button);
        }
    }

    // The wheel turned by whole steps (away from the user is positive).
    void turnWheel(int steps) { mouseRelZ += steps; }

    // Replaces the scripted keys, recording an event for each change.
    void setScriptedKeys(const KeySet& keys) {
        for (int code = 0; code < keyCodeCount; ++code) {
            const KeyCode key = static_cast<KeyCode>(code);
            const bool before = isKeyDown(key);
            scriptedKeys[key] = keys[key];
            noteChange(key, before);
        }
    }

private:
    void noteChange(KeyCode key, bool before) {
        const bool after = isKeyDown(key);
        if (before != after)
            keyEvents.emplace_back(after ? KeyEvent::KEY_PRESSED : KeyEvent::KEY_RELEASED, key, isShiftDown());
    }
};

} // namespace Velk
