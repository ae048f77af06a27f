#include "gl/OffscreenWindow.h"

#include "core/Exception.h"
#include "gl/GLErrors.h"
#include "gl/GLObjects.h"

#include <algorithm> // Required for: std::min

namespace Velk::GL {

namespace {
// A framebuffer with one colour and (optionally) one depth-stencil renderbuffer.
void buildFramebuffer(GLuint& framebuffer, GLuint& colour, GLuint* depth, unsigned int width, unsigned int height,
                      int samples) {
    framebuffer = createObject(ObjectKind::Framebuffer);
    colour = createObject(ObjectKind::Renderbuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, static_cast<GLsizei>(width),
                                     static_cast<GLsizei>(height));
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    if (depth != nullptr) {
        *depth = createObject(ObjectKind::Renderbuffer);
        glBindRenderbuffer(GL_RENDERBUFFER, *depth);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, static_cast<GLsizei>(width),
                                         static_cast<GLsizei>(height));
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, *depth);
    }
}
} // namespace

// The context comes first (member order); the framebuffers are made in it.
OffscreenWindow::OffscreenWindow(const std::string& name, unsigned int width, unsigned int height, int samples)
    : GLWindow(name, width, height) {
    readDriverInfo();
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    samples_ = std::min(samples, static_cast<int>(maxSamples));
    if (samples_ > 0) {
        buildFramebuffer(drawFramebuffer_, drawColour_, &depth_, width, height, samples_);
        buildFramebuffer(resolveFramebuffer_, resolveColour_, nullptr, width, height, 0);
    } else {
        buildFramebuffer(resolveFramebuffer_, resolveColour_, &depth_, width, height, 0);
        drawFramebuffer_ = resolveFramebuffer_;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, drawFramebuffer_);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    try {
        checkErrors("OffscreenWindow::OffscreenWindow");
        if (status != GL_FRAMEBUFFER_COMPLETE) {
            VELK_EXCEPT(ERR_RENDERINGAPI_ERROR, "the offscreen framebuffer is incomplete",
                        "OffscreenWindow::OffscreenWindow");
        }
    } catch (...) {
        release();
        throw;
    }
}

OffscreenWindow::~OffscreenWindow() { release(); }

// Frees every framebuffer object while the context is still current.
void OffscreenWindow::release() {
    context_.makeCurrent();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (drawFramebuffer_ != resolveFramebuffer_) {
        deleteObject(ObjectKind::Framebuffer, drawFramebuffer_);
        deleteObject(ObjectKind::Renderbuffer, drawColour_);
    }
    drawFramebuffer_ = 0;
    deleteObject(ObjectKind::Framebuffer, resolveFramebuffer_);
    deleteObject(ObjectKind::Renderbuffer, resolveColour_);
    deleteObject(ObjectKind::Renderbuffer, depth_);
}

// Draws go to the multisampled framebuffer when there is one.
void OffscreenWindow::bindForDrawing() {
    context_.makeCurrent();
    glBindFramebuffer(GL_FRAMEBUFFER, drawFramebuffer_);
    glViewport(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_));
}

// Copies the multisampled image into the readable one.
void OffscreenWindow::resolve() {
    if (drawFramebuffer_ == resolveFramebuffer_) return;
    const auto w = static_cast<GLint>(width_);
    const auto h = static_cast<GLint>(height_);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, drawFramebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolveFramebuffer_);
    glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, drawFramebuffer_);
}

// Nothing is shown; the frame is finished so that timings are honest.
void OffscreenWindow::swapBuffers() {
    context_.makeCurrent();
    resolve();
    glFinish();
}

// Reads the resolved image, then rebinds the drawing framebuffer.
void OffscreenWindow::readPixels(std::vector<unsigned char>& rgba) {
    context_.makeCurrent();
    resolve();
    readFramebuffer(resolveFramebuffer_, rgba);
    glBindFramebuffer(GL_FRAMEBUFFER, drawFramebuffer_);
}

} // namespace Velk::GL
