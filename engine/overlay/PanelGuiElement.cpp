#include "overlay/PanelGuiElement.h"

#include <utility> // Required for: std::move

namespace Velk {

// Panels start transparent: a script gives them a colour to show them.
PanelGuiElement::PanelGuiElement(std::string name) : GuiElement(std::move(name)) {
    setColour(ColourValue(0.0f, 0.0f, 0.0f, 0.0f));
}

// A width of 0 draws no border.
void PanelGuiElement::setBorder(float width, const ColourValue& colour) {
    borderWidth_ = width;
    borderColour_ = colour;
}

// The fill first, then the border over its edge.
void PanelGuiElement::drawSelf(OverlayCanvas& canvas, const PixelRect& area) const {
    if (area.width <= 0 || area.height <= 0) return;
    if (getColour().a > 0) canvas.fillRect(area, getColour());
    if (borderWidth_ > 0 && borderColour_.a > 0) canvas.strokeRect(area, borderWidth_, borderColour_);
}

} // namespace Velk
