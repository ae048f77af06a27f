#include "mesh/VertexBufferBinding.h"

#include "core/Exception.h"

#include <string> // Required for: std::to_string

namespace Velk {

void VertexBufferBinding::setBinding(uint16_t index, const HardwareVertexBufferSharedPtr& buffer) {
    if (!buffer)
        VELK_EXCEPT(ERR_INVALIDPARAMS, "cannot bind a null buffer to source " + std::to_string(index),
                    "VertexBufferBinding::setBinding");
    bindings_[index] = buffer;
}

void VertexBufferBinding::unsetBinding(uint16_t index) {
    if (bindings_.erase(index) == 0)
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND,
                    "cannot unbind source " + std::to_string(index) + ": no buffer is bound there",
                    "VertexBufferBinding::unsetBinding");
}

const HardwareVertexBufferSharedPtr& VertexBufferBinding::getBuffer(uint16_t index) const {
    const auto it = bindings_.find(index);
    if (it == bindings_.end())
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND, "no buffer is bound to source " + std::to_string(index),
                    "VertexBufferBinding::getBuffer");
    return it->second;
}

} // namespace Velk
