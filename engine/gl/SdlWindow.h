#pragma once

#include "gl/GLWindow.h" // Required for: GLWindow

struct SDL_Window;

namespace Velk::GL {

// An on-screen window with an OpenGL 3.3 core context, made by SDL2. Its
// events feed the window's input state once per frame.
class SdlWindow : public GLWindow {
public:
    // Throws when SDL cannot open a display, the window or the context.
    SdlWindow(const std::string& title, unsigned int width, unsigned int height, bool fullScreen, bool vsync,
              int samples, bool resizable = true);
    ~SdlWindow() override;

    bool isClosed() const override { return closed_; }
    bool isOffscreen() const override { return false; }
    bool isFullScreen() const override { return fullScreen_; }
    void _pumpEvents() override;
    bool _waitEvents(int milliseconds) override;
    void swapBuffers() override;
    void bindForDrawing() override;

protected:
    void readPixels(std::vector<unsigned char>& rgba) override;

private:
    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    unsigned int windowId_ = 0;
    bool fullScreen_ = false;
    bool closed_ = false;
};

} // namespace Velk::GL
