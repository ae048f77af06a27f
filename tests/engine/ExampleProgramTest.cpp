// Runs the example program as a user runs it: the command line goes through
// main into the engine, and the state dump is read back.
#include "TempFolder.h"

#include <gtest/gtest.h>         // Required for: TEST, EXPECT_EQ
#include <nlohmann/json.hpp>     // Required for: nlohmann::json

#include <array>    // Required for: std::array
#include <filesystem> // Required for: std::filesystem
#include <cstdio>   // Required for: popen, pclose, fgets
#include <sys/wait.h> // Required for: WEXITSTATUS

namespace {
struct ProgramRun {
    int exitCode = -1;
    std::string output; // standard output and standard error together
};

// Runs the example in a folder with the given arguments, after the shell
// commands in `before` (limits for the program).
ProgramRun runExample(const TempFolder& folder, const std::string& arguments, const std::string& before = "") {
    const std::string command = "cd '" + folder.path("") + "' && " + before + "'" + std::string(VELK_EXAMPLE_PATH) +
                                "' " + arguments + " 2>&1";
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 512> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) run.output += buffer.data();
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
} // namespace

TEST(ExampleProgram, RunsOffscreenForAFixedNumberOfFramesAndDumpsItsState) {
    TempFolder folder;
    const ProgramRun run = runExample(folder, "--offscreen --frames 5 --frame-time 0.02 --size 80x60 "
                                       "--dump-state state.json --screenshot 5:last.png");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const nlohmann::json state = nlohmann::json::parse(TempFolder::read(folder.path("state.json")));
    EXPECT_EQ(state["frameCount"], 5);
    EXPECT_EQ(state["window"]["name"], "Velk Example");
    EXPECT_EQ(state["window"]["width"], 80);
    EXPECT_EQ(state["statistics"]["averageFPS"], 50.0);
    EXPECT_FALSE(TempFolder::read(folder.path("last.png")).empty());
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("Velk engine shut down"), std::string::npos);
}

TEST(ExampleProgram, ScriptedEscapeEndsTheProgram) {
    TempFolder folder;
    folder.write("keys.txt", "3 ESCAPE\n");
    const ProgramRun run = runExample(folder, "--offscreen --frames 50 --frame-time 0.02 --size 80x60 "
                                       "--key-script keys.txt --dump-state state.json");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(nlohmann::json::parse(TempFolder::read(folder.path("state.json")))["frameCount"], 3);
}

TEST(ExampleProgram, HelpListsTheAutomationOptions) {
    TempFolder folder;
    const ProgramRun run = runExample(folder, "--help");
    EXPECT_EQ(run.exitCode, 0);
    for (const char* option : {"--offscreen", "--frames", "--frame-time", "--key-script", "--screenshot",
                               "--dump-state", "--dialog-keys"})
        EXPECT_NE(run.output.find(option), std::string::npos) << option;
    EXPECT_FALSE(std::filesystem::exists(folder.path("Velk.log"))) << "help starts nothing";
}

TEST(ExampleProgram, EngineErrorsReachTheErrorDisplay) {
    TempFolder folder;
    folder.write("plugins.cfg", "RenderSystem=Nonexistent\n");
    const ProgramRun run = runExample(folder, "--offscreen --frames 2");
    EXPECT_EQ(run.exitCode, 1) << "an error is not a success";
    EXPECT_NE(run.output.find("An exception has occured!\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("plugins.cfg:1"), std::string::npos) << run.output;
}

TEST(ExampleProgram, BadOptionIsReportedNotIgnored) {
    TempFolder folder;
    ProgramRun run = runExample(folder, "--frames ten");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("--frames expects a frame number"), std::string::npos) << run.output;
    run = runExample(folder, "--frame-time nan --offscreen");
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_FALSE(std::filesystem::exists(folder.path("Velk.log"))) << "nothing started";
}

// A state dump on a full disk (files may grow to 512 bytes here; the signal
// that would end the program is ignored, so the write fails with EFBIG): the
// run fails with the file and the reason, and the previous dump is kept.
TEST(ExampleProgram, StateDumpOnAFullDiskFailsAndKeepsThePreviousDump) {
    TempFolder folder;
    folder.write("state.json", "previous");
    const ProgramRun run = runExample(folder, "--offscreen --frames 2 --size 80x60 --dump-state state.json");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string whole = TempFolder::read(folder.path("state.json"));
    ASSERT_GT(whole.size(), 512u) << "the dump must be larger than the limit below";

    folder.write("state.json", "previous");
    const ProgramRun full = runExample(folder, "--offscreen --frames 2 --size 80x60 --dump-state state.json",
                                       "trap '' XFSZ; ulimit -f 1; ");
    EXPECT_EQ(full.exitCode, 1) << full.output;
    EXPECT_NE(full.output.find("cannot write '" + std::string("state.json") + "': File too large"),
              std::string::npos)
        << full.output;
    EXPECT_EQ(TempFolder::read(folder.path("state.json")), "previous");
    for (const auto& entry : std::filesystem::directory_iterator(folder.path("")))
        EXPECT_EQ(entry.path().filename().string().rfind(".state.json", 0), std::string::npos)
            << "temporary left: " << entry.path();
}

// A screenshot whose name is a symbolic link replaces the link; the file it
// pointed to is untouched. A folder in the way is an error that ends the run.
TEST(ExampleProgram, ScreenshotReplacesALinkAndStopsAtAFolderInTheWay) {
    TempFolder folder;
    const std::string precious = folder.write("precious.txt", "not a picture");
    std::filesystem::create_symlink(precious, folder.path("shot.png"));
    ProgramRun run = runExample(folder, "--offscreen --frames 2 --size 80x60 --screenshot 1:shot.png");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(std::filesystem::is_symlink(folder.path("shot.png")));
    EXPECT_EQ(TempFolder::read(folder.path("shot.png")).substr(1, 3), "PNG");
    EXPECT_EQ(TempFolder::read(precious), "not a picture");

    std::filesystem::create_directories(folder.path("dir.png"));
    run = runExample(folder, "--offscreen --frames 2 --size 80x60 --screenshot 1:dir.png --dump-state state.json");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("cannot write 'dir.png': Is a directory"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(folder.path("state.json"))) << "the run ended at the failed screenshot";
}

TEST(ExampleProgram, CancelledDialogEndsQuietly) {
    TempFolder folder;
    const ProgramRun run = runExample(folder, "--offscreen --dialog-keys ESCAPE --dump-state state.json");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_FALSE(std::filesystem::exists(folder.path("state.json"))) << "the frame loop never ran";
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("Settings dialog cancelled"), std::string::npos);
}
