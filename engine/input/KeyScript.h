#pragma once

#include "input/InputState.h" // Required for: InputState::KeySet
#include "input/KeyCodes.h"   // Required for: KeyCode

#include <cstddef> // Required for: std::size_t
#include <istream> // Required for: std::istream
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

namespace Velk {

// What the mouse does on one frame of a key script; applied to the window's
// input state the way the window's own mouse events are.
struct MouseAction {
    enum Kind { MOVE, PRESS, RELEASE, WHEEL };
    unsigned long frame = 0;
    Kind kind = MOVE;
    int x = 0;      // MOVE: pointer position, pixels from the top left
    int y = 0;
    int button = 0; // PRESS, RELEASE: 0 left, 1 right, 2 middle
    int steps = 0;  // WHEEL: steps, away from the user positive
};

// Which keys are held on which frames, and what the mouse does, for runs
// without a person at the keyboard. One line per span: a frame number or
// range, then key names; or one frame, MOUSE and a mouse action:
//
//     # comment
//     5 ESCAPE                held on frame 5 only
//     10-19 UP LEFT           held on frames 10 to 19
//     20 MOUSE MOVE 120 80    pointer to x 120, y 80 (pixels from the top left)
//     21 MOUSE PRESS LEFT     LEFT, RIGHT or MIDDLE goes down where the pointer is
//     25 MOUSE RELEASE LEFT   and up again
//     26 MOUSE WHEEL -2       wheel steps, away from the user positive
//
// Frames count from 1; key names are the key codes without "KC_". Mouse
// actions of one frame happen in line order. A script
// is small: one over MAX_BYTES, or with a line over MAX_LINE characters, is
// refused before it can fill the memory (a device such as /dev/zero never ends).
class KeyScript {
public:
    static constexpr std::size_t MAX_BYTES = 1024 * 1024;
    static constexpr std::size_t MAX_LINE = 4096;

    // Reads a script file; one that cannot be read (missing, a folder,
    // unreadable) or a bad line is an engine error naming file and line.
    void load(const std::string& fileName);
    void load(std::istream& stream, const std::string& sourceName);

    // The keys held on a frame.
    InputState::KeySet keysAt(unsigned long frame) const;
    // The mouse actions of a frame, in script order.
    std::vector<MouseAction> mouseAt(unsigned long frame) const;
    bool empty() const { return spans_.empty() && mouse_.empty(); }

private:
    struct Span {
        unsigned long first;
        unsigned long last;
        KeyCode key;
    };
    std::vector<Span> spans_;
    std::vector<MouseAction> mouse_; // in script order
};

} // namespace Velk
