#pragma once

#include "input/InputState.h" // Required for: InputState
#include "input/KeyCodes.h"   // Required for: KeyCode

namespace Velk {

class RenderWindow;

// Polled keyboard and mouse of one window: `capture` takes a snapshot,
// the queries read that snapshot until the next capture.
class InputReader {
public:
    InputReader() = default;
    virtual ~InputReader() = default;
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;

    // Attaches to a window; devices that are off always read as idle.
    void initialise(RenderWindow* window, bool useKeyboard = true, bool useMouse = true,
                    bool useGameController = false);
    // Snapshot of the window's input for this frame.
    void capture();

    bool isKeyDown(KeyCode key) const;
    // Mouse movement during the captured frame, in pixels (Z: wheel steps).
    int getMouseRelativeX() const { return snapshot_.mouseRelX; }
    int getMouseRelativeY() const { return snapshot_.mouseRelY; }
    int getMouseRelativeZ() const { return snapshot_.mouseRelZ; }
    // Button 0 left, 1 right, 2 middle.
    bool getMouseButton(unsigned char button) const;

    // Whether keys and mouse are read through events instead of polling.
    void setBufferedInput(bool keys, bool mouse);
    bool isBufferedKeys() const { return bufferedKeys_; }
    bool isBufferedMouse() const { return bufferedMouse_; }

    RenderWindow* getWindow() const { return window_; }

private:
    RenderWindow* window_ = nullptr;
    bool useKeyboard_ = false;
    bool useMouse_ = false;
    bool bufferedKeys_ = false;
    bool bufferedMouse_ = false;
    InputState snapshot_;
};

} // namespace Velk
