#pragma once

#include "core/ColourValue.h"     // Required for: ColourValue
#include "render/RenderTarget.h"  // Required for: RenderTargetListener

namespace Velk {

class Camera;

// A rectangle of a render target that shows what a camera sees. Its place
// and size are fractions of the target (0..1, from the top left), so it
// follows the target's size. Each frame it clears its rectangle to its
// background colour and has the camera's scene manager draw into it. When
// its size in pixels changes (the window was resized) it gives the camera
// the new aspect ratio, so that the picture is not stretched.
// Made by RenderTarget::addViewport, which owns it.
class Viewport : public RenderTargetListener {
public:
    Viewport(Camera* camera, RenderTarget* target, int zOrder, float left, float top, float width, float height);

    unsigned int renderContents(RenderTarget& target) override;

    Camera* getCamera() const { return camera_; }
    void setCamera(Camera* camera) { camera_ = camera; }
    RenderTarget* getTarget() const { return target_; }
    int getZOrder() const { return zOrder_; }
    void setBackgroundColour(const ColourValue& colour) { background_ = colour; }
    const ColourValue& getBackgroundColour() const { return background_; }
    // Whether the rectangle is cleared before drawing (default true).
    void setClearEveryFrame(bool clear) { clearEveryFrame_ = clear; }
    bool getClearEveryFrame() const { return clearEveryFrame_; }

    // The rectangle in pixels of the target, from its top left.
    int getActualLeft() const;
    int getActualTop() const;
    int getActualWidth() const;
    int getActualHeight() const;

private:
    Camera* camera_;
    RenderTarget* target_;
    int zOrder_;
    float left_, top_, width_, height_;
    int drawnWidth_, drawnHeight_; // size in pixels the camera's aspect ratio was last kept in step with
    ColourValue background_ = ColourValue::Black;
    bool clearEveryFrame_ = true;
};

} // namespace Velk
