#include "DemoRun.h"

#include "ProcessRun.h"

#include <filesystem> // Required for: std::filesystem
#include <fstream>    // Required for: std::ifstream, std::ofstream
#include <sstream>    // Required for: std::stringstream

namespace fs = std::filesystem;

namespace {
std::string readText(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
} // namespace

DemoRun runDemo(const std::string& program, const std::string& name, unsigned frames,
                const std::string& keyScript, const std::string& extraOptions,
                const std::function<void(const std::string& folder)>& prepare) {
    DemoRun run;
    const fs::path folder = fs::path(DEMO_RUN_DIR) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(fs::path(APP_DIR) / "resources.cfg", folder / "resources.cfg");
    fs::copy_file(fs::path(APP_DIR) / "plugins.cfg", folder / "plugins.cfg");
    std::ofstream(folder / "keys.txt") << keyScript << "\n";
    run.folder = folder.string();
    if (prepare) prepare(run.folder);

    const std::string command = "cd '" + folder.string() + "' && '" + program +
                                "' --offscreen --size 320x240 --frame-time 0.02 --frames " +
                                std::to_string(frames) + " --key-script keys.txt --dump-state state.json " +
                                extraOptions;
    const ProcessResult result = runCommand(command);
    run.status = result.status;
    run.output = result.out;
    const std::string dump = readText(folder / "state.json");
    if (!dump.empty()) run.state = nlohmann::json::parse(dump, nullptr, false);
    run.log = readText(folder / "Velk.log");
    return run;
}
