#pragma once

#include "ProcessRun.h" // Required for: ProcessResult, runCommand

#include <string> // Required for: std::string

// treegen run with these arguments (a shell command line's words), as a user
// runs it: its exit status and everything it wrote. `before` is shell text
// run first in the same shell: a limit or a trap the run must meet.
inline ProcessResult treegen(const std::string& args, const std::string& before = "") {
    return runCommand(before + "'" + std::string(TREEGEN_PATH) + "' " + args);
}
