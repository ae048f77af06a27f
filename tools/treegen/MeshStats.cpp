#include "MeshStats.h"

#include "MeshChecksum.h"
#include "ShortestFloat.h"
#include "Tree.h"
#include "TreeParts.h"
#include "mesh/MeshManager.h"

#include <chrono>            // Required for: std::chrono::steady_clock
#include <cstdio>            // Required for: std::snprintf
#include <iomanip>           // Required for: std::setprecision
#include <nlohmann/json.hpp> // Required for: nlohmann::json

namespace {

// The name the mesh takes while it is measured; dropped again afterwards.
const std::string kMeshName = "TreegenMesh";

// The checksum as text: JSON numbers cannot hold all 64 bits exactly.
std::string hex(uint64_t value) {
    char text[19];
    std::snprintf(text, sizeof text, "0x%016llx", static_cast<unsigned long long>(value));
    return text;
}

} // namespace

MeshStats measureMesh(Tree& tree) {
    const auto start = std::chrono::steady_clock::now();
    const Velk::Mesh& mesh = *tree.buildMesh(kMeshName);
    const auto end = std::chrono::steady_clock::now();

    MeshStats s;
    s.meshMs = std::chrono::duration<double, std::milli>(end - start).count();
    const Velk::VertexBufferBinding& binding = *mesh.sharedVertexData->vertexBufferBinding;
    s.geometryBytes = binding.getBuffer(0)->getSizeInBytes();
    s.colourBytes = binding.getBuffer(1)->getSizeInBytes();
    const TreeParts parts(tree);
    for (std::size_t i = 0; i < mesh.getNumSubMeshes(); ++i)
        s.subMeshes.push_back(
            {i < parts.size() ? partName(parts[i]) : "?", mesh.getSubMesh(i)->indexData->indexCount});
    s.boundsMinimum = mesh.getBounds().getMinimum();
    s.boundsMaximum = mesh.getBounds().getMaximum();
    s.boundingRadius = mesh.getBoundingSphereRadius();
    s.checksum = meshChecksum(mesh);
    Velk::MeshManager::getSingleton().remove(kMeshName);
    return s;
}

nlohmann::json toJson(const MeshStats& s) {
    nlohmann::json subMeshes = nlohmann::json::array();
    for (const SubMeshStats& sub : s.subMeshes)
        subMeshes.push_back({{"part", sub.part}, {"indexCount", sub.indexCount}});
    const auto vector = [](const Velk::Vector3& v) { return nlohmann::json{shortest(v.x), shortest(v.y), shortest(v.z)}; };
    return {
        {"vertexBytes", {s.geometryBytes, s.colourBytes}},
        {"subMeshes", subMeshes},
        {"bounds", {{"minimum", vector(s.boundsMinimum)}, {"maximum", vector(s.boundsMaximum)}}},
        {"boundingRadius", shortest(s.boundingRadius)},
        {"checksum", hex(s.checksum)},
    };
}

void printText(std::ostream& out, const MeshStats& s) {
    out << std::setprecision(6);
    out << "vertexBytes        " << s.geometryBytes << " + " << s.colourBytes
        << " (position/normal/uv + colour)\n";
    for (std::size_t i = 0; i < s.subMeshes.size(); ++i)
        out << "subMesh " << i << "          " << s.subMeshes[i].indexCount << " indices ("
            << s.subMeshes[i].part << ")\n";
    out << "bounds             " << s.boundsMinimum.x << ' ' << s.boundsMinimum.y << ' '
        << s.boundsMinimum.z << " to " << s.boundsMaximum.x << ' ' << s.boundsMaximum.y << ' '
        << s.boundsMaximum.z << '\n'
        << "boundingRadius     " << s.boundingRadius << '\n'
        << "meshChecksum       " << hex(s.checksum) << '\n'
        << std::fixed << std::setprecision(3)
        << "meshMs             " << s.meshMs << " (buildMesh)\n";
    out.unsetf(std::ios::fixed);
}
