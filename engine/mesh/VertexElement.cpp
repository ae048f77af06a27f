#include "mesh/VertexElement.h"

#include "core/Exception.h"

#include <string> // Required for: std::to_string

namespace Velk {

std::size_t VertexElement::getTypeSize(VertexElementType type) {
    switch (type) {
    case VET_FLOAT1: return 4;
    case VET_FLOAT2: return 8;
    case VET_FLOAT3: return 12;
    case VET_FLOAT4: return 16;
    case VET_COLOUR_ARGB: return 4;
    }
    VELK_EXCEPT(ERR_INVALIDPARAMS, "unknown vertex element type " + std::to_string(int(type)),
                "VertexElement::getTypeSize");
}

} // namespace Velk
