#include "Image.h"

#include <stdexcept> // Required for: std::runtime_error
#include <stb_image_write.h> // Required for: stbi_write_png, stbi_write_jpg, stbi_write_tga

namespace {
bool endsWith(const std::string& s, const char* suffix) {
    const std::string t(suffix);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}
} // namespace

void writeImage(const Image& image, const std::string& path) {
    int ok = 0;
    if (endsWith(path, ".png"))
        ok = stbi_write_png(path.c_str(), image.width, image.height, image.channels,
                            image.pixels.data(), image.width * image.channels);
    else if (endsWith(path, ".jpg"))
        ok = stbi_write_jpg(path.c_str(), image.width, image.height, image.channels,
                            image.pixels.data(), 92);
    else if (endsWith(path, ".tga"))
        ok = stbi_write_tga(path.c_str(), image.width, image.height, image.channels,
                            image.pixels.data());
    else
        throw std::runtime_error("unknown image extension: " + path);
    if (!ok) throw std::runtime_error("cannot write " + path);
}
