// treegen given bad numbers, a full disk, a folder in the way, a link at the
// destination and a shared temporary folder with files planted in it.
#include "TempFolder.h"
#include "TreegenRun.h"

#include <algorithm>  // Required for: std::sort

#include <filesystem> // Required for: std::filesystem
#include <fstream>    // Required for: std::ofstream
#include <map>        // Required for: std::map
#include <vector>     // Required for: std::vector

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// A fresh folder for one test.
fs::path folderFor(const std::string& test) {
    const fs::path dir = fs::path(RENDER_DIR) / "failures" / test;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void writeBytes(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

// The names in a folder, sorted.
std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// NaN passes every range check (its comparisons are all false), so it must
// be refused first; so must values beyond a float.
TEST(TreegenFailures, CameraNumbersMustBeFiniteAndInRange) {
    const fs::path dir = folderFor("numbers");
    const std::string out = " -o '" + (dir / "tree.png").string() + "'";
    for (const char* option : {"--elevation nan", "--elevation inf", "--azimuth nan", "--azimuth -inf",
                               "--distance nan", "--distance 1e39", "--distance inf", "--azimuth 1e39"}) {
        const ProcessResult run = treegen(std::string("render --species 1 --size 32x32 ") + option + out);
        EXPECT_EQ(run.status, 2) << option << ": " << run.out;
        EXPECT_NE(run.out.find("expected a finite number"), std::string::npos) << option << ": " << run.out;
    }
    EXPECT_TRUE(fs::is_empty(dir));
}

// A folder in the way of the third file (the bark texture): the previous
// export stays exactly as it was and nothing is left beside it.
TEST(TreegenFailures, ExportWritesEveryFileOrNone) {
    const fs::path dir = folderFor("export");
    const std::string gltf = "'" + (dir / "tree.gltf").string() + "'";
    ASSERT_EQ(treegen("export --species 1 --seed 3 -o " + gltf).status, 0);
    const std::vector<std::string> files = namesIn(dir);
    ASSERT_EQ(files, (std::vector<std::string>{"tree.bin", "tree.gltf", "tree_bark.jpg", "tree_leaves_pack1.png"}));
    std::map<std::string, std::string> before;
    for (const std::string& file : files) before[file] = TempFolder::read(dir / file);

    fs::remove(dir / "tree_bark.jpg");
    fs::create_directories(dir / "tree_bark.jpg");
    const ProcessResult run = treegen("export --species 4 --seed 7 -o " + gltf);
    EXPECT_NE(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("tree_bark.jpg': Is a directory"), std::string::npos) << run.out;
    EXPECT_EQ(namesIn(dir), files) << "no temporary left";
    for (const char* file : {"tree.bin", "tree.gltf", "tree_leaves_pack1.png"})
        EXPECT_TRUE(TempFolder::read(dir / file) == before[file]) << file << " was replaced";

    // A full disk (files may grow to 1 MB; the signal is ignored, so the
    // write of the 5 MB buffer fails with EFBIG): again nothing changes.
    fs::remove(dir / "tree_bark.jpg");
    writeBytes(dir / "tree_bark.jpg", before["tree_bark.jpg"]);
    const ProcessResult full = treegen("export --species 4 --seed 7 -o " + gltf, "trap '' XFSZ; ulimit -f 2048; ");
    EXPECT_NE(full.status, 0) << full.out;
    EXPECT_NE(full.out.find("tree.bin': File too large"), std::string::npos) << full.out;
    EXPECT_EQ(namesIn(dir), files) << "no temporary left";
    for (const std::string& file : files) EXPECT_TRUE(TempFolder::read(dir / file) == before[file]) << file << " was replaced";

    // A link at the destination is replaced; what it pointed to is kept.
    writeBytes(dir / "precious.txt", "keep me");
    fs::remove(dir / "tree.gltf");
    fs::create_symlink(dir / "precious.txt", dir / "tree.gltf");
    ASSERT_EQ(treegen("export --species 1 --seed 3 -o " + gltf).status, 0);
    EXPECT_FALSE(fs::is_symlink(dir / "tree.gltf"));
    EXPECT_EQ(TempFolder::read(dir / "tree.gltf"), before["tree.gltf"]);
    EXPECT_EQ(TempFolder::read(dir / "precious.txt"), "keep me");
}

// The render's own settings and log live in a folder made for the run and
// removed after it: files planted under the old fixed names change nothing,
// and nothing is left in the temporary folder.
TEST(TreegenFailures, RenderUsesAPrivateTemporaryFolderAndWritesItsPictureWhole) {
    const fs::path dir = folderFor("render");
    const fs::path shared = dir / "tmp";
    fs::create_directories(shared);
    fs::create_directories(shared / "treegen-plugins.cfg");
    writeBytes(shared / "treegen-velk.cfg", "Video Mode=nonsense\n");
    fs::create_directories(shared / "treegen-render.log");
    const std::string env = "TMPDIR='" + shared.string() + "' ";
    const std::string png = "'" + (dir / "tree.png").string() + "'";
    ProcessResult run = treegen("render --species 1 --size 64x48 -o " + png, env);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(namesIn(shared), (std::vector<std::string>{"treegen-plugins.cfg", "treegen-render.log",
                                                        "treegen-velk.cfg"}));
    EXPECT_EQ(TempFolder::read(shared / "treegen-velk.cfg"), "Video Mode=nonsense\n");
    const std::string picture = TempFolder::read(dir / "tree.png");
    ASSERT_EQ(picture.substr(1, 3), "PNG");

    // A failed render (here a texture folder that does not exist) removes its folder too.
    run = treegen("render --species 1 --size 64x48 --media /no/such/media -o " + png, env);
    EXPECT_NE(run.status, 0) << run.out;
    EXPECT_EQ(namesIn(shared).size(), 3u) << "the run's folder is gone";

    // A full disk keeps the previous picture and leaves no temporary.
    run = treegen("render --species 1 --size 640x480 -o " + png, env + "trap '' XFSZ; ulimit -f 1; ");
    EXPECT_NE(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("File too large"), std::string::npos) << run.out;
    EXPECT_EQ(TempFolder::read(dir / "tree.png"), picture);
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"tmp", "tree.png"}));
}
