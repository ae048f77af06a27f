// Feeds arbitrary bytes to the key script reader. An engine error naming the
// script and a line is the expected answer to bad input; anything else (a
// crash, a sanitizer report, another exception type) is a finding.
#include "core/Exception.h"
#include "input/KeyScript.h"

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: std::uint8_t
#include <sstream> // Required for: std::istringstream
#include <string>  // Required for: std::string

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    Velk::KeyScript script;
    try {
        script.load(stream, "fuzz.keys");
    } catch (const Velk::Exception& error) {
        if (error.getFile() != "fuzz.keys" || error.getLine() <= 0) __builtin_trap();
        if (!script.empty()) __builtin_trap(); // a bad script keeps nothing
        return 0;
    }
    // Whatever was accepted answers for any frame, the first and the last too.
    for (unsigned long frame : {1ul, 2ul, 1000ul, 999999999999ul, ~0ul}) (void)script.keysAt(frame);
    return 0;
}
