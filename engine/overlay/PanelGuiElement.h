#pragma once

#include "overlay/GuiElement.h" // Required for: GuiElement

namespace Velk {

// A filled rectangle with an optional border that holds other elements. Its
// colour is the fill; a fully transparent panel only groups its children.
class PanelGuiElement : public GuiElement {
public:
    explicit PanelGuiElement(std::string name);

    const char* getTypeName() const override { return "Panel"; }
    bool isContainer() const override { return true; }

    // Border width in pixels (0: none) and its colour.
    void setBorder(float width, const ColourValue& colour);
    float getBorderWidth() const { return borderWidth_; }
    const ColourValue& getBorderColour() const { return borderColour_; }

protected:
    void drawSelf(OverlayCanvas& canvas, const PixelRect& area) const override;

private:
    float borderWidth_ = 0;
    ColourValue borderColour_ = ColourValue::White;
};

} // namespace Velk
