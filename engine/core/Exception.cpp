#include "core/Exception.h"

#include "core/Log.h"

#include <utility> // Required for: std::move

namespace Velk {

// Builds the one-line description once, so what() never allocates.
Exception::Exception(Code code, std::string description, std::string source,
                     std::string file, long line)
    : code_(code), description_(std::move(description)), source_(std::move(source)),
      file_(std::move(file)), line_(line) {
    full_ = source_.empty() ? description_ : source_ + ": " + description_;
    if (!file_.empty()) {
        full_ += " (at " + file_;
        if (line_ > 0) full_ += ":" + std::to_string(line_);
        full_ += ")";
    }
    // Every engine error is recorded, whether or not someone catches it.
    Log::message("Exception: " + full_);
}

} // namespace Velk
