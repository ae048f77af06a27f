#pragma once

#include "gl/FontAtlas.h"          // Required for: FontAtlas
#include "gl/Painter2D.h"          // Required for: Painter2D
#include "overlay/OverlayCanvas.h" // Required for: OverlayCanvas

#include <map>    // Required for: std::map
#include <memory> // Required for: std::unique_ptr

namespace Velk::GL {

// The overlays' canvas on GL: a Painter2D over the whole target, and one
// DejaVu Sans atlas per pixel size in use, made when first needed so that
// text is rasterised at the size it is shown. Needs a current context for
// its whole life.
class OverlayPainter : public OverlayCanvas {
public:
    OverlayPainter();
    ~OverlayPainter() override;

    // Starts drawing over a target of this size, whatever state the scene left.
    void begin(unsigned int width, unsigned int height);
    // Draws what is batched.
    void end();

    PixelRect getScreen() const override { return screen_; }
    void fillRect(const PixelRect& area, const ColourValue& colour) override;
    void strokeRect(const PixelRect& area, float thickness, const ColourValue& colour) override;
    void drawText(float x, float top, unsigned int pixelSize, const std::string& text,
                  const ColourValue& colour) override;
    float getLineHeight(unsigned int pixelSize) override;

    // Number of font sizes rasterised so far.
    std::size_t getFontCount() const { return fonts_.size(); }

private:
    const FontAtlas& font(unsigned int pixelSize);

    Painter2D painter_;
    std::map<unsigned int, std::unique_ptr<FontAtlas>> fonts_;
    PixelRect screen_;
};

} // namespace Velk::GL
