#pragma once

#include "gl/EglContext.h" // Required for: EglContext
#include "gl/GLWindow.h"   // Required for: GLWindow

#include <epoxy/gl.h> // Required for: GLuint

namespace Velk::GL {

// A render window without a display: an EGL surfaceless context drawing into
// a framebuffer of the configured size. With anti-aliasing it draws into a
// multisampled framebuffer and resolves into the one that is read back.
class OffscreenWindow : public GLWindow {
public:
    OffscreenWindow(const std::string& name, unsigned int width, unsigned int height, int samples);
    ~OffscreenWindow() override;

    bool isClosed() const override { return false; }
    bool isOffscreen() const override { return true; }
    bool isFullScreen() const override { return false; }
    void _pumpEvents() override { input_.beginFrame(); }
    bool _waitEvents(int) override { return false; }
    void swapBuffers() override;
    void bindForDrawing() override;

protected:
    void readPixels(std::vector<unsigned char>& rgba) override;

private:
    void resolve();
    void release();

    EglContext context_;
    GLuint resolveFramebuffer_ = 0; // single-sampled, read back
    GLuint resolveColour_ = 0;
    GLuint drawFramebuffer_ = 0;    // multisampled, or the resolve framebuffer itself
    GLuint drawColour_ = 0;
    GLuint depth_ = 0;
    int samples_ = 0;
};

} // namespace Velk::GL
