#pragma once

#include "core/Singleton.h"        // Required for: Singleton
#include "material/Material.h"     // Required for: MaterialPtr
#include "material/Texture.h"       // Required for: TextureFilterOptions

#include <map>    // Required for: std::map
#include <set>    // Required for: std::set
#include <string> // Required for: std::string

namespace Velk {

// Registry of materials by name: made in code with create, or defined in
// material scripts (files ending ".material" in the resource locations),
// which are read the first time a name is looked up that code did not make.
// Exists while the render window does (the engine root makes it).
class MaterialManager : public Singleton<MaterialManager> {
public:
    static constexpr const char* singletonName = "MaterialManager";

    MaterialManager();
    ~MaterialManager();

    // A new material with one technique of one pass. Throws when the name is taken.
    MaterialPtr create(const std::string& name);
    // The material of that name, reading scripts not read yet when code did
    // not make it; null when no material has that name. A script that
    // cannot be read is an engine error naming its file and line.
    MaterialPtr getByName(const std::string& name);
    // Whether a material of that name exists (scripts read as for getByName).
    bool resourceExists(const std::string& name);
    // Reads every material script of the resource locations not read yet.
    // A script error names the file and line.
    void parseAllScripts();
    std::size_t getMaterialCount() const { return materials_.size(); }
    // Whether code or an already read script made a material of that name.
    bool resourceExistsWithoutScripts(const std::string& name) const { return materials_.count(name) != 0; }

    // Filtering of every texture drawn from now on.
    void setDefaultTextureFiltering(TextureFilterOptions filtering);
    TextureFilterOptions getDefaultTextureFiltering() const { return filtering_; }
    // Most samples per texel when filtering is anisotropic (1 = none).
    void setDefaultAnisotropy(unsigned int maxAnisotropy) { anisotropy_ = maxAnisotropy == 0 ? 1 : maxAnisotropy; }
    unsigned int getDefaultAnisotropy() const { return anisotropy_; }

private:
    std::map<std::string, MaterialPtr> materials_;
    std::set<std::string> parsedScripts_;
    TextureFilterOptions filtering_ = TFO_BILINEAR;
    unsigned int anisotropy_ = 1;
};

} // namespace Velk
