#pragma once

#include <array>      // Required for: std::array
#include <cstdio>     // Required for: popen, pclose, fread
#include <string>     // Required for: std::string
#include <sys/wait.h> // Required for: WIFEXITED, WEXITSTATUS

// The exit status and the output (standard output and error together) of a
// shell command, for tests that run the tools as a user does.
struct ProcessResult {
    int status;
    std::string out;
};

inline ProcessResult runCommand(const std::string& command) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, "popen failed"};
    std::string out;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}
