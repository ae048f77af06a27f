#include "render/Viewport.h"

#include "scene/Camera.h"
#include "scene/SceneManager.h"

#include <epoxy/gl.h> // Required for: glViewport, glScissor, glClear

#include <cmath> // Required for: std::lround

namespace Velk {

Viewport::Viewport(Camera* camera, RenderTarget* target, int zOrder, float left, float top, float width, float height)
    : camera_(camera), target_(target), zOrder_(zOrder), left_(left), top_(top), width_(width), height_(height),
      drawnWidth_(getActualWidth()), drawnHeight_(getActualHeight()) {}

int Viewport::getActualLeft() const { return static_cast<int>(std::lround(left_ * static_cast<float>(target_->getWidth()))); }

int Viewport::getActualTop() const { return static_cast<int>(std::lround(top_ * static_cast<float>(target_->getHeight()))); }

int Viewport::getActualWidth() const {
    return static_cast<int>(std::lround(width_ * static_cast<float>(target_->getWidth())));
}

int Viewport::getActualHeight() const {
    return static_cast<int>(std::lround(height_ * static_cast<float>(target_->getHeight())));
}

// GL counts rows from the bottom; the viewport's top is counted from the top.
unsigned int Viewport::renderContents(RenderTarget& target) {
    const int width = getActualWidth();
    const int height = getActualHeight();
    if (width <= 0 || height <= 0) return 0;
    if (width != drawnWidth_ || height != drawnHeight_) {
        drawnWidth_ = width;
        drawnHeight_ = height;
        if (camera_ != nullptr) camera_->setAspectRatio(static_cast<float>(width) / static_cast<float>(height));
    }
    const int bottom = static_cast<int>(target.getHeight()) - getActualTop() - height;
    glViewport(getActualLeft(), bottom, width, height);
    if (clearEveryFrame_) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(getActualLeft(), bottom, width, height);
        glDepthMask(GL_TRUE);
        glClearColor(background_.r, background_.g, background_.b, background_.a);
        glClearDepth(1.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
    }
    unsigned int triangles = 0;
    if (camera_ != nullptr && camera_->getSceneManager() != nullptr)
        triangles = camera_->getSceneManager()->_renderScene(*camera_, *this);
    glViewport(0, 0, static_cast<GLsizei>(target.getWidth()), static_cast<GLsizei>(target.getHeight()));
    return triangles;
}

} // namespace Velk
