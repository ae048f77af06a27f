#pragma once

#include "Image.h"

#include <array> // Required for: std::array

// A bark texture that tiles both ways, with vertical furrows (RGB).
Image makeBark(int size);
// Grass with patches of bare soil that tiles both ways (RGB).
Image makeGround(int size);
// Four leaf pictures, one per quarter, each with its stalk at the bottom
// centre of its quarter and its tip towards the top; alpha cuts them out.
Image makeLeafAtlas(int size);
// The other leaf atlases: four pictures of one kind of leaf, laid out as
// makeLeafAtlas lays out its four.
enum class LeafKind { Round, Narrow, Needles, Frond };
Image makeLeafAtlas(LeafKind kind, int size);
// The six faces of a sky cube in the order +X, -X, +Y, -Y, +Z, -Z. Each face
// is laid out as a cube-map face is uploaded: row 0 first.
std::array<Image, 6> makeSkyFaces(int size);
