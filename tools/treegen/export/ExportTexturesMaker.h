#pragma once

#include "MeshView.h"

// Encodes the program's bark and leaf textures, made exactly as the build
// makes its media.
ExportTextures makeExportTextures();
// Puts the leaf atlas in the image file `path` (any format the decoder
// reads) in place of the program's own: a PNG's bytes as they are, anything
// else encoded; the atlas files take the file's name. Throws
// std::runtime_error naming the file when it cannot be read or decoded.
void replaceLeafTexture(ExportTextures& textures, const std::string& path);
