#pragma once

#include "core/ColourValue.h"     // Required for: ColourValue
#include "overlay/OverlayCanvas.h" // Required for: OverlayCanvas, PixelRect

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk {

// One element of an overlay: a named rectangle placed relative to its parent
// (or to the window for the top elements of an overlay), with a colour and a
// caption. Panels hold other elements; text areas draw their caption. The
// GuiManager owns every element and finds it by name.
class GuiElement {
public:
    // Units of position and size: pixels, or fractions of the window's width
    // (horizontal values) and height (vertical values and font sizes).
    enum class Metrics { Pixels, Relative };
    // The point of the parent that the position is measured from.
    enum class HorizontalAlign { Left, Centre, Right };
    enum class VerticalAlign { Top, Centre, Bottom };

    explicit GuiElement(std::string name);
    virtual ~GuiElement();
    GuiElement(const GuiElement&) = delete;
    GuiElement& operator=(const GuiElement&) = delete;

    const std::string& getName() const { return name_; }
    // "Panel" or "TextArea", as scripts and the state dump name the kinds.
    virtual const char* getTypeName() const = 0;
    // Whether the element can hold other elements.
    virtual bool isContainer() const { return false; }

    // The text the element shows (text areas) or carries (panels).
    void setCaption(const std::string& caption) { caption_ = caption; }
    const std::string& getCaption() const { return caption_; }

    void setMetricsMode(Metrics metrics) { metrics_ = metrics; }
    Metrics getMetricsMode() const { return metrics_; }
    void setHorizontalAlignment(HorizontalAlign align) { horizontalAlign_ = align; }
    HorizontalAlign getHorizontalAlignment() const { return horizontalAlign_; }
    void setVerticalAlignment(VerticalAlign align) { verticalAlign_ = align; }
    VerticalAlign getVerticalAlignment() const { return verticalAlign_; }
    void setPosition(float left, float top);
    float getLeft() const { return left_; }
    float getTop() const { return top_; }
    void setDimensions(float width, float height);
    float getWidth() const { return width_; }
    float getHeight() const { return height_; }
    // Fill colour of a panel, text colour of a text area.
    void setColour(const ColourValue& colour) { colour_ = colour; }
    const ColourValue& getColour() const { return colour_; }

    void show() { visible_ = true; }
    void hide() { visible_ = false; }
    bool isVisible() const { return visible_; }

    // Children, drawn after (above) their parent in the order added. The
    // element does not own them.
    void addChild(GuiElement* child);
    const std::vector<GuiElement*>& getChildren() const { return children_; }
    GuiElement* getParent() const { return parent_; }

    // Where the element lies in pixels, given its parent's area and the screen.
    PixelRect resolveArea(const PixelRect& parentArea, const PixelRect& screen) const;
    // Draws the element and then its children, unless it is hidden.
    void draw(OverlayCanvas& canvas, const PixelRect& parentArea) const;

protected:
    // Draws the element itself in its resolved area.
    virtual void drawSelf(OverlayCanvas& canvas, const PixelRect& area) const = 0;
    // Pixels per unit of a vertical value on this screen (font sizes too).
    float verticalScale(const PixelRect& screen) const;

private:
    std::string name_;
    std::string caption_;
    Metrics metrics_ = Metrics::Pixels;
    HorizontalAlign horizontalAlign_ = HorizontalAlign::Left;
    VerticalAlign verticalAlign_ = VerticalAlign::Top;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    ColourValue colour_ = ColourValue::White;
    bool visible_ = true;
    GuiElement* parent_ = nullptr;
    std::vector<GuiElement*> children_;
};

} // namespace Velk
