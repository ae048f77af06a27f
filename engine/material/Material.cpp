#include "material/Material.h"

#include "core/Exception.h"

#include <utility> // Required for: std::move

namespace Velk {

Material::Material(std::string name) : name_(std::move(name)) {
    techniques_.push_back(std::make_unique<Technique>(this));
}

Technique* Material::getTechnique(unsigned short index) const {
    if (index >= techniques_.size())
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "material '" + name_ + "' has no technique " + std::to_string(index) + " (it has " +
                        std::to_string(techniques_.size()) + ")",
                    "Material::getTechnique");
    return techniques_[index].get();
}

} // namespace Velk
