#include "TreeExport.h"

#include "BuiltTextures.h"
#include "ExportTexturesMaker.h"
#include "GltfExport.h"
#include "LodView.h"
#include "ObjExport.h"
#include "TreeLodChain.h"
#include "Tree.h"
#include "TreeParameters.h"
#include "TreeTooLarge.h"
#include "buffer/HardwareBufferManager.h"
#include "core/FileWriter.h"
#include "mesh/MeshManager.h"

#include <algorithm>  // Required for: std::transform
#include <cctype>     // Required for: std::tolower
#include <chrono>     // Required for: std::chrono::steady_clock
#include <filesystem> // Required for: std::filesystem::path
#include <optional>   // Required for: std::optional
#include <stdexcept>  // Required for: std::runtime_error
#include <string_view> // Required for: std::string_view

namespace {

std::string extensionOf(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

bool isExportExtension(const std::string& path) {
    const std::string ext = extensionOf(path);
    return ext == ".glb" || ext == ".gltf" || ext == ".obj";
}

ExportReport exportTree(uint32_t species, int32_t seed, const std::string& path) {
    TreeParameters params(2);
    params.loadPreset(species);
    return exportTree(params, seed, path, Tree::DEFAULT_VERTEX_BUDGET);
}

ExportReport exportTree(const TreeParameters& params, int32_t seed, const std::string& path,
                        uint64_t maxVertices, const std::string& leafTexture, const ExportDetail& detail) {
    if (!isExportExtension(path))
        throw std::runtime_error("cannot export to " + path +
                                 ": unknown extension (expected .glb, .gltf or .obj)");
    ExportReport report;

    auto start = std::chrono::steady_clock::now();
    Tree tree(params, seed, std::pmr::new_delete_resource(), maxVertices);
    requireWithinBudget(tree);
    tree.grow();
    report.growMs = msSince(start);

    // System-memory buffers: the export needs no renderer.
    Velk::HardwareBufferManager buffers;
    Velk::MeshManager meshes;
    start = std::chrono::steady_clock::now();
    Velk::Mesh* mesh = tree.buildMesh("TreeMesh");
    const std::string ext = extensionOf(path);
    if (detail.wind && ext != ".obj") tree.buildWind(*mesh);
    report.meshMs = msSince(start);

    start = std::chrono::steady_clock::now();
    const TreeMeshLock readback(tree, *mesh, true);
    const MeshView view = meshViewOf(readback, tree);
    report.vertices = view.vertexCount;
    for (const ExportPrimitive& p : view.primitives) report.triangles += p.indexCount / 3;

    ExportTextures textures = builtExportTextures();
    if (!leafTexture.empty()) replaceLeafTexture(textures, leafTexture);
    // A reduced level as the writers take it, with its sway data only when asked for.
    const auto levelView = [&](const TreeLod& level) {
        MeshView v = meshViewOf(level);
        if (!detail.wind) v.wind = nullptr;
        return v;
    };
    std::vector<OutputFile> files;
    if (detail.lods > 0) {
        const std::vector<TreeLod> levels = buildTreeLods(tree, readback.arrays(), detail.lods);
        std::vector<MeshView> views;
        std::vector<double> coverage;
        for (const TreeLod& level : levels) {
            views.push_back(levelView(level));
            coverage.push_back(lodScreenCoverage(views.size() - 1, levels.size()));
            report.levelTriangles.push_back(level.triangleCount());
        }
        files = ext == ".obj" ? makeObjLevels(views, textures, path)
                              : makeGltf(views, coverage, textures, path, ext == ".glb");
    } else if (detail.maxTriangles > 0) {
        std::size_t smallest = 0;
        const std::optional<TreeLod> fitted = fitTriangleBudget(tree, readback.arrays(), detail.maxTriangles, smallest);
        if (!fitted)
            throw TriangleBudgetTooSmall("cannot reduce the tree to " + std::to_string(detail.maxTriangles) +
                                         " triangles: the smallest it reduces to has " + std::to_string(smallest) +
                                         " triangles");
        const MeshView fittedView = levelView(*fitted);
        report.triangles = fitted->triangleCount();
        report.vertices = fitted->vertexCount();
        files = ext == ".obj" ? makeObj(fittedView, textures, path)
                              : makeGltf(std::vector<MeshView>{fittedView}, {}, textures, path, ext == ".glb");
    } else {
        files = ext == ".obj" ? makeObj(view, textures, path) : makeGltf(view, textures, path, ext == ".glb");
    }
    // Every file or none: each is staged beside its destination, and the
    // previous export stays whole until every new file has been written.
    Velk::StagedFiles staged;
    for (const OutputFile& f : files)
        staged.stage(f.path, std::string_view(reinterpret_cast<const char*>(f.bytes.data()), f.bytes.size()));
    staged.commit();
    report.writeMs = msSince(start);
    for (const OutputFile& f : files) report.files.push_back(f.path);
    return report;
}
