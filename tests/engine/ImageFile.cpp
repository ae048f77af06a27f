// Decoding for tests only; compiled without warnings because the decoder is not ours.
#include "ImageFile.h"

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h> // Required for: stbi_load, stbi_image_free

ImageFile ImageFile::load(const std::string& fileName) {
    ImageFile image;
    int channels = 0;
    unsigned char* data = stbi_load(fileName.c_str(), &image.width, &image.height, &channels, 4);
    if (data == nullptr) return {};
    image.rgba.assign(data, data + static_cast<std::size_t>(image.width) * image.height * 4);
    stbi_image_free(data);
    return image;
}

std::vector<unsigned char> ImageFile::pixel(int x, int y) const {
    const auto at = rgba.begin() + (static_cast<std::ptrdiff_t>(y) * width + x) * 4;
    return {at, at + 4};
}
