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
// The same with levels of detail: the first of `levels` is the full tree,
// each on a node of its own ("TreeEntity_LOD0", ...), the first listing the
// others with the MSFT_lod extension and `screenCoverage` (one value a level,
// decreasing) as its hints. With one level, the file of makeGltf above.
std::vector<OutputFile> makeGltf(const std::vector<MeshView>& levels, const std::vector<double>& screenCoverage,
                                 const ExportTextures& textures, const std::string& path, bool binary);
