#include "core/FileWriter.h"

#include "core/Exception.h"

#include <cerrno>       // Required for: errno, EINTR
#include <cstdio>       // Required for: std::rename
#include <cstring>      // Required for: std::strerror
#include <fcntl.h>      // Required for: open flags
#include <stdlib.h>     // Required for: mkstemp
#include <sys/stat.h>   // Required for: lstat, fchmod, umask, S_ISDIR
#include <unistd.h>     // Required for: write, close, unlink

namespace Velk {

namespace {

constexpr const char* kOperation = "writeFileAtomically";

// "cannot write 'path': reason", thrown as the engine's write error.
[[noreturn]] void failWrite(const std::string& path, const std::string& reason, const char* operation) {
    throw Exception(Exception::ERR_CANNOT_WRITE_TO_FILE, "cannot write '" + path + "': " + reason, operation);
}

// The folder part of a path with its slash ("" for the current folder).
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Makes a new, empty, uniquely named file beside `path`: ".name.XXXXXX".
// Returns its descriptor and sets `temporary`; -1 (errno set) on failure.
int makeTemporaryBeside(const std::string& path, const std::string& suffix, std::string& temporary) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string pattern = folderOf(path) + "." + name + suffix + ".XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd >= 0) temporary = pattern;
    return fd;
}

// The permissions a newly created file would get (mkstemp gives 0600).
mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

// Writes every byte, going on after short writes and interruptions.
bool writeAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Writes the bytes to a new temporary beside `path` and returns its name;
// nothing is left behind when it throws.
std::string writeTemporary(const std::string& path, std::string_view bytes, const char* operation) {
    if (path.empty() || path.back() == '/') failWrite(path, "not a file name", operation);
    std::string temporary;
    const int fd = makeTemporaryBeside(path, "", temporary);
    if (fd < 0) failWrite(path, std::strerror(errno), operation);
    bool ok = fchmod(fd, newFileMode()) == 0 && writeAll(fd, bytes);
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        failWrite(path, std::strerror(error), operation);
    }
    return temporary;
}

// A destination that rename cannot replace: an existing folder.
void checkDestination(const std::string& path, const char* operation) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) failWrite(path, std::strerror(EISDIR), operation);
}

} // namespace

// The rename is the only step that touches the destination.
void writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string temporary = writeTemporary(path, bytes, kOperation);
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        failWrite(path, std::strerror(error), kOperation);
    }
}

StagedFiles::~StagedFiles() {
    for (const Staged& file : staged_) ::unlink(file.temporary.c_str());
}

// Staging the same destination twice keeps the later bytes.
void StagedFiles::stage(const std::string& path, std::string_view bytes) {
    const std::string temporary = writeTemporary(path, bytes, "StagedFiles::stage");
    for (Staged& file : staged_) {
        if (file.path == path) {
            ::unlink(file.temporary.c_str());
            file.temporary = temporary;
            return;
        }
    }
    staged_.push_back({path, temporary});
}

// Each previous file is kept aside under a temporary name until every new
// file is in place, so that a failed rename can put all of them back.
void StagedFiles::commit() {
    const char* const operation = "StagedFiles::commit";
    for (const Staged& file : staged_) checkDestination(file.path, operation);

    struct Done {
        const Staged* file;
        std::string backup; // empty when there was no previous file
    };
    std::vector<Done> done;
    // Puts back what was there before, newest first.
    const auto undo = [&done] {
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            if (it->backup.empty()) {
                ::unlink(it->file->path.c_str());
            } else {
                std::rename(it->backup.c_str(), it->file->path.c_str());
            }
        }
    };
    for (const Staged& file : staged_) {
        std::string backup;
        struct stat info {};
        if (::lstat(file.path.c_str(), &info) == 0) {
            const int fd = makeTemporaryBeside(file.path, ".previous", backup);
            bool kept = fd >= 0;
            int error = errno;
            if (kept) {
                ::close(fd);
                kept = std::rename(file.path.c_str(), backup.c_str()) == 0;
                error = errno;
                if (!kept) ::unlink(backup.c_str());
            }
            if (!kept) {
                undo();
                failWrite(file.path, std::strerror(error), operation);
            }
        }
        if (std::rename(file.temporary.c_str(), file.path.c_str()) != 0) {
            const int error = errno;
            if (!backup.empty()) std::rename(backup.c_str(), file.path.c_str());
            undo();
            failWrite(file.path, std::strerror(error), operation);
        }
        done.push_back({&file, backup});
    }
    for (const Done& d : done)
        if (!d.backup.empty()) ::unlink(d.backup.c_str());
    staged_.clear();
}

} // namespace Velk
