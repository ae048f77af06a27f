#pragma once

#include <array>  // Required for: std::array
#include <string> // Required for: std::string

namespace Velk::GL {

// The printable ASCII characters of one font at one pixel size, rendered by
// FreeType into a single-channel texture for drawing text.
class FontAtlas {
public:
    struct Glyph {
        float u0 = 0, v0 = 0, u1 = 0, v1 = 0; // texture rectangle
        int width = 0;                       // bitmap size in pixels
        int height = 0;
        int bearingX = 0;                    // pen to bitmap left
        int bearingY = 0;                    // baseline to bitmap top
        float advance = 0;                   // pen movement in pixels
    };

    // Needs a current GL context; a missing or unreadable font is an engine error.
    FontAtlas(const std::string& fontFile, unsigned int pixelSize);
    ~FontAtlas();
    FontAtlas(const FontAtlas&) = delete;
    FontAtlas& operator=(const FontAtlas&) = delete;

    // The glyph of a character; characters outside the atlas give '?'.
    const Glyph& glyph(char c) const;
    unsigned int getTexture() const { return texture_; }
    float getAscender() const { return ascender_; }
    float getLineHeight() const { return lineHeight_; }
    // Width of a line of text in pixels.
    float measure(const std::string& text) const;

    // The engine's text font: "DejaVuSans.ttf" (or the bold face) from the
    // resource locations, else from the system's font folder.
    static std::string findFont(bool bold);

private:
    static constexpr char first = 32;
    static constexpr char last = 126;
    std::array<Glyph, last - first + 1> glyphs_{};
    unsigned int texture_ = 0;
    float ascender_ = 0;
    float lineHeight_ = 0;
};

} // namespace Velk::GL
