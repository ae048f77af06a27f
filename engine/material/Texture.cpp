#include "material/Texture.h"

#include "gl/GLObjects.h"

#include <epoxy/gl.h> // Required for: glBindTexture, glTexParameteri

#include <algorithm> // Required for: std::min
#include <utility>   // Required for: std::move

namespace Velk {

Texture::Texture(std::string name, Type type, unsigned int glName, unsigned int width, unsigned int height,
                 unsigned int numMipmaps)
    : name_(std::move(name)), type_(type), glName_(glName), width_(width), height_(height), numMipmaps_(numMipmaps) {}

// The context that made it is current until the engine's managers are gone.
Texture::~Texture() {
    GLuint name = glName_;
    GL::deleteObject(GL::ObjectKind::Texture, name);
}

// Filtering is per texture in GL; setting it only on change keeps draws cheap.
void Texture::_bind(unsigned int unit, TextureFilterOptions filtering, unsigned int anisotropy) {
    const GLenum target = type_ == Type::Cube ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D;
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(target, glName_);
    if (appliedFiltering_ == static_cast<int>(filtering) && appliedAnisotropy_ == anisotropy) return;
    appliedFiltering_ = static_cast<int>(filtering);
    appliedAnisotropy_ = anisotropy;
    const bool mipmapped = numMipmaps_ > 0;
    GLint minFilter = GL_LINEAR;
    GLint magFilter = GL_LINEAR;
    switch (filtering) {
    case TFO_NONE:
        minFilter = mipmapped ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST;
        magFilter = GL_NEAREST;
        break;
    case TFO_BILINEAR: minFilter = mipmapped ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR; break;
    case TFO_TRILINEAR:
    case TFO_ANISOTROPIC: minFilter = mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR; break;
    }
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, magFilter);
    if (epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic") ||
        epoxy_has_gl_extension("GL_ARB_texture_filter_anisotropic")) {
        GLfloat most = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &most);
        const float wanted = filtering == TFO_ANISOTROPIC ? static_cast<float>(std::max(1u, anisotropy)) : 1.0f;
        glTexParameterf(target, GL_TEXTURE_MAX_ANISOTROPY_EXT, std::min(wanted, most));
    }
}

} // namespace Velk
