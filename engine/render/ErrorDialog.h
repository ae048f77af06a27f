#pragma once

#include <string> // Required for: std::string

namespace Velk {

// Reports a fatal error to the person running the program: always on
// standard error, and in a modal error box with an OK button when a display
// is available and the run is not automated (no box would be answered).
void showErrorDialog(const std::string& caption, const std::string& text);

} // namespace Velk
