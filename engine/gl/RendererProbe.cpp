#include "gl/RendererProbe.h"

#include "core/Exception.h"
#include "gl/EglContext.h"

#include <epoxy/gl.h> // Required for: glGetString

namespace Velk::GL {

// The context goes as soon as the string is read.
std::string probeRendererName() {
    try {
        EglContext context;
        const auto* text = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        return text == nullptr ? std::string() : std::string(text);
    } catch (const Exception&) {
        return {};
    }
}

// Mesa names its CPU drivers in the renderer string.
bool isSoftwareRenderer(const std::string& rendererName) {
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
        if (rendererName.find(name) != std::string::npos) return true;
    return false;
}

} // namespace Velk::GL
