#pragma once

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

// The program's own leaf atlas, which every preset uses.
inline constexpr const char* DEFAULT_LEAF_TEXTURE = "tree_leaves_pack1.tga";

// The leaf atlases in the media, the program's own first: four pictures of
// one kind of leaf each, one per quarter, stalk at the bottom centre.
const std::vector<std::string>& mediaLeafAtlases();

// The file a leaf texture, as a user wrote it, names: one of the media's
// atlases by name (looked up in `mediaDir`), else a path, relative to
// `baseDir` unless absolute. Returns the file's absolute path, which the
// engine loads whatever its resource locations. Decodes the image to be sure
// it is one; throws std::runtime_error saying which file and why not.
std::string resolveLeafTexture(const std::string& text, const std::string& baseDir, const std::string& mediaDir);
// The engine's texture name for a leaf texture as a user wrote it: a media
// atlas's name as it is (the resource locations find it), anything else the
// checked absolute path of resolveLeafTexture. Throws std::runtime_error.
std::string leafTextureName(const std::string& text, const std::string& baseDir);
