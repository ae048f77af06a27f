#pragma once

#include <cstdint> // Required for: int64_t, uint64_t
#include <string>  // Required for: std::string

// Notices when a file changes on disk: its modification time, size or
// inode (editors that save by renaming a new file into place) differ from
// the last look. Cheap enough to ask on every frame.
class FileWatcher {
public:
    FileWatcher() = default;
    // Watches `path` from its present state on.
    explicit FileWatcher(std::string path);

    // Whether the file changed since the last call (or construction). A file
    // that disappears is a change; so is its coming back.
    bool changed();
    const std::string& getPath() const { return path_; }
    bool isWatching() const { return !path_.empty(); }

private:
    struct Stamp {
        bool exists = false;
        int64_t seconds = 0;
        int64_t nanoseconds = 0;
        int64_t size = 0;
        uint64_t inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp look() const;

    std::string path_;
    Stamp last_;
};
