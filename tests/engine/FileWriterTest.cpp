// Files written whole or not at all: a full disk, a folder in the way, a
// read-only folder and a symbolic link at the destination.
#include "core/Exception.h"
#include "core/FileWriter.h"

#include "TempFolder.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

#include <algorithm>      // Required for: std::sort
#include <csignal>        // Required for: std::signal, SIGXFSZ
#include <filesystem>     // Required for: std::filesystem
#include <functional>     // Required for: std::function
#include <string>         // Required for: std::string
#include <sys/resource.h> // Required for: setrlimit, RLIMIT_FSIZE
#include <sys/wait.h>     // Required for: waitpid
#include <unistd.h>       // Required for: fork, pipe, geteuid
#include <vector>         // Required for: std::vector

namespace fs = std::filesystem;
using Velk::Exception;
using Velk::StagedFiles;
using Velk::writeFileAtomically;

namespace {

// The names in a folder, sorted.
std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The description of the engine error `write` throws, or "" when none.
template <class Write>
std::string errorOf(Write write) {
    try {
        write();
    } catch (const Exception& error) {
        return error.getFullDescription();
    }
    return {};
}

// Runs `write` in a child process whose files may grow to `limit` bytes, as
// on a nearly full disk: writes past it fail with EFBIG (the signal the
// kernel would send is ignored). Returns the error it reported.
std::string errorWithFileSizeLimit(rlim_t limit, const std::function<void()>& write) {
    int channel[2];
    if (pipe(channel) != 0) return "pipe failed";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit size{limit, limit};
        setrlimit(RLIMIT_FSIZE, &size);
        const std::string error = errorOf(write);
        const ssize_t sent = ::write(channel[1], error.data(), error.size());
        _exit(sent == static_cast<ssize_t>(error.size()) ? 0 : 1);
    }
    close(channel[1]);
    std::string error;
    char buffer[256];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) error.append(buffer, static_cast<size_t>(n));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return error;
}

} // namespace

TEST(FileWriter, WritesNewFilesAndReplacesOldOnesLeavingNoTemporary) {
    TempFolder folder;
    const std::string file = folder.path("out.bin");
    writeFileAtomically(file, "first");
    EXPECT_EQ(TempFolder::read(file), "first");
    writeFileAtomically(file, std::string("second\0with a zero", 18));
    EXPECT_EQ(TempFolder::read(file), std::string("second\0with a zero", 18));
    writeFileAtomically(folder.path("empty.bin"), "");
    EXPECT_TRUE(fs::is_regular_file(folder.path("empty.bin")));
    EXPECT_EQ(namesIn(folder.path("")), (std::vector<std::string>{"empty.bin", "out.bin"}));
    // The permissions of a file made the ordinary way, not the temporary's 0600.
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_read, fs::perms::none);
    EXPECT_NE(fs::status(file).permissions() & fs::perms::group_read, fs::perms::none);
}

// On a full disk the write fails with its reason, the previous file is as it
// was and no temporary is left.
TEST(FileWriter, FullDiskKeepsThePreviousFile) {
    TempFolder folder;
    const std::string file = folder.path("state.json");
    writeFileAtomically(file, "previous");
    const std::string error =
        errorWithFileSizeLimit(1000, [&] { writeFileAtomically(file, std::string(5000, 'x')); });
    EXPECT_NE(error.find("cannot write '" + file + "'"), std::string::npos) << error;
    EXPECT_NE(error.find("File too large"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::read(file), "previous");
    EXPECT_EQ(namesIn(folder.path("")), std::vector<std::string>{"state.json"});
}

TEST(FileWriter, FolderInTheWayAndMissingFolder) {
    TempFolder folder;
    fs::create_directories(folder.path("shot.png"));
    std::string error = errorOf([&] { writeFileAtomically(folder.path("shot.png"), "png"); });
    EXPECT_NE(error.find("shot.png"), std::string::npos) << error;
    EXPECT_NE(error.find("Is a directory"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(folder.path("shot.png")));
    EXPECT_EQ(namesIn(folder.path("")), std::vector<std::string>{"shot.png"});

    error = errorOf([&] { writeFileAtomically(folder.path("missing/shot.png"), "png"); });
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

// Permissions do not stop root, so there the full-disk test stands for it.
TEST(FileWriter, ReadOnlyFolderKeepsThePreviousFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders; the full-disk test covers failed writes";
    TempFolder folder;
    fs::create_directories(folder.path("locked"));
    writeFileAtomically(folder.path("locked/a.txt"), "previous");
    fs::permissions(folder.path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    const std::string error = errorOf([&] { writeFileAtomically(folder.path("locked/a.txt"), "new"); });
    fs::permissions(folder.path("locked"), fs::perms::owner_all);
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::read(folder.path("locked/a.txt")), "previous");
    EXPECT_EQ(namesIn(folder.path("locked")), std::vector<std::string>{"a.txt"});
}

// The link itself is replaced; the file it pointed to keeps its content.
TEST(FileWriter, SymbolicLinkAtTheDestinationIsReplacedNotFollowed) {
    TempFolder folder;
    const std::string target = folder.write("precious.txt", "keep me");
    fs::create_symlink(target, folder.path("link.txt"));
    writeFileAtomically(folder.path("link.txt"), "new picture");
    EXPECT_FALSE(fs::is_symlink(folder.path("link.txt")));
    EXPECT_EQ(TempFolder::read(folder.path("link.txt")), "new picture");
    EXPECT_EQ(TempFolder::read(target), "keep me");
}

// A folder in the way of the third file: the first two keep their previous
// content, nothing new appears and no temporary is left.
TEST(FileWriter, StagedFilesAreAllWrittenOrNone) {
    TempFolder folder;
    writeFileAtomically(folder.path("tree.gltf"), "old gltf");
    writeFileAtomically(folder.path("tree.bin"), "old bin");
    fs::create_directories(folder.path("bark.jpg"));
    std::string error = errorOf([&] {
        StagedFiles files;
        files.stage(folder.path("tree.gltf"), "new gltf");
        files.stage(folder.path("tree.bin"), "new bin");
        files.stage(folder.path("bark.jpg"), "new jpg");
        files.stage(folder.path("leaves.png"), "new png");
        files.commit();
    });
    EXPECT_NE(error.find("bark.jpg"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::read(folder.path("tree.gltf")), "old gltf");
    EXPECT_EQ(TempFolder::read(folder.path("tree.bin")), "old bin");
    EXPECT_EQ(namesIn(folder.path("")), (std::vector<std::string>{"bark.jpg", "tree.bin", "tree.gltf"}));

    // A full disk while staging: again nothing changes.
    error = errorWithFileSizeLimit(100, [&] {
        StagedFiles files;
        files.stage(folder.path("tree.gltf"), "new gltf");
        files.stage(folder.path("tree.bin"), std::string(1000, 'b'));
        files.commit();
    });
    EXPECT_NE(error.find("File too large"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::read(folder.path("tree.gltf")), "old gltf");
    EXPECT_EQ(namesIn(folder.path("")), (std::vector<std::string>{"bark.jpg", "tree.bin", "tree.gltf"}));

    fs::remove(folder.path("bark.jpg"));
    StagedFiles files;
    files.stage(folder.path("tree.gltf"), "new gltf");
    files.stage(folder.path("tree.bin"), "new bin");
    files.stage(folder.path("bark.jpg"), "new jpg");
    files.commit();
    EXPECT_EQ(TempFolder::read(folder.path("tree.gltf")), "new gltf");
    EXPECT_EQ(TempFolder::read(folder.path("bark.jpg")), "new jpg");
    EXPECT_EQ(namesIn(folder.path("")), (std::vector<std::string>{"bark.jpg", "tree.bin", "tree.gltf"}));
}
