// Runs the example program as a user runs it: the command line goes through
// main into the engine, and the state dump is read back.
#include "TempFolder.h"

#include <gtest/gtest.h>         // Required for: TEST, EXPECT_EQ
#include <nlohmann/json.hpp>     // Required for: nlohmann::json

#include <array>    // Required for: std::array
#include <cstdio>   // Required for: popen, pclose, fgets
#include <sys/wait.h> // Required for: WEXITSTATUS

namespace {
struct ProgramRun {
    int exitCode = -1;
    std::string output; // standard output and standard error together
};

// Runs the example in a folder with the given arguments.
ProgramRun runExample(const TempFolder& folder, const std::string& arguments) {
    const std::string command =
        "cd '" + folder.path("") + "' && '" + std::string(VELK_EXAMPLE_PATH) + "' " + arguments + " 2>&1";
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
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.output.find("An exception has occured!\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("plugins.cfg:1"), std::string::npos) << run.output;
}

TEST(ExampleProgram, BadOptionIsReportedNotIgnored) {
    TempFolder folder;
    const ProgramRun run = runExample(folder, "--frames ten");
    EXPECT_NE(run.output.find("--frames expects a frame number"), std::string::npos) << run.output;
}

TEST(ExampleProgram, CancelledDialogEndsQuietly) {
    TempFolder folder;
    const ProgramRun run = runExample(folder, "--offscreen --dialog-keys ESCAPE --dump-state state.json");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_FALSE(std::filesystem::exists(folder.path("state.json"))) << "the frame loop never ran";
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("Settings dialog cancelled"), std::string::npos);
}
