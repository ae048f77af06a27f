#pragma once

#include "material/Texture.h" // Required for: TexturePtr

#include <string> // Required for: std::string

namespace Velk {

// One texture a pass samples, and which texture coordinate set of the
// vertices it reads (a cube texture is looked up by direction instead).
class TextureUnitState {
public:
    TextureUnitState(TexturePtr texture, unsigned int coordSet)
        : texture_(std::move(texture)), coordSet_(coordSet) {}

    const std::string& getTextureName() const { return texture_->getName(); }
    const TexturePtr& getTexture() const { return texture_; }
    // Samples another texture from now on, with the same coordinate set.
    void setTexture(TexturePtr texture) { texture_ = std::move(texture); }
    unsigned int getTextureCoordSet() const { return coordSet_; }
    bool isCubic() const { return texture_->getType() == Texture::Type::Cube; }

private:
    TexturePtr texture_;
    unsigned int coordSet_;
};

} // namespace Velk
