#include "GltfExport.h"

#include <algorithm>          // Required for: std::min, std::max
#include <cstring>            // Required for: std::memcpy
#include <filesystem>         // Required for: std::filesystem::path
#include <limits>             // Required for: std::numeric_limits
#include <map>                // Required for: std::map
#include <nlohmann/json.hpp>  // Required for: nlohmann::json

using nlohmann::json;

namespace {

// glTF's numeric codes.
constexpr int FLOAT = 5126, UNSIGNED_BYTE = 5121, UNSIGNED_INT = 5125;
constexpr int ARRAY_BUFFER = 34962, ELEMENT_ARRAY_BUFFER = 34963;
constexpr int LINEAR = 9729, LINEAR_MIPMAP_LINEAR = 9987, REPEAT = 10497;
constexpr int TRIANGLES = 4;
constexpr size_t FLOATS_PER_VERTEX = 8;
constexpr size_t WIND_FLOATS = 4;

// Appends bytes to the binary buffer, padded to four bytes, and returns
// where they start.
size_t append(std::vector<uint8_t>& blob, const void* data, size_t size) {
    const size_t start = blob.size();
    blob.resize(start + size);
    if (size) std::memcpy(blob.data() + start, data, size);
    blob.resize((blob.size() + 3) & ~size_t(3), 0);
    return start;
}

json bufferView(size_t offset, size_t length) {
    return {{"buffer", 0}, {"byteOffset", offset}, {"byteLength", length}};
}

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// Appends one level's vertex attributes and index lists to the buffer and
// returns its primitives; `materialFor` gives a part's material index.
template <class MaterialFor>
json addLevel(const MeshView& mesh, std::vector<uint8_t>& blob, json& bufferViews, json& accessors,
              MaterialFor& materialFor) {
    const size_t n = mesh.vertexCount;
    // Vertex attributes: the interleaved floats as they are, the colours
    // reordered from packed ARGB to the RGBA bytes glTF reads.
    const size_t geometryView = bufferViews.size();
    const size_t geometryAt = append(blob, mesh.geometry, n * FLOATS_PER_VERTEX * sizeof(float));
    bufferViews.push_back(bufferView(geometryAt, n * FLOATS_PER_VERTEX * sizeof(float)));
    bufferViews.back()["byteStride"] = FLOATS_PER_VERTEX * sizeof(float);
    bufferViews.back()["target"] = ARRAY_BUFFER;

    std::vector<uint8_t> rgba(n * 4);
    for (size_t i = 0; i < n; ++i) {
        const uint32_t c = mesh.colours[i];
        rgba[4 * i + 0] = uint8_t(c >> 16);
        rgba[4 * i + 1] = uint8_t(c >> 8);
        rgba[4 * i + 2] = uint8_t(c);
        rgba[4 * i + 3] = uint8_t(c >> 24);
    }
    const size_t colourView = bufferViews.size();
    const size_t colourAt = append(blob, rgba.data(), rgba.size());
    bufferViews.push_back(bufferView(colourAt, rgba.size()));
    bufferViews.back()["byteStride"] = 4;
    bufferViews.back()["target"] = ARRAY_BUFFER;

    float lo[3], hi[3];
    for (int a = 0; a < 3; ++a) {
        lo[a] = std::numeric_limits<float>::max();
        hi[a] = std::numeric_limits<float>::lowest();
    }
    for (size_t i = 0; i < n; ++i)
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], mesh.geometry[i * FLOATS_PER_VERTEX + size_t(a)]);
            hi[a] = std::max(hi[a], mesh.geometry[i * FLOATS_PER_VERTEX + size_t(a)]);
        }
    const size_t firstAccessor = accessors.size();
    accessors.push_back({{"bufferView", geometryView}, {"byteOffset", 0}, {"componentType", FLOAT},
                         {"count", n}, {"type", "VEC3"},
                         {"min", {lo[0], lo[1], lo[2]}}, {"max", {hi[0], hi[1], hi[2]}}});
    accessors.push_back({{"bufferView", geometryView}, {"byteOffset", 12}, {"componentType", FLOAT},
                         {"count", n}, {"type", "VEC3"}});
    accessors.push_back({{"bufferView", geometryView}, {"byteOffset", 24}, {"componentType", FLOAT},
                         {"count", n}, {"type", "VEC2"}});
    accessors.push_back({{"bufferView", colourView}, {"componentType", UNSIGNED_BYTE}, {"normalized", true},
                         {"count", n}, {"type", "VEC4"}});
    json attributes = {{"POSITION", firstAccessor}, {"NORMAL", firstAccessor + 1},
                       {"TEXCOORD_0", firstAccessor + 2}, {"COLOR_0", firstAccessor + 3}};
    if (mesh.wind != nullptr) {
        // The wind's sway floats, four a vertex: a custom attribute (the
        // leading underscore tells readers that do not know it to leave it
        // alone). Without them the file is as it always was.
        const size_t windAt = append(blob, mesh.wind, n * WIND_FLOATS * sizeof(float));
        bufferViews.push_back(bufferView(windAt, n * WIND_FLOATS * sizeof(float)));
        bufferViews.back()["byteStride"] = WIND_FLOATS * sizeof(float);
        bufferViews.back()["target"] = ARRAY_BUFFER;
        accessors.push_back({{"bufferView", bufferViews.size() - 1}, {"componentType", FLOAT},
                             {"count", n}, {"type", "VEC4"}});
        attributes["_WIND"] = accessors.size() - 1;
    }

    // All index lists in one view, one accessor each.
    size_t indexBytes = 0;
    for (const ExportPrimitive& p : mesh.primitives) indexBytes += p.indexCount * sizeof(uint32_t);
    const size_t indexView = bufferViews.size();
    size_t indexAt = blob.size();
    for (const ExportPrimitive& p : mesh.primitives)
        if (p.indexCount) append(blob, p.indices, p.indexCount * sizeof(uint32_t));
    bufferViews.push_back(bufferView(indexAt, indexBytes));
    bufferViews.back()["target"] = ELEMENT_ARRAY_BUFFER;

    json primitives = json::array();
    size_t indexOffset = 0;
    for (const ExportPrimitive& p : mesh.primitives) {
        if (p.indexCount == 0) continue;
        accessors.push_back({{"bufferView", indexView}, {"byteOffset", indexOffset},
                             {"componentType", UNSIGNED_INT}, {"count", p.indexCount},
                             {"type", "SCALAR"}});
        indexOffset += p.indexCount * sizeof(uint32_t);
        primitives.push_back({{"attributes", attributes},
                              {"indices", accessors.size() - 1},
                              {"material", materialFor(p.material)},
                              {"mode", TRIANGLES}});
    }
    return primitives;
}

} // namespace

std::vector<OutputFile> makeGltf(const MeshView& mesh, const ExportTextures& textures,
                                 const std::string& path, bool binary) {
    return makeGltf(std::vector<MeshView>{mesh}, {}, textures, path, binary);
}

std::vector<OutputFile> makeGltf(const std::vector<MeshView>& levels, const std::vector<double>& screenCoverage,
                                 const ExportTextures& textures, const std::string& path, bool binary) {
    std::vector<uint8_t> blob;
    json bufferViews = json::array();
    json accessors = json::array();

    // Materials, textures and images only for what the primitives use.
    json materials = json::array(), textureList = json::array(), images = json::array();
    std::map<ExportMaterial, size_t> materialIndex;
    const std::filesystem::path target(path);
    const std::string stem = target.stem().string();
    auto addImage = [&](const std::vector<uint8_t>& bytes, const char* mime, const std::string& file) {
        json image;
        if (binary) {
            const size_t at = append(blob, bytes.data(), bytes.size());
            bufferViews.push_back(bufferView(at, bytes.size()));
            image = {{"bufferView", bufferViews.size() - 1}, {"mimeType", mime}};
        } else {
            image = {{"uri", file}};
        }
        images.push_back(image);
        textureList.push_back({{"sampler", 0}, {"source", images.size() - 1}});
        return textureList.size() - 1;
    };
    auto materialFor = [&](ExportMaterial m) {
        const auto found = materialIndex.find(m);
        if (found != materialIndex.end()) return found->second;
        json material = {{"name", materialName(m)}};
        if (m == ExportMaterial::Bark) {
            const size_t texture = addImage(textures.barkJpeg, "image/jpeg", "tree_bark.jpg");
            material["pbrMetallicRoughness"] = {{"baseColorTexture", {{"index", texture}}},
                                                {"metallicFactor", 0.0}, {"roughnessFactor", 1.0}};
        } else if (m == ExportMaterial::Leaves) {
            const size_t texture =
                addImage(textures.leavesPng, "image/png", textures.leavesName + ".png");
            material["pbrMetallicRoughness"] = {{"baseColorTexture", {{"index", texture}}},
                                                {"metallicFactor", 0.0}, {"roughnessFactor", 1.0}};
            material["alphaMode"] = "MASK";
            material["alphaCutoff"] = 0.5;
            material["doubleSided"] = true;
        } else {
            material["pbrMetallicRoughness"] = {{"metallicFactor", 0.0}, {"roughnessFactor", 1.0}};
            material["alphaMode"] = "BLEND";
            material["extensions"] = {{"KHR_materials_unlit", json::object()}};
        }
        materials.push_back(material);
        materialIndex[m] = materials.size() - 1;
        return materials.size() - 1;
    };

    // One mesh per level, its data in the order of a file of one level:
    // vertex attributes, index lists, then the images its materials bring.
    json meshes = json::array();
    for (const MeshView& mesh : levels) {
        const json primitives = addLevel(mesh, blob, bufferViews, accessors, materialFor);
        const std::string name =
            levels.size() == 1 ? std::string("TreeMesh") : "TreeMesh_LOD" + std::to_string(meshes.size());
        meshes.push_back({{"name", name}, {"primitives", primitives}});
    }

    // One level: the tree's entity. Several: a node per level named with
    // the suffix game-engine importers look for, only the full one in the
    // scene, listing the others as its levels of detail.
    json nodes = json::array();
    if (levels.size() == 1) {
        nodes.push_back({{"name", "TreeEntity"}, {"mesh", 0}});
    } else {
        for (size_t level = 0; level < levels.size(); ++level)
            nodes.push_back({{"name", "TreeEntity_LOD" + std::to_string(level)}, {"mesh", level}});
        json ids = json::array();
        for (size_t level = 1; level < levels.size(); ++level) ids.push_back(level);
        nodes[0]["extensions"] = {{"MSFT_lod", {{"ids", ids}}}};
        nodes[0]["extras"] = {{"MSFT_screencoverage", screenCoverage}};
    }

    json gltf = {
        {"asset", {{"version", "2.0"}, {"generator", "treegen"}}},
        {"scene", 0},
        {"scenes", {{{"nodes", {0}}}}},
        {"nodes", nodes},
        {"meshes", meshes},
        {"accessors", accessors},
        {"bufferViews", bufferViews},
        {"materials", materials},
    };
    if (!images.empty()) {
        // Texture coordinates run outside 0..1 (bark repeats along stems,
        // leaves pick atlas quarters by offset): both axes wrap.
        gltf["samplers"] = {{{"magFilter", LINEAR}, {"minFilter", LINEAR_MIPMAP_LINEAR},
                             {"wrapS", REPEAT}, {"wrapT", REPEAT}}};
        gltf["textures"] = textureList;
        gltf["images"] = images;
    }
    json extensionsUsed = json::array();
    if (materialIndex.count(ExportMaterial::Markers)) extensionsUsed.push_back("KHR_materials_unlit");
    if (levels.size() > 1) extensionsUsed.push_back("MSFT_lod");
    if (!extensionsUsed.empty()) gltf["extensionsUsed"] = extensionsUsed;

    std::vector<OutputFile> files;
    if (binary) {
        gltf["buffers"] = {{{"byteLength", blob.size()}}};
        std::string text = gltf.dump();
        text.resize((text.size() + 3) & ~size_t(3), ' ');
        OutputFile glb{path, {}};
        std::vector<uint8_t>& out = glb.bytes;
        out.reserve(12 + 8 + text.size() + 8 + blob.size());
        putU32(out, 0x46546C67u); // "glTF"
        putU32(out, 2);
        putU32(out, uint32_t(12 + 8 + text.size() + 8 + blob.size()));
        putU32(out, uint32_t(text.size()));
        putU32(out, 0x4E4F534Au); // "JSON"
        out.insert(out.end(), text.begin(), text.end());
        putU32(out, uint32_t(blob.size()));
        putU32(out, 0x004E4942u); // "BIN"
        out.insert(out.end(), blob.begin(), blob.end());
        files.push_back(std::move(glb));
    } else {
        const std::string binName = stem + ".bin";
        gltf["buffers"] = {{{"byteLength", blob.size()}, {"uri", binName}}};
        const std::filesystem::path dir = target.parent_path();
        const std::string text = gltf.dump(1);
        files.push_back({path, std::vector<uint8_t>(text.begin(), text.end())});
        files.push_back({(dir / binName).string(), std::move(blob)});
        if (materialIndex.count(ExportMaterial::Bark))
            files.push_back({(dir / "tree_bark.jpg").string(), textures.barkJpeg});
        if (materialIndex.count(ExportMaterial::Leaves))
            files.push_back({(dir / (textures.leavesName + ".png")).string(), textures.leavesPng});
    }
    return files;
}
