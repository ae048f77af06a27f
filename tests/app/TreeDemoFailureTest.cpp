// The tree demonstration given bad configuration, scripts and media: each
// ends with the error display and exit status 1, never as a success and
// never with a crash. Text that is not UTF-8 still gives a state dump.
#include "DemoRun.h"

#include <filesystem> // Required for: std::filesystem
#include <fstream>    // Required for: std::ifstream, std::ofstream
#include <iterator>   // Required for: std::istreambuf_iterator

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The build's media folder, which resources.cfg points at.
const fs::path kMedia = fs::path(APP_DIR).parent_path() / "media";

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// A run whose resources.cfg lists the folder "extra" (holding `files`)
// before the build's media, so that its files are found first.
DemoRun runWithExtraMedia(const std::string& name, const std::vector<std::pair<std::string, std::string>>& files,
                          const std::string& extraFolder = "extra") {
    return runDemo(TREEDEMO_PATH, name, 3, "", "", [&](const std::string& folder) {
        const fs::path extra = fs::path(folder) / extraFolder;
        fs::create_directories(extra);
        for (const auto& [file, bytes] : files) writeBytes(extra / file, bytes);
        writeBytes(fs::path(folder) / "resources.cfg",
                   "FileSystem=" + extra.string() + "\nFileSystem=" + kMedia.string() + "\n");
    });
}

// Exit status 1 after the error display, with every piece of `expected` in
// the output and none of `unexpected`.
void expectFailure(const DemoRun& run, const std::vector<std::string>& expected,
                   const std::vector<std::string>& unexpected = {}) {
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("An exception has occured!\n"), std::string::npos) << run.output;
    for (const std::string& text : expected) EXPECT_NE(run.output.find(text), std::string::npos) << text << "\n" << run.output;
    for (const std::string& text : unexpected) EXPECT_EQ(run.output.find(text), std::string::npos) << text << "\n" << run.output;
}

} // namespace

TEST(TreeDemoFailures, BadConfigurationFilesEndWithStatusOne) {
    expectFailure(runDemo(TREEDEMO_PATH, "bad-plugins", 3, "", "",
                          [](const std::string& folder) {
                              writeBytes(fs::path(folder) / "plugins.cfg", "RenderSystem=Nonexistent\n");
                          }),
                  {"plugins.cfg:1", "render system 'Nonexistent' is not available"});
    expectFailure(runDemo(TREEDEMO_PATH, "bad-resources-type", 3, "", "",
                          [](const std::string& folder) {
                              writeBytes(fs::path(folder) / "resources.cfg", "Zip=" + kMedia.string() + "\n");
                          }),
                  {"resources.cfg:1", "unknown archive type 'Zip'"});
    expectFailure(runDemo(TREEDEMO_PATH, "bad-resources-folder", 3, "", "",
                          [](const std::string& folder) {
                              writeBytes(fs::path(folder) / "resources.cfg", "FileSystem=/no/such/folder\n");
                          }),
                  {"resources.cfg:1", "resource folder '/no/such/folder' does not exist"});
    // The saved settings are the program's own: a broken file is logged and
    // the defaults stand, so the run goes on.
    const DemoRun settings = runDemo(TREEDEMO_PATH, "bad-settings", 3, "", "", [](const std::string& folder) {
        writeBytes(fs::path(folder) / "velk.cfg", "Video Mode=huge\nno equals sign here\n");
    });
    EXPECT_EQ(settings.status, 0) << settings.output;
    EXPECT_NE(settings.log.find("Settings file 'velk.cfg' ignored"), std::string::npos) << settings.log;
}

TEST(TreeDemoFailures, BadScriptsEndWithStatusOne) {
    expectFailure(runWithExtraMedia("bad-material", {{"broken.material", "material Broken\n{\n    diffuse nan 0 0\n}\n"}}),
                  {"broken.material:3", "expected a finite number for 'diffuse', found 'nan'"});
    expectFailure(
        runWithExtraMedia("bad-overlay", {{"broken.overlay", "overlay Broken\n{\n panel P\n {\n  size 10 inf\n }\n}\n"}}),
        {"broken.overlay:5", "expected two finite numbers of at least 0"});
}

// A texture cut short or missing ends the run naming the texture and the
// reason; a JPEG is never reported with another format's reason.
TEST(TreeDemoFailures, BadAndMissingTexturesEndWithStatusOne) {
    const std::string leaves = readBytes(kMedia / "tree_leaves_pack1.tga");
    const std::string bark = readBytes(kMedia / "tree_bark.jpg");
    ASSERT_GT(leaves.size(), 1000u);
    ASSERT_GT(bark.size(), 1000u);
    expectFailure(runWithExtraMedia("cut-tga", {{"tree_leaves_pack1.tga", leaves.substr(0, leaves.size() / 2)}}),
                  {"cannot decode texture 'tree_leaves_pack1.tga'", "TGA data: the file is cut short"});
    expectFailure(runWithExtraMedia("cut-jpeg", {{"tree_bark.jpg", bark.substr(0, bark.size() / 2)}}),
                  {"cannot decode texture 'tree_bark.jpg'", "JPEG data: the file is cut short"}, {"png"});
    // Cut inside its tables but ending with an end marker: the decoder
    // itself refuses it, and the reason is still the JPEG's.
    expectFailure(runWithExtraMedia("corrupt-jpeg", {{"tree_bark.jpg", bark.substr(0, 200) + "\xFF\xDA\xFF\xD9"}}),
                  {"cannot decode texture 'tree_bark.jpg'", "corrupt JPEG data"}, {"png"});
    // Only the scripts and the sky: the bark texture is nowhere.
    expectFailure(runDemo(TREEDEMO_PATH, "missing-texture", 3, "", "",
                          [](const std::string& folder) {
                              const fs::path media = fs::path(folder) / "media";
                              fs::create_directories(media);
                              for (const auto& entry : fs::directory_iterator(kMedia))
                                  if (entry.path().filename() != "tree_bark.jpg")
                                      fs::copy_file(entry.path(), media / entry.path().filename());
                              writeBytes(fs::path(folder) / "resources.cfg", "FileSystem=" + media.string() + "\n");
                          }),
                  {"cannot find resource 'tree_bark.jpg'"});
}

// Names, captions and folders are bytes on Linux: ones that are not UTF-8
// are written replaced in the state dump, which stays valid JSON.
TEST(TreeDemoFailures, TextThatIsNotUtf8StillGivesAStateDump) {
    const DemoRun run = runWithExtraMedia(
        "not-utf8",
        {{"names.material", "material Caf\xE9\n{\n    diffuse 1 0 0\n}\n"},
         {"names.overlay", "overlay Odd\xFF\n{\n text Odd\xFE/Text\n {\n  caption \"\xE9t\xE9\"\n }\n}\n"}},
        "extra\xFF");
    EXPECT_EQ(run.status, 0) << run.output;
    ASSERT_TRUE(run.state.is_object()) << run.output;
    const std::string replaced = "\xEF\xBF\xBD"; // U+FFFD
    bool folderSeen = false;
    for (const auto& location : run.state["resourceLocations"])
        folderSeen = folderSeen || location["name"].get<std::string>().find("extra" + replaced) != std::string::npos;
    EXPECT_TRUE(folderSeen) << run.state["resourceLocations"].dump();
    bool materialSeen = false;
    for (const auto& material : run.state["materials"]) materialSeen = materialSeen || material["name"] == "Caf" + replaced;
    EXPECT_TRUE(materialSeen) << run.state["materials"].dump();
    ASSERT_TRUE(run.state["overlays"].contains("Odd" + replaced)) << run.state["overlays"].dump();
    EXPECT_EQ(run.state["overlays"]["Odd" + replaced]["elements"]["Odd" + replaced + "/Text"]["caption"],
              replaced + "t" + replaced);
}

// A state dump on a full disk (files may grow to 2 kB, the dump is about 6; the signal that would
// end the program is ignored, so writes fail with EFBIG): status 1, the file
// and the reason, and the previous dump kept whole.
TEST(TreeDemoFailures, StateDumpOnAFullDiskEndsWithStatusOne) {
    const DemoRun run = runDemo("./limited.sh", "full-disk", 3, "", "", [](const std::string& folder) {
        writeBytes(fs::path(folder) / "limited.sh",
                   "#!/bin/sh\ntrap '' XFSZ\nulimit -f 4\nexec '" + std::string(TREEDEMO_PATH) + "' \"$@\"\n");
        fs::permissions(fs::path(folder) / "limited.sh", fs::perms::owner_all);
        writeBytes(fs::path(folder) / "state.json", "previous");
    });
    expectFailure(run, {"cannot write 'state.json': File too large"});
    EXPECT_EQ(readBytes(fs::path(run.folder) / "state.json"), "previous");
    for (const auto& entry : fs::directory_iterator(run.folder))
        EXPECT_EQ(entry.path().filename().string().rfind(".state.json", 0), std::string::npos) << entry.path();
}

// Ending as asked is not an error: a cancelled settings dialog gives 0, as
// Escape does, and a command line the program cannot use gives 2.
TEST(TreeDemoFailures, CancelIsStatusZeroAndABadCommandLineIsTwo) {
    const DemoRun cancelled = runDemo(TREEDEMO_PATH, "cancel", 3, "", "--dialog-keys ESCAPE");
    EXPECT_EQ(cancelled.status, 0) << cancelled.output;
    EXPECT_TRUE(cancelled.state.is_null()) << "the frame loop never ran";
    const DemoRun badOption = runDemo(TREEDEMO_PATH, "bad-option", 3, "", "--frame-time nan");
    EXPECT_EQ(badOption.status, 2) << badOption.output;
    EXPECT_NE(badOption.output.find("--frame-time expects seconds"), std::string::npos) << badOption.output;
}
