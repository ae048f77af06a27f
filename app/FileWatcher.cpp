#include "FileWatcher.h"

#include <sys/stat.h> // Required for: stat

#include <utility> // Required for: std::move

FileWatcher::FileWatcher(std::string path) : path_(std::move(path)), last_(look()) {}

// One stat call; a file that cannot be read counts as missing.
FileWatcher::Stamp FileWatcher::look() const {
    Stamp stamp;
    struct stat info {};
    if (path_.empty() || ::stat(path_.c_str(), &info) != 0) return stamp;
    stamp.exists = true;
    stamp.seconds = static_cast<int64_t>(info.st_mtim.tv_sec);
    stamp.nanoseconds = static_cast<int64_t>(info.st_mtim.tv_nsec);
    stamp.size = static_cast<int64_t>(info.st_size);
    stamp.inode = static_cast<uint64_t>(info.st_ino);
    return stamp;
}

bool FileWatcher::changed() {
    if (path_.empty()) return false;
    const Stamp now = look();
    if (now == last_) return false;
    last_ = now;
    return true;
}
