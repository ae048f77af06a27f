#include "ObjExport.h"

#include <charconv>   // Required for: std::to_chars
#include <filesystem> // Required for: std::filesystem::path

namespace {

constexpr size_t FLOATS_PER_VERTEX = 8;

// Text output that formats floats as the shortest decimals that read back
// exactly, the same on every run.
struct Text {
    std::vector<uint8_t> bytes;
    Text& operator<<(const char* s) {
        while (*s) bytes.push_back(uint8_t(*s++));
        return *this;
    }
    Text& operator<<(const std::string& s) { return *this << s.c_str(); }
    Text& operator<<(float v) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
        bytes.insert(bytes.end(), buffer, end);
        return *this;
    }
    Text& operator<<(size_t v) {
        char buffer[24];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
        bytes.insert(bytes.end(), buffer, end);
        return *this;
    }
};

} // namespace

std::vector<OutputFile> makeObj(const MeshView& mesh, const ExportTextures& textures,
                                const std::string& path, const std::string& materialsName) {
    const std::filesystem::path target(path);
    const std::filesystem::path dir = target.parent_path();
    const std::string mtlName = materialsName.empty() ? target.stem().string() + ".mtl" : materialsName;

    Text obj;
    obj << "# tree exported by treegen\n" << "mtllib " << mtlName << "\n";
    for (size_t i = 0; i < mesh.vertexCount; ++i) {
        const float* v = mesh.geometry + i * FLOATS_PER_VERTEX;
        const uint32_t c = mesh.colours[i];
        obj << "v " << v[0] << " " << v[1] << " " << v[2] << " " << float((c >> 16) & 0xFF) / 255.0f
            << " " << float((c >> 8) & 0xFF) / 255.0f << " " << float(c & 0xFF) / 255.0f << "\n";
    }
    for (size_t i = 0; i < mesh.vertexCount; ++i) {
        const float* v = mesh.geometry + i * FLOATS_PER_VERTEX;
        obj << "vn " << v[3] << " " << v[4] << " " << v[5] << "\n";
    }
    for (size_t i = 0; i < mesh.vertexCount; ++i) {
        const float* v = mesh.geometry + i * FLOATS_PER_VERTEX;
        obj << "vt " << v[6] << " " << 1.0f - v[7] << "\n";
    }
    bool used[3] = {false, false, false};
    for (const ExportPrimitive& p : mesh.primitives) {
        if (p.indexCount == 0) continue;
        used[int(p.material)] = true;
        obj << "g " << materialName(p.material) << "\nusemtl " << materialName(p.material) << "\n";
        for (size_t t = 0; t + 2 < p.indexCount; t += 3) {
            obj << "f";
            for (size_t k = 0; k < 3; ++k) {
                const size_t index = size_t(p.indices[t + k]) + 1;
                obj << " " << index << "/" << index << "/" << index;
            }
            obj << "\n";
        }
    }

    Text mtl;
    mtl << "# materials of a tree exported by treegen\n";
    if (used[int(ExportMaterial::Bark)])
        mtl << "newmtl BarkTextMat\nKa 1 1 1\nKd 1 1 1\nKs 0 0 0\nillum 1\nmap_Kd tree_bark.jpg\n\n";
    if (used[int(ExportMaterial::Leaves)])
        mtl << "newmtl LeafTextMat\nKa 0.5 0.6 0.5\nKd 0.9 1 0.9\nKs 0 0 0\nillum 1\n"
            << "map_Kd " << textures.leavesName << ".tga\nmap_d " << textures.leavesName << ".tga\n\n";
    if (used[int(ExportMaterial::Markers)])
        mtl << "newmtl CoordFrameMat\nKd 1 1 1\nillum 0\n\n";

    std::vector<OutputFile> files;
    files.push_back({path, std::move(obj.bytes)});
    files.push_back({(dir / mtlName).string(), std::move(mtl.bytes)});
    if (used[int(ExportMaterial::Bark)])
        files.push_back({(dir / "tree_bark.jpg").string(), textures.barkJpeg});
    if (used[int(ExportMaterial::Leaves)])
        files.push_back({(dir / (textures.leavesName + ".tga")).string(), textures.leavesTga});
    return files;
}

std::vector<OutputFile> makeObjLevels(const std::vector<MeshView>& levels, const ExportTextures& textures,
                                      const std::string& path) {
    const std::filesystem::path target(path);
    const std::string stem = target.stem().string();
    const std::string mtlName = stem + ".mtl";
    std::vector<OutputFile> files;
    for (size_t level = 0; level < levels.size(); ++level) {
        const std::string levelPath =
            (target.parent_path() / (stem + "_LOD" + std::to_string(level) + ".obj")).string();
        std::vector<OutputFile> made = makeObj(levels[level], textures, levelPath, mtlName);
        // The full level uses every material there is: its materials file
        // and textures serve all levels.
        if (level == 0) {
            files = std::move(made);
        } else {
            files.push_back(std::move(made.front()));
        }
    }
    return files;
}
