#pragma once

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

// An image decoded from a file, RGBA, top row first; empty when unreadable.
struct ImageFile {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;

    static ImageFile load(const std::string& fileName);
    // The four channels of one pixel.
    std::vector<unsigned char> pixel(int x, int y) const;
};
