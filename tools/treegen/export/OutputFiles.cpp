#include "OutputFiles.h"

#include <cerrno>     // Required for: errno
#include <cstdio>     // Required for: std::fopen, std::fwrite, std::rename, std::remove
#include <cstring>    // Required for: std::strerror
#include <stdexcept>  // Required for: std::runtime_error
#include <string>     // Required for: std::string

namespace {

std::string reason() { return std::strerror(errno); }

void removeAll(const std::vector<std::string>& paths) {
    for (const std::string& p : paths) std::remove(p.c_str());
}

} // namespace

void writeAllOrNothing(const std::vector<OutputFile>& files) {
    std::vector<std::string> temporaries;
    for (const OutputFile& file : files) {
        const std::string temporary = file.path + ".part";
        FILE* f = std::fopen(temporary.c_str(), "wb");
        if (!f) {
            const std::string why = reason();
            removeAll(temporaries);
            throw std::runtime_error("cannot write " + file.path + ": " + why);
        }
        temporaries.push_back(temporary);
        const bool written =
            file.bytes.empty() || std::fwrite(file.bytes.data(), 1, file.bytes.size(), f) == file.bytes.size();
        const std::string why = reason();
        if (std::fclose(f) != 0 || !written) {
            removeAll(temporaries);
            throw std::runtime_error("cannot write " + file.path + ": " + why);
        }
    }
    for (size_t i = 0; i < files.size(); ++i) {
        if (std::rename(temporaries[i].c_str(), files[i].path.c_str()) != 0) {
            const std::string why = reason();
            removeAll(temporaries);
            throw std::runtime_error("cannot write " + files[i].path + ": " + why);
        }
    }
}
