#include "material/Technique.h"

#include "core/Exception.h"
#include "material/Material.h"

namespace Velk {

Technique::Technique(Material* parent) : parent_(parent) { createPass(); }

Pass* Technique::getPass(unsigned short index) const {
    if (index >= passes_.size())
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "material '" + parent_->getName() + "' has no pass " + std::to_string(index) + " (it has " +
                        std::to_string(passes_.size()) + ")",
                    "Technique::getPass");
    return passes_[index].get();
}

Pass* Technique::createPass() {
    passes_.push_back(std::make_unique<Pass>(parent_));
    return passes_.back().get();
}

} // namespace Velk
