#pragma once

#include "MeshView.h"

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

// The files of a Wavefront OBJ export of `mesh` to `path`: the ".obj", its
// ".mtl" and the textures beside it. Vertex colours go after the position
// on each "v" line (the common r g b extension; OBJ has no alpha), and v
// is flipped because OBJ puts the texture origin at the bottom left.
// `materialsName`, when given, names the ".mtl" instead of the OBJ's own stem.
std::vector<OutputFile> makeObj(const MeshView& mesh, const ExportTextures& textures,
                                const std::string& path, const std::string& materialsName = "");
// One OBJ per level of detail beside `path`, its stem with "_LOD0", "_LOD1",
// ... added, all sharing one ".mtl" named after `path` and its textures.
std::vector<OutputFile> makeObjLevels(const std::vector<MeshView>& levels, const ExportTextures& textures,
                                      const std::string& path);
