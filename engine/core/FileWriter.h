#pragma once

#include <string>      // Required for: std::string
#include <string_view> // Required for: std::string_view
#include <vector>      // Required for: std::vector

namespace Velk {

// Writes a whole file or nothing: the bytes go to a temporary file beside
// the destination, every write and the close are checked, and only then is
// the temporary renamed over the destination. A failure leaves the previous
// file as it was, removes the temporary and throws an engine error naming
// the file and the reason. A destination that is a symbolic link is
// replaced by the new file; the file it points to is not touched.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// Several files written together, every one or none: `stage` writes each to
// its temporary, `commit` checks every destination, then renames them all
// into place, putting back the previous files if a rename fails. Files
// staged but not committed are removed when the object goes.
class StagedFiles {
public:
    StagedFiles() = default;
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Writes the bytes to a temporary beside `path`; throws when it cannot.
    void stage(const std::string& path, std::string_view bytes);
    // Moves every staged file into place, or none of them; throws when it cannot.
    void commit();

private:
    struct Staged {
        std::string path;
        std::string temporary;
    };
    std::vector<Staged> staged_;
};

} // namespace Velk
