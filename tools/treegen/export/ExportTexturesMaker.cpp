#include "ExportTexturesMaker.h"

#include "Textures.h"

#include <stb_image_write.h> // Required for: stbi_write_*_to_func

namespace {

void collect(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

} // namespace

ExportTextures makeExportTextures() {
    ExportTextures t;
    const Image bark = makeBark(512);
    stbi_write_jpg_to_func(collect, &t.barkJpeg, bark.width, bark.height, bark.channels,
                           bark.pixels.data(), 92);
    const Image leaves = makeLeafAtlas(512);
    stbi_write_png_to_func(collect, &t.leavesPng, leaves.width, leaves.height, leaves.channels,
                           leaves.pixels.data(), leaves.width * leaves.channels);
    stbi_write_tga_to_func(collect, &t.leavesTga, leaves.width, leaves.height, leaves.channels,
                           leaves.pixels.data());
    return t;
}
