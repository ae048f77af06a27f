#pragma once

#include <memory> // Required for: std::shared_ptr
#include <string> // Required for: std::string

namespace Velk {

// How textures are filtered when drawn smaller or larger than their size.
enum TextureFilterOptions {
    TFO_NONE,        // nearest texel, no mipmaps
    TFO_BILINEAR,    // linear in the nearest mipmap
    TFO_TRILINEAR,   // linear between mipmaps too
    TFO_ANISOTROPIC, // trilinear with anisotropic sampling
};

// An image in the graphics driver's memory: a flat picture or the six faces
// of a cube. Made by TextureManager, which loads it with its mipmaps.
class Texture {
public:
    enum class Type { Flat, Cube };

    // Takes ownership of the GL texture `glName` (0 for none).
    Texture(std::string name, Type type, unsigned int glName, unsigned int width, unsigned int height,
            unsigned int numMipmaps);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    const std::string& getName() const { return name_; }
    Type getType() const { return type_; }
    unsigned int getWidth() const { return width_; }
    unsigned int getHeight() const { return height_; }
    unsigned int getNumMipmaps() const { return numMipmaps_; }
    // Whether every texel is known to be fully opaque (false when unknown).
    bool isOpaque() const { return opaque_; }
    void _setOpaque(bool opaque) { opaque_ = opaque; }

    // Binds to texture unit `unit` with this filtering (applied only when it changed).
    void _bind(unsigned int unit, TextureFilterOptions filtering, unsigned int anisotropy);

private:
    std::string name_;
    Type type_;
    bool opaque_ = false;
    unsigned int glName_;
    unsigned int width_;
    unsigned int height_;
    unsigned int numMipmaps_;
    int appliedFiltering_ = -1;
    unsigned int appliedAnisotropy_ = 0;
};

using TexturePtr = std::shared_ptr<Texture>;

} // namespace Velk
