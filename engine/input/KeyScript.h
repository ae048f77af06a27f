#pragma once

#include "input/InputState.h" // Required for: InputState::KeySet
#include "input/KeyCodes.h"   // Required for: KeyCode

#include <istream> // Required for: std::istream
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

namespace Velk {

// Which keys are held on which frames, for runs without a person at the
// keyboard. One line per span: a frame number or range, then key names:
//
//     # comment
//     5 ESCAPE          held on frame 5 only
//     10-19 UP LEFT     held on frames 10 to 19
//
// Frames count from 1; key names are the key codes without "KC_".
class KeyScript {
public:
    // Reads a script file; a bad line is an engine error naming file and line.
    void load(const std::string& fileName);
    void load(std::istream& stream, const std::string& sourceName);

    // The keys held on a frame.
    InputState::KeySet keysAt(unsigned long frame) const;
    bool empty() const { return spans_.empty(); }

private:
    struct Span {
        unsigned long first;
        unsigned long last;
        KeyCode key;
    };
    std::vector<Span> spans_;
};

} // namespace Velk
