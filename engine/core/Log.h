#pragma once

#include <fstream> // Required for: std::ofstream
#include <string>  // Required for: std::string

namespace Velk {

// The engine's log file: one timestamped line per event (start-up, the GL
// version, resource locations, windows, meshes, textures, exceptions,
// shut-down). The running engine owns exactly one; engine code writes to it
// through Log::message, which does nothing while no log is open.
class Log {
public:
    // Opens (and truncates) the log file; throws when it cannot be written.
    explicit Log(const std::string& fileName);
    ~Log();
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    // Appends one line, prefixed with the local date and time.
    void logMessage(const std::string& text);

    const std::string& getName() const { return name_; }

    // The open log, or nullptr.
    static Log* getSingletonPtr();
    // Writes a line to the open log, if there is one.
    static void message(const std::string& text);

private:
    std::string name_;
    std::ofstream file_;
};

} // namespace Velk
