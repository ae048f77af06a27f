#pragma once

#include "buffer/HardwareVertexBuffer.h"

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint16_t
#include <map>     // Required for: std::map

namespace Velk {

// Which vertex buffer feeds each source number of a vertex declaration.
// Holds a share of every bound buffer.
class VertexBufferBinding {
public:
    using BindingMap = std::map<uint16_t, HardwareVertexBufferSharedPtr>;

    // Binds `buffer` to `index`, replacing any buffer bound there; throws when buffer is null.
    void setBinding(uint16_t index, const HardwareVertexBufferSharedPtr& buffer);
    // Releases the buffer bound to `index`; throws when none is bound.
    void unsetBinding(uint16_t index);
    // The buffer bound to `index`; throws when none is bound.
    const HardwareVertexBufferSharedPtr& getBuffer(uint16_t index) const;
    bool isBufferBound(uint16_t index) const { return bindings_.count(index) != 0; }
    const BindingMap& getBindings() const { return bindings_; }
    std::size_t getBufferCount() const { return bindings_.size(); }

private:
    BindingMap bindings_;
};

} // namespace Velk
