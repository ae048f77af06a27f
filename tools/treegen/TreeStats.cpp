#include "TreeStats.h"

#include "ShortestFloat.h"
#include "StemWalk.h"
#include "Tree.h"
#include "TreeParameters.h"
#include "TreeTooLarge.h"

#include <chrono>             // Required for: std::chrono::steady_clock
#include <iomanip>            // Required for: std::setprecision
#include <nlohmann/json.hpp>  // Required for: nlohmann::json

TreeStats measureTree(uint32_t species, int32_t seed) {
    TreeParameters params(2);
    params.loadPreset(species);
    return measureTree(params, params.getTypeName(), seed);
}

TreeStats measureTree(const TreeParameters& params, const std::string& name, int32_t seed,
                      uint64_t maxVertices) {
    const auto start = std::chrono::steady_clock::now();
    Tree tree(params, seed, std::pmr::new_delete_resource(), maxVertices);
    requireWithinBudget(tree);
    tree.grow();
    const auto end = std::chrono::steady_clock::now();

    TreeStats s;
    s.species = params.type;
    s.speciesName = name;
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
    s.mesh = measureMesh(tree);
    return s;
}

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
        {"meshMs", s.mesh.meshMs},
        {"mesh", toJson(s.mesh)},
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
    printText(out, s.mesh);
}

void printTable(std::ostream& out, const std::vector<TreeStats>& rows) {
    out << std::left << std::setw(17) << "species" << std::right << std::setw(8) << "scale"
        << std::setw(8) << "stems" << std::setw(9) << "leaves" << std::setw(10) << "vertices"
        << std::setw(10) << "stemTris" << std::setw(10) << "leafTris" << std::setw(8) << "frames"
        << std::setw(10) << "growMs" << std::setw(10) << "meshMs" << '\n';
    for (const TreeStats& s : rows) {
        out << std::left << std::setw(17) << s.speciesName << std::right << std::fixed
            << std::setprecision(3) << std::setw(8) << s.treeScale << std::setw(8) << s.stemCount
            << std::setw(9) << s.leavesCreated << std::setw(10) << s.vertexCount << std::setw(10)
            << s.stemTriangleCount << std::setw(10) << s.leafTriangleCount << std::setw(8)
            << s.frameCount << std::setw(10) << s.growMs << std::setw(10) << s.mesh.meshMs << '\n';
    }
    out.unsetf(std::ios::fixed);
}
