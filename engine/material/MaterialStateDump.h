#pragma once

#include "material/Material.h" // Required for: MaterialPtr

#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <map>    // Required for: std::map
#include <string> // Required for: std::string

namespace Velk {

// The "materials" part of the state dump: one object per material, by name,
// describing its drawing pass (technique 0, pass 0).
nlohmann::json dumpMaterials(const std::map<std::string, MaterialPtr>& materials);

} // namespace Velk
