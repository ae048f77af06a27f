#include "input/PlatformManager.h"

#include "core/Log.h"
#include "input/InputReader.h"

#include <algorithm> // Required for: std::find_if
#include <string>    // Required for: std::to_string

namespace Velk {

// Defined here, where InputReader is complete.
PlatformManager::PlatformManager() = default;

// Readers still out are destroyed here; the log says so.
PlatformManager::~PlatformManager() {
    if (!readers_.empty())
        Log::message("Destroying " + std::to_string(readers_.size()) + " input reader(s) not given back");
}

// A new, uninitialised reader owned by this manager.
InputReader* PlatformManager::createInputReader() {
    readers_.push_back(std::make_unique<InputReader>());
    return readers_.back().get();
}

// Finds and destroys the reader.
void PlatformManager::destroyInputReader(InputReader* reader) {
    const auto found = std::find_if(readers_.begin(), readers_.end(),
                                    [reader](const std::unique_ptr<InputReader>& r) { return r.get() == reader; });
    if (found != readers_.end()) readers_.erase(found);
}

} // namespace Velk
