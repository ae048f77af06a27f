#pragma once

#include <istream> // Required for: std::istream
#include <string>  // Required for: std::string

namespace Velk {

class MaterialManager;

// Reads a material script and creates its materials in `manager`. The
// format (documented in media/README.md), one statement per line:
//
//   // comment            (also '#')
//   material <name>
//   {
//       lighting on|off
//       diffuse <r> <g> <b> [<a>]
//       ambient <r> <g> <b>
//       scene_blend alpha_blend|colour_blend|add|modulate|replace
//       cull_hardware none|clockwise|anticlockwise
//       cull_software none|back|front
//       depth_write on|off
//       depth_check on|off
//       texture <image file> [<coordinate set>]
//       cubic_texture <+X> <-X> <+Y> <-Y> <+Z> <-Z>
//   }
//
// The whole file is checked before any material is made, so a syntax error
// leaves no half-read materials; errors name `fileName`, the line and what
// was expected.
void parseMaterialScript(std::istream& in, const std::string& fileName, MaterialManager& manager);
// Opens and parses the script at `path`.
void parseMaterialScriptFile(const std::string& path, MaterialManager& manager);

} // namespace Velk
