#pragma once

#include <cstdint> // Required for: uint8_t
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

// An 8-bit image in memory, rows from the top, `channels` bytes per pixel.
struct Image {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<uint8_t> pixels;

    Image(int w, int h, int c) : width(w), height(h), channels(c), pixels(size_t(w) * h * c, 0) {}
    uint8_t* at(int x, int y) { return pixels.data() + (size_t(y) * width + x) * channels; }
};

// Writes by the file's extension (.png, .jpg, .tga); throws std::runtime_error
// naming the file when it cannot be written.
void writeImage(const Image& image, const std::string& path);
