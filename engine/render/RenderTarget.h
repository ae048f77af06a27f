#pragma once

#include "core/ColourValue.h"      // Required for: ColourValue
#include "render/FrameStatistics.h" // Required for: FrameStats, FrameStatistics

#include <cstdint> // Required for: std::int64_t
#include <memory>  // Required for: std::unique_ptr
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

namespace Velk {

class Camera;
class RenderTarget;
class Viewport;

// Draws into a render target once per frame, after the target was bound and
// cleared. The scene and overlays plug in here.
class RenderTargetListener {
public:
    virtual ~RenderTargetListener() = default;
    // Draws and returns the number of triangles drawn.
    virtual unsigned int renderContents(RenderTarget& target) = 0;
};

// Something the engine draws into: frame statistics, debug text, screenshots.
class RenderTarget {
public:
    virtual ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    const std::string& getName() const { return name_; }
    unsigned int getWidth() const { return width_; }
    unsigned int getHeight() const { return height_; }

    const FrameStats& getStatistics() const { return statistics_.getStats(); }
    float getLastFPS() const { return getStatistics().lastFPS; }
    float getAverageFPS() const { return getStatistics().avgFPS; }
    unsigned int getTriangleCount() const { return getStatistics().triangleCount; }
    void resetStatistics() { statistics_.reset(); }

    // A free line of text the statistics overlay shows.
    void setDebugText(const std::string& text) { debugText_ = text; }
    const std::string& getDebugText() const { return debugText_; }

    // Colour the target is cleared to before listeners draw.
    void setClearColour(const ColourValue& colour) { clearColour_ = colour; }
    const ColourValue& getClearColour() const { return clearColour_; }

    void addListener(RenderTargetListener* listener);
    void removeListener(RenderTargetListener* listener);
    // The overlay layer: drawn after every listener, whenever they were
    // added, so that overlays are never covered by a viewport. Null for none.
    void _setOverlayListener(RenderTargetListener* listener) { overlayListener_ = listener; }
    // The immediate-mode GUI layer: drawn last, over the overlays. Null for none.
    void _setGuiListener(RenderTargetListener* listener) { guiListener_ = listener; }

    // Writes what was last drawn: PNG for ".png", JPEG for ".jpg"/".jpeg".
    void writeContentsToFile(const std::string& fileName);
    // The pixels last drawn, RGBA, top row first.
    std::vector<unsigned char> readContents();

    // A viewport showing `camera` in the rectangle given as fractions of the
    // target (from the top left). Viewports draw in rising z-order, each
    // once per frame; throws when the z-order is taken or the camera is null.
    Viewport* addViewport(Camera* camera, int zOrder = 0, float left = 0.0f, float top = 0.0f, float width = 1.0f,
                          float height = 1.0f);
    std::size_t getNumViewports() const { return viewports_.size(); }
    // Viewport number `index` in z-order; throws when there is none.
    Viewport* getViewport(std::size_t index) const;
    void removeViewport(int zOrder);
    void removeAllViewports();

    // Binds, clears and lets every listener draw; called by the frame loop.
    void update();
    // Adds a presented frame to the statistics; called by the frame loop.
    void _recordFrame(std::int64_t microseconds) { statistics_.recordFrame(microseconds, lastTriangles_); }
    // Makes this target's context current and binds it for drawing.
    virtual void bindForDrawing() = 0;

protected:
    RenderTarget(std::string name, unsigned int width, unsigned int height);
    // Reads the drawn pixels as RGBA, bottom row first (as GL gives them).
    virtual void readPixels(std::vector<unsigned char>& rgba) = 0;

    std::string name_;
    unsigned int width_;
    unsigned int height_;

private:
    FrameStatistics statistics_;
    std::string debugText_;
    ColourValue clearColour_ = ColourValue::Black;
    std::vector<RenderTargetListener*> listeners_;
    std::vector<std::unique_ptr<Viewport>> viewports_; // in z-order
    RenderTargetListener* overlayListener_ = nullptr;
    RenderTargetListener* guiListener_ = nullptr;
    unsigned int lastTriangles_ = 0;
};

} // namespace Velk
