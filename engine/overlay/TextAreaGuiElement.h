#pragma once

#include "overlay/GuiElement.h" // Required for: GuiElement

namespace Velk {

// Draws its caption in DejaVu Sans, in its colour, from the top left of its
// area; a line break in the caption starts a new line below.
class TextAreaGuiElement : public GuiElement {
public:
    // Text areas are as large as fonts get: bigger sizes are drawn at this one.
    static constexpr unsigned int maxPixelSize = 48;

    explicit TextAreaGuiElement(std::string name);

    const char* getTypeName() const override { return "TextArea"; }

    // Height of the font, in the element's metrics.
    void setFontSize(float size) { fontSize_ = size; }
    float getFontSize() const { return fontSize_; }
    // The font size in whole pixels on this screen, 1 to maxPixelSize.
    unsigned int pixelSize(const PixelRect& screen) const;

protected:
    void drawSelf(OverlayCanvas& canvas, const PixelRect& area) const override;

private:
    float fontSize_ = 16; // default: 16 pixels
};

} // namespace Velk
