// Feeds arbitrary bytes to the program's reading of "resources.cfg": the
// real registration of the demonstration (written to the fuzzer's working
// folder, read from there) into a fresh resource manager. An engine error
// naming the file and a line is the expected answer to bad input.
#include "DemoApplication.h"
#include "core/Exception.h"
#include "core/ResourceManager.h"

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: std::uint8_t
#include <fstream> // Required for: std::ofstream

namespace {
// The demonstration's frame with only its resource registration in use.
class ResourcesOnly : public DemoApplication {
public:
    using DemoApplication::registerResourceLocations;

protected:
    void createScene() override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream("resources.cfg", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Velk::ResourceManager resources;
    ResourcesOnly application;
    try {
        application.registerResourceLocations();
    } catch (const Velk::Exception& error) {
        if (error.getFile() != "resources.cfg" || error.getLine() <= 0) __builtin_trap();
        return 0;
    }
    // What was registered is searchable (the file itself is in "." if that was given).
    for (const Velk::ResourceManager::Location& location : Velk::ResourceManager::getLocations()) {
        if (location.type != "FileSystem" || location.name.empty()) __builtin_trap();
        (void)Velk::ResourceManager::resourceExists("resources.cfg");
    }
    return 0;
}
