#include "gl/GLWindow.h"

#include <epoxy/gl.h> // Required for: glGetString, glReadPixels

namespace Velk::GL {

namespace {
// A driver string, or "unknown" when the driver gives none.
std::string glString(GLenum name) {
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return text == nullptr ? std::string("unknown") : std::string(text);
}
} // namespace

// Kept for the log and the state dump.
void GLWindow::readDriverInfo() {
    glVersion_ = glString(GL_VERSION);
    glRenderer_ = glString(GL_RENDERER);
}

// Tightly packed RGBA rows, bottom row first.
void GLWindow::readFramebuffer(unsigned int framebuffer, std::vector<unsigned char>& rgba) {
    rgba.assign(static_cast<std::size_t>(width_) * height_ * 4, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    if (framebuffer == 0) glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_), GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
}

} // namespace Velk::GL
