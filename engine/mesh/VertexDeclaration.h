#pragma once

#include "mesh/VertexElement.h"

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint16_t
#include <vector>  // Required for: std::vector

namespace Velk {

// The layout of one vertex: its elements in the order they were added, each
// in one of the bound buffers (its source).
class VertexDeclaration {
public:
    // Appends an element and returns it. Throws when an element with the
    // same semantic and index exists, or when it overlaps another element
    // of the same source.
    const VertexElement& addElement(uint16_t source, std::size_t offset, VertexElementType type,
                                    VertexElementSemantic semantic, uint16_t index = 0);

    const std::vector<VertexElement>& getElements() const { return elements_; }
    std::size_t getElementCount() const { return elements_.size(); }
    // The element of `semantic` and `index`, or null.
    const VertexElement* findElementBySemantic(VertexElementSemantic semantic, uint16_t index = 0) const;
    // Bytes per vertex in buffer `source`: the end of its furthest element
    // (0 when the source has no element).
    std::size_t getVertexSize(uint16_t source) const;

private:
    std::vector<VertexElement> elements_;
};

} // namespace Velk
