#pragma once

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint16_t

namespace Velk {

// Data type of one vertex element.
enum VertexElementType {
    VET_FLOAT1,        // one 32-bit float
    VET_FLOAT2,        // two 32-bit floats
    VET_FLOAT3,        // three 32-bit floats
    VET_FLOAT4,        // four 32-bit floats
    VET_COLOUR_ARGB,   // one unsigned 32-bit value: alpha 24-31, red 16-23, green 8-15, blue 0-7
};

// What a vertex element means to the renderer.
enum VertexElementSemantic {
    VES_POSITION,
    VES_NORMAL,
    VES_DIFFUSE,
    VES_SPECULAR,
    VES_TEXTURE_COORDINATES,
    VES_SWAY, // four floats by which a vertex shader sways the vertex (wind)
};

// One element of a vertex: where it lives (buffer source and byte offset in
// that buffer's vertex), its type and its meaning.
class VertexElement {
public:
    VertexElement(uint16_t source, std::size_t offset, VertexElementType type,
                  VertexElementSemantic semantic, uint16_t index)
        : source_(source), offset_(offset), type_(type), semantic_(semantic), index_(index) {}

    uint16_t getSource() const { return source_; }
    std::size_t getOffset() const { return offset_; }
    VertexElementType getType() const { return type_; }
    VertexElementSemantic getSemantic() const { return semantic_; }
    uint16_t getIndex() const { return index_; }
    // Bytes this element takes.
    std::size_t getSize() const { return getTypeSize(type_); }

    // Bytes of an element of `type`: 4 per float, 4 for a packed colour.
    static std::size_t getTypeSize(VertexElementType type);

private:
    uint16_t source_;
    std::size_t offset_;
    VertexElementType type_;
    VertexElementSemantic semantic_;
    uint16_t index_;
};

} // namespace Velk
