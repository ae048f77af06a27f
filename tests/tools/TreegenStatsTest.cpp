// treegen stats, run as a separate process the way a user runs it.
#include "TreegenRun.h"

#include <cmath>             // Required for: std::sqrt
#include <nlohmann/json.hpp> // Required for: nlohmann::json
#include <string>            // Required for: std::string

#include <gtest/gtest.h>

namespace {

} // namespace

TEST(TreegenStats, JsonOfQuakingAspenSeedZero) {
    const ProcessResult run = treegen("stats --species \"quaking aspen\" --seed 0 --json");
    ASSERT_EQ(run.status, 0) << run.out;
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["treeScale"].get<double>(), 15.157);
    EXPECT_EQ(j["trunkLength"].get<double>(), 15.157);
    EXPECT_EQ(j["stemCount"], 1458);
    EXPECT_EQ(j["leafCount"], 26423);
    EXPECT_EQ(j["leavesCreated"], 26406);
    EXPECT_EQ(j["vertexCount"], 130008);
    EXPECT_EQ(j["stemTriangleCount"], 36900);
    EXPECT_EQ(j["leafTriangleCount"], 52812);
    EXPECT_EQ(j["frameCount"], 0);
    ASSERT_TRUE(j["extent"].is_array());
    EXPECT_EQ(j["extent"].size(), 3u);
    EXPECT_GT(j["extent"][1].get<double>(), 15.0);
    EXPECT_GE(j["growMs"].get<double>(), 0.0);
}

TEST(TreegenStats, SpeciesByNumberAndTextOutput) {
    const ProcessResult run = treegen("stats --species 0 --seed 3");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("Simple"), std::string::npos);
    EXPECT_NE(run.out.find("vertexCount        1834"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("frameCount         113"), std::string::npos) << run.out;
}

TEST(TreegenStats, InvalidArgumentsExitWithStatusTwoAndSayWhy) {
    ProcessResult run = treegen("stats --species Oak");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("unknown species \"Oak\""), std::string::npos) << run.out;
    run = treegen("stats --species 7");
    EXPECT_EQ(run.status, 2);
    run = treegen("stats --seed 4294967296");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("outside 0 to 2147483647"), std::string::npos) << run.out;
    run = treegen("stats --seed twelve");
    EXPECT_EQ(run.status, 2);
    run = treegen("stats --colour red");
    EXPECT_EQ(run.status, 2);
    run = treegen("");
    EXPECT_EQ(run.status, 2);
    run = treegen("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("stats"), std::string::npos);
}

TEST(TreegenStats, MeshOfQuakingAspenSeedZero) {
    const ProcessResult run = treegen("stats --species 1 --seed 0 --json");
    ASSERT_EQ(run.status, 0) << run.out;
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_GE(j["meshMs"].get<double>(), 0.0);
    const auto& mesh = j["mesh"];
    EXPECT_EQ(mesh["vertexBytes"], nlohmann::json({130008 * 32, 130008 * 4}));
    ASSERT_EQ(mesh["subMeshes"].size(), 2u);
    EXPECT_EQ(mesh["subMeshes"][0]["part"], "bark");
    EXPECT_EQ(mesh["subMeshes"][0]["indexCount"], 3 * 36900);
    EXPECT_EQ(mesh["subMeshes"][1]["part"], "leaves");
    EXPECT_EQ(mesh["subMeshes"][1]["indexCount"], 3 * 52812);
    // The box stands on the ground, symmetric about the trunk, up to the extent.
    const auto& extent = j["extent"];
    EXPECT_EQ(mesh["bounds"]["minimum"][0].get<double>(), -extent[0].get<double>());
    EXPECT_EQ(mesh["bounds"]["minimum"][1].get<double>(), 0.0);
    EXPECT_EQ(mesh["bounds"]["maximum"][1].get<double>(), extent[1].get<double>());
    const double dx = 2 * extent[0].get<double>(), dy = extent[1].get<double>(), dz = 2 * extent[2].get<double>();
    EXPECT_NEAR(mesh["boundingRadius"].get<double>(), 0.5 * std::sqrt(dx * dx + dy * dy + dz * dz), 1e-4);
    // Another process, the same bytes as the in-process mesh tests expect
    // (kAspenSeed0Checksum in tests/mesh/TreeMeshTest.cpp; change both together).
    EXPECT_EQ(mesh["checksum"], "0xbab0745aa60b5e74");
}

TEST(TreegenStats, SimpleTreeMeshAsText) {
    const ProcessResult run = treegen("stats --species Simple --seed 9");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("vertexBytes        58688 + 7336"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("subMesh 0          2256 indices (bark)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("subMesh 1          3051 indices (markers)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("meshMs"), std::string::npos) << run.out;
}

TEST(TreegenStats, AllSpeciesInOneTable) {
    ProcessResult run = treegen("stats --all --seed 0");
    ASSERT_EQ(run.status, 0) << run.out;
    for (const char* name : {"Simple", "Quaking Aspen", "Black Tupelo", "Weeping Willow",
                             "Lombardy Poplar", "Palm", "European Larch"})
        EXPECT_NE(run.out.find(name), std::string::npos) << name;
    run = treegen("stats --all --seed 0 --json");
    ASSERT_EQ(run.status, 0) << run.out;
    const auto j = nlohmann::json::parse(run.out);
    ASSERT_EQ(j.size(), 7u);
    EXPECT_EQ(j[0]["vertexCount"], 1834);
    EXPECT_EQ(j[1]["vertexCount"], 130008);
    EXPECT_EQ(j[6]["speciesName"], "European Larch");
}

// The generator ignores a seed's top bit (seeds s and s - 2^31 grow the same
// tree), so only 0..2^31-1 and -1 (the clock) are seeds; -1 is reported as
// the seed it became, which grows the same tree again.
TEST(TreegenStats, SeedsAreThirtyOneBitsAndTheClockSeedIsReported) {
    for (const char* seed : {"2147483648", "-2", "-2147483648", "-2147483647"}) {
        const ProcessResult run = treegen(std::string("stats --species 0 --seed=") + seed);
        EXPECT_EQ(run.status, 2) << seed;
        EXPECT_NE(run.out.find(std::string("seed ") + seed + " is outside 0 to 2147483647 (or -1"),
                  std::string::npos) << run.out;
    }
    EXPECT_EQ(treegen("stats --species 0 --seed 2147483647").status, 0);
    const ProcessResult help = treegen("stats --help");
    EXPECT_NE(help.out.find("0 to 2147483647; -1 takes it from the clock"), std::string::npos) << help.out;

    const ProcessResult clock = treegen("stats --species 0 --seed -1 --json");
    ASSERT_EQ(clock.status, 0) << clock.out;
    const auto j = nlohmann::json::parse(clock.out);
    const long long used = j["seed"].get<long long>();
    EXPECT_GE(used, 0);
    EXPECT_LE(used, 2147483647);
    const auto again = nlohmann::json::parse(treegen("stats --species 0 --json --seed " + std::to_string(used)).out);
    EXPECT_EQ(again["mesh"]["checksum"], j["mesh"]["checksum"]);
    EXPECT_EQ(again["stemCount"], j["stemCount"]);

    const ProcessResult text = treegen("stats --species 0 --seed -1");
    ASSERT_EQ(text.status, 0) << text.out;
    EXPECT_EQ(text.out.find("seed -1"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("(Simple), seed "), std::string::npos) << text.out;
}
