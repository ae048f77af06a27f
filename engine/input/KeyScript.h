#pragma once

#include "input/InputState.h" // Required for: InputState::KeySet
#include "input/KeyCodes.h"   // Required for: KeyCode

#include <cstddef> // Required for: std::size_t
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
// Frames count from 1; key names are the key codes without "KC_". A script
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
