#include "Image.h"

#include "core/FileWriter.h" // Required for: Velk::writeFileAtomically

#include <stdexcept> // Required for: std::runtime_error
#include <stb_image_write.h> // Required for: stbi_write_png_to_func, stbi_write_jpg_to_func, stbi_write_tga_to_func

namespace {
// Appends the encoder's output to the std::string it is given.
void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

bool endsWith(const std::string& s, const char* suffix) {
    const std::string t(suffix);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}
} // namespace

// Encoded in memory, then written whole: an interrupted build never leaves
// a cut-short texture that a later build would take as made.
void writeImage(const Image& image, const std::string& path) {
    std::string encoded;
    int ok = 0;
    if (endsWith(path, ".png"))
        ok = stbi_write_png_to_func(appendBytes, &encoded, image.width, image.height, image.channels,
                                    image.pixels.data(), image.width * image.channels);
    else if (endsWith(path, ".jpg"))
        ok = stbi_write_jpg_to_func(appendBytes, &encoded, image.width, image.height, image.channels,
                                    image.pixels.data(), 92);
    else if (endsWith(path, ".tga"))
        ok = stbi_write_tga_to_func(appendBytes, &encoded, image.width, image.height, image.channels,
                                    image.pixels.data());
    else
        throw std::runtime_error("unknown image extension: " + path);
    if (!ok) throw std::runtime_error("cannot encode " + path);
    Velk::writeFileAtomically(path, encoded);
}
