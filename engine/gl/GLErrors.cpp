#include "gl/GLErrors.h"

#include "core/Exception.h"

#include <epoxy/gl.h> // Required for: glGetError

#include <string> // Required for: std::string

namespace Velk::GL {

namespace {
// The GL name of an error code.
const char* errorName(GLenum error) {
    switch (error) {
    case GL_INVALID_ENUM: return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE: return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION: return "GL_INVALID_OPERATION";
    case GL_INVALID_FRAMEBUFFER_OPERATION: return "GL_INVALID_FRAMEBUFFER_OPERATION";
    case GL_OUT_OF_MEMORY: return "GL_OUT_OF_MEMORY";
    default: return "unknown GL error";
    }
}
} // namespace

// Drains the queue (GL may hold several) and reports them all at once.
void checkErrors(const char* operation) {
    std::string errors;
    for (int i = 0; i < 16; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) break;
        if (!errors.empty()) errors += ", ";
        errors += errorName(error);
    }
    if (!errors.empty()) {
        VELK_EXCEPT(ERR_RENDERINGAPI_ERROR, "the driver reported " + errors, operation);
    }
}

} // namespace Velk::GL
