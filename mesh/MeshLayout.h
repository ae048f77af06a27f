#pragma once

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint32_t

// The tree mesh's vertex and index layout, shared by the builder, the passes
// and whoever reads the mesh back.
namespace TreeMeshLayout {

// Buffer 0 holds position (3), normal (3) and texture coordinates (2) per
// vertex; buffer 1 holds one packed colour per vertex.
inline constexpr std::size_t FLOATS_PER_VERTEX = 8;
inline constexpr uint16_t GEOMETRY_SOURCE = 0;
inline constexpr uint16_t COLOUR_SOURCE = 1;
// Buffer 2, only when the wind is asked for: four sway floats per vertex.
inline constexpr uint16_t WIND_SOURCE = 2;

inline constexpr uint32_t VERTICES_PER_LEAF = 4;
inline constexpr uint32_t INDICES_PER_LEAF = 6;
inline constexpr uint32_t VERTICES_PER_FRAME = 12;
inline constexpr uint32_t INDICES_PER_FRAME = 27;

// Every bark vertex: alpha 255, red 238, green 221, blue 204.
inline constexpr uint32_t BARK_COLOUR = 0xFFEEDDCCu;

} // namespace TreeMeshLayout
