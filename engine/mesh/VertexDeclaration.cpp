#include "mesh/VertexDeclaration.h"

#include "core/Exception.h"

#include <algorithm> // Required for: std::max
#include <limits>    // Required for: std::numeric_limits
#include <string>    // Required for: std::to_string

namespace Velk {

const VertexElement& VertexDeclaration::addElement(uint16_t source, std::size_t offset,
                                                   VertexElementType type,
                                                   VertexElementSemantic semantic, uint16_t index) {
    const std::size_t size = VertexElement::getTypeSize(type);
    if (offset > std::numeric_limits<std::size_t>::max() - size)
        VELK_EXCEPT(ERR_INVALIDPARAMS, "cannot add the element: offset " + std::to_string(offset) + " is out of range",
                    "VertexDeclaration::addElement");
    if (findElementBySemantic(semantic, index) != nullptr)
        VELK_EXCEPT(ERR_DUPLICATE_ITEM,
                    "cannot add the element: semantic " + std::to_string(int(semantic)) + " index " +
                        std::to_string(index) + " is already declared",
                    "VertexDeclaration::addElement");
    for (const VertexElement& e : elements_) {
        // Two byte ranges overlap when each starts before the other ends.
        if (e.getSource() == source && offset < e.getOffset() + e.getSize() &&
            e.getOffset() < offset + size)
            VELK_EXCEPT(ERR_INVALIDPARAMS,
                        "cannot add the element: bytes " + std::to_string(offset) + "+" +
                            std::to_string(size) + " of source " + std::to_string(source) +
                            " overlap an element at offset " + std::to_string(e.getOffset()),
                        "VertexDeclaration::addElement");
    }
    elements_.emplace_back(source, offset, type, semantic, index);
    return elements_.back();
}

const VertexElement* VertexDeclaration::findElementBySemantic(VertexElementSemantic semantic,
                                                              uint16_t index) const {
    for (const VertexElement& e : elements_)
        if (e.getSemantic() == semantic && e.getIndex() == index) return &e;
    return nullptr;
}

std::size_t VertexDeclaration::getVertexSize(uint16_t source) const {
    std::size_t size = 0;
    for (const VertexElement& e : elements_)
        if (e.getSource() == source) size = std::max(size, e.getOffset() + e.getSize());
    return size;
}

} // namespace Velk
