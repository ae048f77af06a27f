#pragma once

#include <epoxy/egl.h> // Required for: EGLDisplay, EGLContext

namespace Velk::GL {

// An OpenGL 3.3 core context without any window system: Mesa's surfaceless
// platform. Rendering goes into framebuffer objects.
class EglContext {
public:
    EglContext();
    ~EglContext();
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    void makeCurrent();

private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext context_ = EGL_NO_CONTEXT;
};

} // namespace Velk::GL
