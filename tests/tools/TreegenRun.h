#pragma once

#include "ProcessRun.h" // Required for: ProcessResult, runCommand

#include <string> // Required for: std::string

// treegen run with these arguments (a shell command line's words), as a user
// runs it: its exit status and everything it wrote.
inline ProcessResult treegen(const std::string& args) { return runCommand(std::string(TREEGEN_PATH) + " " + args); }
