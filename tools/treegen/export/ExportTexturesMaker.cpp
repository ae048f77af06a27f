#include "ExportTexturesMaker.h"

#include "Textures.h"

#include <algorithm>         // Required for: std::equal
#include <cctype>            // Required for: std::isalnum
#include <filesystem>        // Required for: std::filesystem::path
#include <fstream>           // Required for: std::ifstream
#include <iterator>          // Required for: std::istreambuf_iterator
#include <memory>            // Required for: std::unique_ptr
#include <stb_image.h>       // Required for: stbi_load_from_memory
#include <stb_image_write.h> // Required for: stbi_write_*_to_func
#include <stdexcept>         // Required for: std::runtime_error

namespace {

void collect(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

} // namespace

ExportTextures makeExportTextures() {
    ExportTextures t;
    const Image bark = makeBark(512);
    stbi_write_jpg_to_func(collect, &t.barkJpeg, bark.width, bark.height, bark.channels,
                           bark.pixels.data(), 92);
    const Image leaves = makeLeafAtlas(512);
    stbi_write_png_to_func(collect, &t.leavesPng, leaves.width, leaves.height, leaves.channels,
                           leaves.pixels.data(), leaves.width * leaves.channels);
    stbi_write_tga_to_func(collect, &t.leavesTga, leaves.width, leaves.height, leaves.channels,
                           leaves.pixels.data());
    return t;
}

void replaceLeafTexture(ExportTextures& textures, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open the leaf texture " + path);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    int width = 0, height = 0, channels = 0;
    const std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(bytes.data(), int(bytes.size()), &width, &height, &channels, 4), stbi_image_free);
    if (!pixels)
        throw std::runtime_error("the leaf texture " + path + " is not an image (" + stbi_failure_reason() + ")");
    static const uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    textures.leavesPng.clear();
    if (bytes.size() >= 8 && std::equal(pngSignature, pngSignature + 8, bytes.begin()))
        textures.leavesPng = bytes;
    else
        stbi_write_png_to_func(collect, &textures.leavesPng, width, height, 4, pixels.get(), width * 4);
    textures.leavesTga.clear();
    stbi_write_tga_to_func(collect, &textures.leavesTga, width, height, 4, pixels.get());
    // The name goes into a glTF URI and an MTL line: plain characters only.
    textures.leavesName = std::filesystem::path(path).stem().string();
    for (char& c : textures.leavesName)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.') c = '_';
}
