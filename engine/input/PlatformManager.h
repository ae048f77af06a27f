#pragma once

#include "core/Singleton.h" // Required for: Singleton

#include <cstddef> // Required for: std::size_t
#include <memory>  // Required for: std::unique_ptr
#include <vector>  // Required for: std::vector

namespace Velk {

class InputReader;

// Hands out input readers. The engine root owns the one instance; readers
// not given back are destroyed with it.
class PlatformManager : public Singleton<PlatformManager> {
public:
    static constexpr const char* singletonName = "PlatformManager";

    PlatformManager();
    ~PlatformManager();

    InputReader* createInputReader();
    // Destroys a reader made by createInputReader; others are ignored.
    void destroyInputReader(InputReader* reader);
    std::size_t getInputReaderCount() const { return readers_.size(); }

private:
    std::vector<std::unique_ptr<InputReader>> readers_;
};

} // namespace Velk
