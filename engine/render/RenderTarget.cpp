#include "render/RenderTarget.h"

#include "gl/GLErrors.h"
#include "render/ImageWriter.h"
#include "render/OpaqueImage.h"
#include "render/Viewport.h"

#include <epoxy/gl.h> // Required for: glClear, glClearColor

#include <algorithm> // Required for: std::find, std::erase
#include <utility>   // Required for: std::move

namespace Velk {

RenderTarget::RenderTarget(std::string name, unsigned int width, unsigned int height)
    : name_(std::move(name)), width_(width), height_(height) {}

RenderTarget::~RenderTarget() = default;

// A listener is added once; drawing follows the order of adding.
void RenderTarget::addListener(RenderTargetListener* listener) {
    if (listener != nullptr && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void RenderTarget::removeListener(RenderTargetListener* listener) { std::erase(listeners_, listener); }

// Clears colour and depth, then lets the listeners, the overlay layer and the GUI draw
// and counts their triangles.
void RenderTarget::update() {
    bindForDrawing();
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(clearColour_.r, clearColour_.g, clearColour_.b, clearColour_.a);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    unsigned int triangles = 0;
    const std::vector<RenderTargetListener*> listeners = listeners_;
    for (RenderTargetListener* listener : listeners) triangles += listener->renderContents(*this);
    if (overlayListener_ != nullptr) triangles += overlayListener_->renderContents(*this);
    if (guiListener_ != nullptr) triangles += guiListener_->renderContents(*this);
    lastTriangles_ = triangles;
    GL::checkErrors("RenderTarget::update");
}

// GL gives the bottom row first; images want the top row first.
std::vector<unsigned char> RenderTarget::readContents() {
    std::vector<unsigned char> bottomUp;
    readPixels(bottomUp);
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    std::vector<unsigned char> topDown(bottomUp.size());
    for (unsigned int row = 0; row < height_; ++row) {
        std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(row * rowBytes), rowBytes,
                    topDown.begin() + static_cast<std::ptrdiff_t>((height_ - 1 - row) * rowBytes));
    }
    return topDown;
}

// Reads back what was drawn, opaque as the window shows it, and encodes it
// by the file extension.
void RenderTarget::writeContentsToFile(const std::string& fileName) {
    std::vector<unsigned char> pixels = readContents();
    makeOpaque(pixels);
    writeImageFile(fileName, width_, height_, pixels);
}

} // namespace Velk
