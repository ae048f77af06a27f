#include "gl/EglContext.h"

#include "core/Exception.h"

#include <cstdio> // Required for: std::snprintf
#include <string> // Required for: std::string

namespace Velk::GL {

namespace {
[[noreturn]] void fail(const std::string& what) {
    throw Exception(Exception::ERR_RENDERINGAPI_ERROR,
                    what + " (EGL error 0x" + [] {
                        char hex[16];
                        std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(eglGetError()));
                        return std::string(hex);
                    }() + ")",
                    "EglContext::EglContext");
}
} // namespace

// Surfaceless display, no config, core profile 3.3, made current at once.
EglContext::EglContext() {
    display_ = eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display_ == EGL_NO_DISPLAY) fail("no surfaceless EGL display");
    EGLint major = 0;
    EGLint minor = 0;
    if (!eglInitialize(display_, &major, &minor)) fail("cannot initialise the surfaceless EGL display");
    if (!eglBindAPI(EGL_OPENGL_API)) {
        eglTerminate(display_);
        fail("EGL cannot bind the OpenGL API");
    }
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 3,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
    context_ = eglCreateContext(display_, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context_ == EGL_NO_CONTEXT) {
        eglTerminate(display_);
        fail("cannot create an OpenGL 3.3 core context on EGL");
    }
    makeCurrent();
}

// Releases the context and the display connection.
EglContext::~EglContext() {
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display_, context_);
    eglTerminate(display_);
    eglReleaseThread();
}

// No surface: the caller binds a framebuffer object.
void EglContext::makeCurrent() {
    if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_))
        fail("cannot make the EGL context current");
}

} // namespace Velk::GL
