#include "render/ImageWriter.h"

#include "core/Exception.h"
#include "core/FileWriter.h"
#include "core/Log.h"

#include <algorithm>  // Required for: std::transform
#include <cctype>     // Required for: std::tolower
#include <filesystem> // Required for: std::filesystem::path

#include <stb_image_write.h> // Required for: stbi_write_png_to_func, stbi_write_jpg_to_func

namespace Velk {

namespace {
// Appends the encoder's output to the std::string it is given.
void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}
} // namespace

// The image is encoded in memory and then written whole, so a failed write
// never leaves a cut-short picture. The size is checked first so that a short
// buffer is never read past its end.
void writeImageFile(const std::string& fileName, unsigned int width, unsigned int height,
                    const std::vector<unsigned char>& rgba) {
    const char* const source = "RenderTarget::writeContentsToFile";
    std::string extension = std::filesystem::path(fileName).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool png = extension == ".png";
    const bool jpeg = extension == ".jpg" || extension == ".jpeg";
    if (!png && !jpeg) {
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "unknown image format '" + extension + "' for '" + fileName + "' (use .png or .jpg)", source);
    }
    if (width == 0 || height == 0 || rgba.size() != static_cast<std::size_t>(width) * height * 4) {
        VELK_EXCEPT(ERR_INVALIDPARAMS, "pixel buffer does not match the image size", source);
    }
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    std::string encoded;
    int ok = 0;
    if (png) {
        ok = stbi_write_png_to_func(appendBytes, &encoded, w, h, 4, rgba.data(), w * 4);
    } else {
        std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
        for (std::size_t i = 0, j = 0; i < rgba.size(); i += 4, j += 3) {
            rgb[j] = rgba[i];
            rgb[j + 1] = rgba[i + 1];
            rgb[j + 2] = rgba[i + 2];
        }
        ok = stbi_write_jpg_to_func(appendBytes, &encoded, w, h, 3, rgb.data(), 95);
    }
    if (ok == 0 || encoded.empty()) {
        VELK_EXCEPT(ERR_INTERNAL_ERROR, "cannot encode the image '" + fileName + "'", source);
    }
    try {
        writeFileAtomically(fileName, encoded);
    } catch (const Exception& error) {
        throw Exception(error.getNumber(), error.getDescription(), source);
    }
    Log::message("Wrote image '" + fileName + "' (" + std::to_string(width) + " x " + std::to_string(height) + ")");
}

} // namespace Velk
