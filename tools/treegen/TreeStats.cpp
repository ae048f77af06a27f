#include "TreeStats.h"

#include "StemWalk.h"
#include "Tree.h"
#include "TreeParameters.h"

#include <charconv>           // Required for: std::to_chars
#include <chrono>             // Required for: std::chrono::steady_clock
#include <cstdlib>            // Required for: std::strtod
#include <iomanip>            // Required for: std::setprecision
#include <nlohmann/json.hpp>  // Required for: nlohmann::json

TreeStats measureTree(uint32_t species, int32_t seed) {
    TreeParameters params(2);
    params.loadPreset(species);

    const auto start = std::chrono::steady_clock::now();
    Tree tree(params, seed);
    tree.grow();
    const auto end = std::chrono::steady_clock::now();

    TreeStats s;
    s.species = species;
    s.speciesName = params.getTypeName();
    s.seed = seed;
    s.treeScale = tree.treeScale;
    s.trunkLength = tree.trunkLength;
    s.stemCount = tree.stemCount;
    s.leafCount = tree.leafCount;
    s.leavesCreated = countLeaves(*tree.trunk);
    s.vertexCount = tree.vertexCount;
    s.stemTriangleCount = tree.stemTriangleCount;
    s.leafTriangleCount = tree.leafTriangleCount;
    s.frameCount = tree.frameCount;
    s.extent = tree.extent;
    s.growMs = std::chrono::duration<double, std::milli>(end - start).count();
    return s;
}

namespace {
// A float as the shortest decimal that reads back to it, so 15.157f prints
// as 15.157 rather than as the nearest double's 15.156999588012695.
double shortest(float v) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, v);
    return std::strtod(std::string(text, result.ptr).c_str(), nullptr);
}
} // namespace

nlohmann::json toJson(const TreeStats& s) {
    return {
        {"species", s.species},
        {"speciesName", s.speciesName},
        {"seed", s.seed},
        {"treeScale", shortest(s.treeScale)},
        {"trunkLength", shortest(s.trunkLength)},
        {"stemCount", s.stemCount},
        {"leafCount", s.leafCount},
        {"leavesCreated", s.leavesCreated},
        {"vertexCount", s.vertexCount},
        {"stemTriangleCount", s.stemTriangleCount},
        {"leafTriangleCount", s.leafTriangleCount},
        {"frameCount", s.frameCount},
        {"extent", {shortest(s.extent.x), shortest(s.extent.y), shortest(s.extent.z)}},
        {"growMs", s.growMs},
    };
}

void printText(std::ostream& out, const TreeStats& s) {
    out << std::setprecision(6);
    out << "species            " << s.species << " (" << s.speciesName << "), seed " << s.seed << '\n'
        << "treeScale          " << s.treeScale << '\n'
        << "trunkLength        " << s.trunkLength << '\n'
        << "stemCount          " << s.stemCount << '\n'
        << "leafCount          " << s.leafCount << '\n'
        << "leavesCreated      " << s.leavesCreated << '\n'
        << "vertexCount        " << s.vertexCount << '\n'
        << "stemTriangleCount  " << s.stemTriangleCount << '\n'
        << "leafTriangleCount  " << s.leafTriangleCount << '\n'
        << "frameCount         " << s.frameCount << '\n'
        << "extent             " << s.extent.x << ' ' << s.extent.y << ' ' << s.extent.z << '\n'
        << std::fixed << std::setprecision(3)
        << "growMs             " << s.growMs << " (construction and growth)\n";
    out.unsetf(std::ios::fixed);
}
