#pragma once

#include "MeshView.h"

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

// The files of a Wavefront OBJ export of `mesh` to `path`: the ".obj", its
// ".mtl" and the textures beside it. Vertex colours go after the position
// on each "v" line (the common r g b extension; OBJ has no alpha), and v
// is flipped because OBJ puts the texture origin at the bottom left.
std::vector<OutputFile> makeObj(const MeshView& mesh, const ExportTextures& textures,
                                const std::string& path);
