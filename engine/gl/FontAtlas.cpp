#include "gl/FontAtlas.h"

#include "core/Exception.h"
#include "core/ResourceManager.h"
#include "gl/GLObjects.h"

#include <ft2build.h> // Required for: FT_FREETYPE_H
#include FT_FREETYPE_H // Required for: FT_Init_FreeType, FT_New_Face, FT_Load_Char

#include <filesystem> // Required for: std::filesystem::exists
#include <vector>     // Required for: std::vector

namespace Velk::GL {

namespace {
constexpr int atlasWidth = 512;
constexpr int atlasHeight = 512;
const char* const systemFontFolder = "/usr/share/fonts/truetype/dejavu/";
} // namespace

// Resource locations come first so that media can bring their own copy.
std::string FontAtlas::findFont(bool bold) {
    const std::string file = bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf";
    if (ResourceManager::getSingletonPtr() != nullptr && ResourceManager::resourceExists(file))
        return ResourceManager::findResource(file);
    return systemFontFolder + file;
}

// Packs glyphs in shelves left to right; a white texel at (0,0) is left free.
FontAtlas::FontAtlas(const std::string& fontFile, unsigned int pixelSize) {
    const char* const source = "FontAtlas::FontAtlas";
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        VELK_EXCEPT(ERR_INTERNAL_ERROR, "cannot start FreeType", source);
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        VELK_EXCEPT(ERR_FILE_NOT_FOUND, "cannot load the font '" + fontFile + "'", source);
    }
    FT_Set_Pixel_Sizes(face, 0, pixelSize);
    ascender_ = static_cast<float>(face->size->metrics.ascender) / 64.0f;
    lineHeight_ = static_cast<float>(face->size->metrics.height) / 64.0f;

    std::vector<unsigned char> pixels(static_cast<std::size_t>(atlasWidth) * atlasHeight, 0);
    int penX = 2;
    int penY = 1;
    int shelfHeight = 0;
    bool full = false;
    for (char c = first; c <= last && !full; ++c) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        const int w = static_cast<int>(slot->bitmap.width);
        const int h = static_cast<int>(slot->bitmap.rows);
        if (penX + w + 1 > atlasWidth) {
            penX = 1;
            penY += shelfHeight + 1;
            shelfHeight = 0;
        }
        if (penY + h + 1 > atlasHeight) {
            full = true;
            break;
        }
        for (int row = 0; row < h; ++row) {
            for (int col = 0; col < w; ++col) {
                pixels[static_cast<std::size_t>(penY + row) * atlasWidth + penX + col] =
                    slot->bitmap.buffer[row * slot->bitmap.pitch + col];
            }
        }
        Glyph& g = glyphs_[static_cast<std::size_t>(c - first)];
        g.width = w;
        g.height = h;
        g.bearingX = slot->bitmap_left;
        g.bearingY = slot->bitmap_top;
        g.advance = static_cast<float>(slot->advance.x) / 64.0f;
        g.u0 = static_cast<float>(penX) / atlasWidth;
        g.v0 = static_cast<float>(penY) / atlasHeight;
        g.u1 = static_cast<float>(penX + w) / atlasWidth;
        g.v1 = static_cast<float>(penY + h) / atlasHeight;
        penX += w + 1;
        shelfHeight = std::max(shelfHeight, h);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    if (full) {
        VELK_EXCEPT(ERR_INVALIDPARAMS, "font size " + std::to_string(pixelSize) + " does not fit the atlas", source);
    }

    texture_ = createObject(ObjectKind::Texture);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, atlasWidth, atlasHeight, 0, GL_RED, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

// Frees the atlas texture; the context must still be current.
FontAtlas::~FontAtlas() {
    GLuint texture = texture_;
    deleteObject(ObjectKind::Texture, texture);
}

const FontAtlas::Glyph& FontAtlas::glyph(char c) const {
    if (c < first || c > last) c = '?';
    return glyphs_[static_cast<std::size_t>(c - first)];
}

// Sum of advances; kerning is not applied.
float FontAtlas::measure(const std::string& text) const {
    float width = 0;
    for (char c : text) width += glyph(c).advance;
    return width;
}

} // namespace Velk::GL
