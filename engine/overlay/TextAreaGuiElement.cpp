#include "overlay/TextAreaGuiElement.h"

#include <algorithm> // Required for: std::clamp
#include <cmath>     // Required for: std::lround
#include <utility>   // Required for: std::move

namespace Velk {

TextAreaGuiElement::TextAreaGuiElement(std::string name) : GuiElement(std::move(name)) {}

// Whole pixels keep glyphs sharp; relative sizes follow the window's height.
unsigned int TextAreaGuiElement::pixelSize(const PixelRect& screen) const {
    const long pixels = std::lround(fontSize_ * verticalScale(screen));
    return static_cast<unsigned int>(std::clamp(pixels, 1L, static_cast<long>(maxPixelSize)));
}

// One canvas line per line of the caption.
void TextAreaGuiElement::drawSelf(OverlayCanvas& canvas, const PixelRect& area) const {
    const std::string& caption = getCaption();
    if (caption.empty() || getColour().a <= 0) return;
    const unsigned int size = pixelSize(canvas.getScreen());
    float top = area.y;
    std::size_t start = 0;
    while (start <= caption.size()) {
        std::size_t end = caption.find('\n', start);
        if (end == std::string::npos) end = caption.size();
        if (end > start) canvas.drawText(area.x, top, size, caption.substr(start, end - start), getColour());
        top += canvas.getLineHeight(size);
        start = end + 1;
    }
}

} // namespace Velk
