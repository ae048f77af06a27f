#include "gl/SdlWindow.h"

#include "core/Exception.h"
#include "gl/SdlKeyMap.h"

#include <SDL2/SDL.h> // Required for: SDL_CreateWindow, SDL_GL_*, SDL_PollEvent
#include <epoxy/gl.h> // Required for: glViewport, glBindFramebuffer

namespace Velk::GL {

namespace {
// Requests a 3.3 core, double-buffered context with depth and the samples.
void setContextAttributes(int samples) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
}

// SDL buttons 1 left, 2 middle, 3 right -> engine 0 left, 1 right, 2 middle.
int engineButton(Uint8 sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return sdlButton;
    }
}
} // namespace

// Falls back to no multisampling when the display offers none.
SdlWindow::SdlWindow(const std::string& title, unsigned int width, unsigned int height, bool fullScreen,
                     bool vsync, int samples, bool resizable)
    : GLWindow(title, width, height), fullScreen_(fullScreen) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        VELK_EXCEPT(ERR_RENDERINGAPI_ERROR, std::string("cannot open a display: ") + SDL_GetError(),
                    "SdlWindow::SdlWindow");
    }
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN;
    if (resizable && !fullScreen) flags |= SDL_WINDOW_RESIZABLE;
    setContextAttributes(samples);
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               static_cast<int>(width), static_cast<int>(height), flags);
    if (window_ == nullptr && samples > 0) {
        setContextAttributes(0);
        window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   static_cast<int>(width), static_cast<int>(height), flags);
    }
    if (window_ != nullptr) context_ = SDL_GL_CreateContext(window_);
    if (context_ == nullptr) {
        const std::string reason = SDL_GetError();
        if (window_ != nullptr) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        VELK_EXCEPT(ERR_RENDERINGAPI_ERROR, "cannot create a window with an OpenGL 3.3 core context: " + reason,
                    "SdlWindow::SdlWindow");
    }
    windowId_ = SDL_GetWindowID(window_);
    SDL_GL_MakeCurrent(window_, context_);
    SDL_GL_SetSwapInterval(vsync ? 1 : 0);
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(window_, &drawableWidth, &drawableHeight);
    if (drawableWidth > 0 && drawableHeight > 0) {
        width_ = static_cast<unsigned int>(drawableWidth);
        height_ = static_cast<unsigned int>(drawableHeight);
    }
    readDriverInfo();
}

// Context first, then the window, then the video subsystem reference.
SdlWindow::~SdlWindow() {
    SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(context_);
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// Reads every pending event into this frame's input state.
void SdlWindow::_pumpEvents() {
    input_.beginFrame();
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        switch (event.type) {
        case SDL_QUIT: closed_ = true; break;
        case SDL_WINDOWEVENT:
            if (event.window.windowID != windowId_) break;
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) closed_ = true;
            if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                int w = 0;
                int h = 0;
                SDL_GL_GetDrawableSize(window_, &w, &h);
                if (w > 0 && h > 0) {
                    width_ = static_cast<unsigned int>(w);
                    height_ = static_cast<unsigned int>(h);
                }
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (event.key.repeat == 0) {
                const KeyCode key = keyCodeFromScancode(event.key.keysym.scancode);
                if (key != KC_UNASSIGNED) input_.setDeviceKey(key, event.type == SDL_KEYDOWN);
            }
            break;
        case SDL_MOUSEMOTION:
            input_.moveMouse(event.motion.x, event.motion.y, event.motion.xrel, event.motion.yrel);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            input_.setMouseButton(engineButton(event.button.button), event.type == SDL_MOUSEBUTTONDOWN,
                                  event.button.x, event.button.y);
            break;
        case SDL_MOUSEWHEEL: input_.turnWheel(event.wheel.y); break;
        default: break;
        }
    }
}

// Leaves the event in the queue for the next pump.
bool SdlWindow::_waitEvents(int milliseconds) { return SDL_WaitEventTimeout(nullptr, milliseconds) == 1; }

void SdlWindow::swapBuffers() { SDL_GL_SwapWindow(window_); }

// The window's own framebuffer (0), whole drawable size.
void SdlWindow::bindForDrawing() {
    SDL_GL_MakeCurrent(window_, context_);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_));
}

// The back buffer still holds the frame until it is swapped.
void SdlWindow::readPixels(std::vector<unsigned char>& rgba) {
    SDL_GL_MakeCurrent(window_, context_);
    readFramebuffer(0, rgba);
}

} // namespace Velk::GL
