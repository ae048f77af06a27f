#include "material/MaterialManager.h"

#include "core/Exception.h"
#include "core/ResourceManager.h"
#include "material/MaterialScriptParser.h"
#include "material/MaterialStateDump.h"
#include "render/Root.h"

#include <algorithm>  // Required for: std::sort
#include <filesystem> // Required for: std::filesystem::directory_iterator
#include <vector>     // Required for: std::vector

namespace Velk {

// The "materials" part of the state dump lives as long as the manager.
MaterialManager::MaterialManager() {
    if (Root* root = Root::getSingletonPtr())
        root->setStateDumpSection("materials", [this] { return dumpMaterials(materials_); });
}

MaterialManager::~MaterialManager() {
    if (Root* root = Root::getSingletonPtr()) root->setStateDumpSection("materials", {});
}

MaterialPtr MaterialManager::create(const std::string& name) {
    if (materials_.count(name) != 0) {
        const MaterialPtr& existing = materials_.at(name);
        VELK_EXCEPT(ERR_DUPLICATE_ITEM,
                    "cannot create material '" + name + "': a material of that name already exists" +
                        (existing->getOriginFile().empty()
                             ? std::string()
                             : " (defined at " + existing->getOriginFile() + ":" +
                                   std::to_string(existing->getOriginLine()) + ")"),
                    "MaterialManager::create");
    }
    MaterialPtr material = std::make_shared<Material>(name);
    materials_.emplace(name, material);
    return material;
}

MaterialPtr MaterialManager::getByName(const std::string& name) {
    if (!resourceExists(name)) return nullptr;
    return materials_.at(name);
}

bool MaterialManager::resourceExists(const std::string& name) {
    if (materials_.count(name) == 0) parseAllScripts();
    return materials_.count(name) != 0;
}

// Files of one location in name order, so that definitions are read the same
// way on every machine.
void MaterialManager::parseAllScripts() {
    if (ResourceManager::getSingletonPtr() == nullptr) return;
    for (const ResourceManager::Location& location : ResourceManager::getLocations()) {
        std::vector<std::filesystem::path> scripts;
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(location.name, ignored))
            if (entry.is_regular_file() && entry.path().extension() == ".material") scripts.push_back(entry.path());
        std::sort(scripts.begin(), scripts.end());
        for (const std::filesystem::path& script : scripts) {
            if (!parsedScripts_.insert(script.string()).second) continue;
            parseMaterialScriptFile(script.string(), *this);
        }
    }
}

// Texture objects carry the filtering they last had and update it when drawn.
void MaterialManager::setDefaultTextureFiltering(TextureFilterOptions filtering) {
    if (filtering < TFO_NONE || filtering > TFO_ANISOTROPIC)
        VELK_EXCEPT(ERR_INVALIDPARAMS, "unknown texture filtering " + std::to_string(static_cast<int>(filtering)) +
                                           " (0 none, 1 bilinear, 2 trilinear, 3 anisotropic)",
                    "MaterialManager::setDefaultTextureFiltering");
    filtering_ = filtering;
}

} // namespace Velk
