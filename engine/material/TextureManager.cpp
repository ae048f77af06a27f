#include "material/TextureManager.h"

#include "core/Exception.h"
#include "core/Log.h"
#include "core/ResourceManager.h"
#include "gl/GLObjects.h"
#include "material/ImageFileCheck.h"

#include <epoxy/gl.h>   // Required for: glTexImage2D, glGenerateMipmap
#include <stb_image.h>  // Required for: stbi_load_from_memory, stbi_image_free

#include <algorithm> // Required for: std::min, std::max
#include <cerrno>    // Required for: errno
#include <cstring>   // Required for: std::strerror
#include <fstream>   // Required for: std::ifstream
#include <iterator>  // Required for: std::istreambuf_iterator
#include <limits>    // Required for: std::numeric_limits
#include <memory>    // Required for: std::unique_ptr

namespace Velk {

namespace {

// Decoded pixels, freed by the decoder's own function.
struct DecodedImage {
    std::unique_ptr<unsigned char, void (*)(void*)> pixels{nullptr, stbi_image_free};
    int width = 0;
    int height = 0;
};

// The whole file as bytes; an engine error naming the texture when it
// cannot be opened.
std::string readImageFile(const std::string& fileName, const std::string& path, const char* operation) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw Exception(Exception::ERR_FILE_NOT_FOUND,
                        "cannot read texture '" + fileName + "' (" + path + "): " + std::strerror(errno), operation,
                        path, 0);
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Finds and decodes one image as RGBA, top row first (texture v = 0 is the top).
// A file cut short is refused before decoding, since the decoder would fill
// the missing part with zeros and call it a success.
DecodedImage decode(const std::string& fileName, const char* operation) {
    std::string path;
    try {
        path = ResourceManager::findResource(fileName);
    } catch (const Exception& error) {
        throw Exception(Exception::ERR_FILE_NOT_FOUND,
                        "cannot load texture '" + fileName + "': " + error.getDescription(), operation);
    }
    const std::string bytes = readImageFile(fileName, path, operation);
    const std::string format = imageFormatName(bytes, fileName);
    const std::string missing = findMissingImageData(bytes, fileName);
    if (!missing.empty()) {
        throw Exception(Exception::ERR_INVALIDPARAMS,
                        "cannot decode texture '" + fileName + "' (" + path + "): " + format + " data: " + missing,
                        operation, path, 0);
    }
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw Exception(Exception::ERR_INVALIDPARAMS,
                        "cannot decode texture '" + fileName + "' (" + path + "): the file is too large", operation,
                        path, 0);
    }
    DecodedImage image;
    int channels = 0;
    image.pixels.reset(stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                             static_cast<int>(bytes.size()), &image.width, &image.height, &channels,
                                             4));
    if (!image.pixels) {
        // The decoder keeps the last reason any format's reader gave: its
        // PNG signature test says "bad png sig" for every other format, and
        // some readers stop without a reason of their own. Only a reason from
        // the file's own format is passed on.
        std::string reason = stbi_failure_reason() != nullptr ? stbi_failure_reason() : "";
        if (format != "PNG" && reason == "bad png sig") reason.clear();
        throw Exception(Exception::ERR_INVALIDPARAMS,
                        "cannot decode texture '" + fileName + "' (" + path + "): corrupt " + format + " data" +
                            (reason.empty() ? std::string() : " (" + reason + ")"),
                        operation, path, 0);
    }
    return image;
}

// Levels below the base image of a full chain for this size.
unsigned int fullChain(int width, int height) {
    unsigned int levels = 0;
    for (int size = std::max(width, height); size > 1; size /= 2) ++levels;
    return levels;
}

} // namespace

TextureManager::~TextureManager() = default;

// Repeats in both directions: bark and leaf coordinates run past 1.
TexturePtr TextureManager::load(const std::string& name) {
    if (TexturePtr existing = getByName(name)) return existing;
    const DecodedImage image = decode(name, "TextureManager::load");
    const unsigned int mipmaps = std::min(defaultNumMipmaps_, fullChain(image.width, image.height));
    GLuint texture = GL::createObject(GL::ObjectKind::Texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.pixels.get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(mipmaps));
    if (mipmaps > 0) glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    auto result = std::make_shared<Texture>(name, Texture::Type::Flat, texture, static_cast<unsigned>(image.width),
                                            static_cast<unsigned>(image.height), mipmaps);
    // Known opaque, the renderer may draw what lies behind it later.
    const unsigned char* pixels = image.pixels.get();
    const std::size_t texels = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    bool opaque = true;
    for (std::size_t i = 0; i < texels && opaque; ++i) opaque = pixels[4 * i + 3] == 255;
    result->_setOpaque(opaque);
    textures_.emplace(name, result);
    Log::message("Texture '" + name + "' loaded (" + std::to_string(image.width) + " x " +
                 std::to_string(image.height) + ", " + std::to_string(mipmaps) + " mipmaps)");
    return result;
}

// Faces are uploaded as they are stored: row 0 of a file is row 0 of its face.
TexturePtr TextureManager::loadCubic(const std::string& name, const std::array<std::string, 6>& faceFiles) {
    if (TexturePtr existing = getByName(name)) return existing;
    std::array<DecodedImage, 6> faces;
    for (std::size_t i = 0; i < 6; ++i) {
        faces[i] = decode(faceFiles[i], "TextureManager::loadCubic");
        if (faces[i].width != faces[i].height || faces[i].width != faces[0].width) {
            VELK_EXCEPT(ERR_INVALIDPARAMS,
                        "cube texture '" + name + "': face '" + faceFiles[i] + "' is " + std::to_string(faces[i].width) +
                            " x " + std::to_string(faces[i].height) + ", expected square faces of " +
                            std::to_string(faces[0].width) + " x " + std::to_string(faces[0].width),
                        "TextureManager::loadCubic");
        }
    }
    const int size = faces[0].width;
    const unsigned int mipmaps = std::min(defaultNumMipmaps_, fullChain(size, size));
    GLuint texture = GL::createObject(GL::ObjectKind::Texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (std::size_t i = 0; i < 6; ++i)
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + static_cast<GLenum>(i), 0, GL_RGBA8, size, size, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, faces[i].pixels.get());
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(mipmaps));
    if (mipmaps > 0) glGenerateMipmap(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    auto result = std::make_shared<Texture>(name, Texture::Type::Cube, texture, static_cast<unsigned>(size),
                                            static_cast<unsigned>(size), mipmaps);
    textures_.emplace(name, result);
    Log::message("Cube texture '" + name + "' loaded (6 faces of " + std::to_string(size) + " x " +
                 std::to_string(size) + ")");
    return result;
}

TexturePtr TextureManager::getByName(const std::string& name) const {
    const auto it = textures_.find(name);
    return it == textures_.end() ? nullptr : it->second;
}

} // namespace Velk
