#pragma once

#include "render/RenderWindow.h" // Required for: RenderWindow

#include <string> // Required for: std::string

namespace Velk::GL {

// What both window kinds share once their context is current: the driver
// strings and reading pixels back.
class GLWindow : public RenderWindow {
public:
    const std::string& getGLVersion() const { return glVersion_; }
    const std::string& getGLRenderer() const { return glRenderer_; }

protected:
    using RenderWindow::RenderWindow;
    // Reads GL_VERSION and GL_RENDERER of the current context.
    void readDriverInfo();
    // glReadPixels of the whole target from a framebuffer (0: the window's).
    void readFramebuffer(unsigned int framebuffer, std::vector<unsigned char>& rgba);

private:
    std::string glVersion_;
    std::string glRenderer_;
};

} // namespace Velk::GL
