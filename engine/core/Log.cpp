#include "core/Log.h"

#include "core/Exception.h"

#include <chrono>  // Required for: std::chrono::system_clock
#include <ctime>   // Required for: localtime_r, std::strftime
#include <cstdio>  // Required for: std::snprintf

namespace Velk {

namespace {
Log* openLog = nullptr;

// "2026-12-06 23:16:04.123" in local time.
std::string timestamp() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", &local);
    char full[48];
    std::snprintf(full, sizeof full, "%s.%03d", date, static_cast<int>(millis));
    return full;
}
} // namespace

// Opens the file; a second log while one is open is a programming error.
Log::Log(const std::string& fileName) : name_(fileName), file_(fileName, std::ios::trunc) {
    if (!file_) {
        VELK_EXCEPT(ERR_CANNOT_WRITE_TO_FILE, "cannot open the log file '" + fileName + "' for writing",
                    "Log::Log");
    }
    if (openLog == nullptr) openLog = this;
}

// Closes the file and stops engine-wide logging into it.
Log::~Log() {
    if (openLog == this) openLog = nullptr;
}

// Each line is flushed so that the log survives a crash.
void Log::logMessage(const std::string& text) {
    file_ << timestamp() << ": " << text << '\n';
    file_.flush();
}

// The log the engine writes to, if one is open.
Log* Log::getSingletonPtr() { return openLog; }

// Convenience for engine code that may run with or without a log.
void Log::message(const std::string& text) {
    if (openLog != nullptr) openLog->logMessage(text);
}

} // namespace Velk
