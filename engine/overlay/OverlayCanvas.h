#pragma once

#include "core/ColourValue.h" // Required for: ColourValue

#include <string> // Required for: std::string

namespace Velk {

// A rectangle in pixels, origin at the top left of the target.
struct PixelRect {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
};

// What overlay elements draw on: flat rectangles and lines of text in
// pixels. The renderer supplies the GL version; tests can supply their own
// to check layout without a GL context.
class OverlayCanvas {
public:
    virtual ~OverlayCanvas() = default;
    // Size of the target in pixels.
    virtual PixelRect getScreen() const = 0;
    virtual void fillRect(const PixelRect& area, const ColourValue& colour) = 0;
    // An outline `thickness` pixels wide inside the rectangle.
    virtual void strokeRect(const PixelRect& area, float thickness, const ColourValue& colour) = 0;
    // One line of text whose glyph box starts at (x, top), in DejaVu Sans at
    // the given pixel size.
    virtual void drawText(float x, float top, unsigned int pixelSize, const std::string& text,
                          const ColourValue& colour) = 0;
    // Distance between two baselines at the given pixel size.
    virtual float getLineHeight(unsigned int pixelSize) = 0;
};

} // namespace Velk
