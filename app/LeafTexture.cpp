#include "LeafTexture.h"

#include <filesystem>   // Required for: std::filesystem
#include <stb_image.h>  // Required for: stbi_load, stbi_failure_reason
#include <stdexcept>    // Required for: std::runtime_error
#include <system_error> // Required for: std::error_code

namespace fs = std::filesystem;

const std::vector<std::string>& mediaLeafAtlases() {
    static const std::vector<std::string> atlases = {DEFAULT_LEAF_TEXTURE, "tree_leaves_round.tga",
                                                     "tree_leaves_narrow.tga", "tree_leaves_needles.tga",
                                                     "tree_leaves_frond.tga"};
    return atlases;
}

std::string resolveLeafTexture(const std::string& text, const std::string& baseDir, const std::string& mediaDir) {
    fs::path file;
    for (const std::string& name : mediaLeafAtlases())
        if (text == name) file = fs::path(mediaDir) / name;
    if (file.empty()) file = fs::path(text).is_absolute() ? fs::path(text) : fs::path(baseDir) / text;
    std::error_code error;
    file = fs::absolute(file, error).lexically_normal();
    if (!fs::is_regular_file(file, error))
        throw std::runtime_error("leaf texture \"" + text + "\": " + file.string() +
                                 " is not a file; expected an image (PNG or TGA with alpha) or one of the media's "
                                 "atlases: tree_leaves_pack1.tga, tree_leaves_round.tga, tree_leaves_narrow.tga, "
                                 "tree_leaves_needles.tga, tree_leaves_frond.tga");
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(file.c_str(), &width, &height, &channels, 4);
    if (!pixels)
        throw std::runtime_error("leaf texture \"" + text + "\": " + file.string() + " is not an image (" +
                                 stbi_failure_reason() + "); expected a PNG or TGA with alpha");
    stbi_image_free(pixels);
    return file.string();
}

std::string leafTextureName(const std::string& text, const std::string& baseDir) {
    for (const std::string& name : mediaLeafAtlases())
        if (text == name) return name;
    return resolveLeafTexture(text, baseDir, "");
}
