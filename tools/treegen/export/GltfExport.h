#pragma once

#include "MeshView.h"

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

// The files of a glTF 2.0 export of `mesh` to `path`: one self-contained
// binary ".glb" when `binary`, otherwise the ".gltf" with its ".bin" buffer
// and the two images beside it. The output depends only on the inputs, so
// equal meshes give byte-identical files.
std::vector<OutputFile> makeGltf(const MeshView& mesh, const ExportTextures& textures,
                                 const std::string& path, bool binary);
