#pragma once

#include "core/Singleton.h"   // Required for: Singleton
#include "material/Texture.h" // Required for: TexturePtr

#include <array>  // Required for: std::array
#include <map>    // Required for: std::map
#include <string> // Required for: std::string

namespace Velk {

// Loads textures by file name from the resource locations (JPEG, TGA, PNG)
// and keeps each once: a second load of the same name returns the first.
// Exists while the render window does (the engine root makes it).
class TextureManager : public Singleton<TextureManager> {
public:
    static constexpr const char* singletonName = "TextureManager";

    TextureManager() = default;
    ~TextureManager();

    // Mipmap levels below the full image for textures loaded from now on
    // (default: 0, the image alone; the full chain is the most).
    void setDefaultNumMipmaps(int count) { defaultNumMipmaps_ = count > 0 ? static_cast<unsigned int>(count) : 0u; }
    unsigned int getDefaultNumMipmaps() const { return defaultNumMipmaps_; }

    // The flat texture of image file `name`. Throws, naming the file, when
    // no resource location holds it or it cannot be decoded.
    TexturePtr load(const std::string& name);
    // A cube texture from six images in the order +X, -X, +Y, -Y, +Z, -Z,
    // registered under `name`; faces must be square and of one size.
    TexturePtr loadCubic(const std::string& name, const std::array<std::string, 6>& faceFiles);
    // The texture loaded under `name`, or null.
    TexturePtr getByName(const std::string& name) const;
    std::size_t getTextureCount() const { return textures_.size(); }

private:
    unsigned int defaultNumMipmaps_ = 0;
    std::map<std::string, TexturePtr> textures_;
};

} // namespace Velk
