// Feeds arbitrary bytes to the configuration parser with every separator set
// and trimming choice the engine uses. Engine errors are the expected answer
// to bad input; anything else (a crash, a sanitizer report, another
// exception type) is a finding.
#include "core/ConfigFile.h"
#include "core/Exception.h"

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: std::uint8_t
#include <sstream> // Required for: std::istringstream
#include <string>  // Required for: std::string

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const char* const separatorSets[] = {"\t:=", "=", " \t", ":"};
    const std::size_t choice = data[0] % 8;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::istringstream stream(text);
    Velk::ConfigFile file;
    try {
        file.load(stream, "fuzz.cfg", separatorSets[choice % 4], choice >= 4);
    } catch (const Velk::Exception& error) {
        if (error.getLine() <= 0) __builtin_trap();
        return 0;
    }
    // Whatever was accepted must walk cleanly, sorted by key.
    std::string previous;
    std::size_t count = 0;
    for (auto i = file.getSettingsIterator(); i.hasMoreElements(); i.moveNext()) {
        if (i.peekNextKey() < previous || i.peekNextKey().empty()) __builtin_trap();
        previous = i.peekNextKey();
        ++count;
    }
    if (count != file.size()) __builtin_trap();
    return 0;
}
