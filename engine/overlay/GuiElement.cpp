#include "overlay/GuiElement.h"

#include "core/Exception.h"

#include <utility> // Required for: std::move

namespace Velk {

GuiElement::GuiElement(std::string name) : name_(std::move(name)) {}

GuiElement::~GuiElement() = default;

// Position of the element's top left corner from its alignment point.
void GuiElement::setPosition(float left, float top) {
    left_ = left;
    top_ = top;
}

// Size in the element's metrics.
void GuiElement::setDimensions(float width, float height) {
    width_ = width;
    height_ = height;
}

// Only containers take children, and an element has one parent.
void GuiElement::addChild(GuiElement* child) {
    const char* const source = "GuiElement::addChild";
    if (!isContainer()) {
        VELK_EXCEPT(ERR_INVALIDPARAMS, "overlay element '" + name_ + "' is a " + getTypeName() +
                                           " and cannot hold other elements", source);
    }
    if (child == nullptr || child == this || child->parent_ != nullptr) {
        VELK_EXCEPT(ERR_INVALIDPARAMS, "overlay element '" + (child ? child->name_ : std::string("(none)")) +
                                           "' cannot be added to '" + name_ + "'", source);
    }
    child->parent_ = this;
    children_.push_back(child);
}

// Relative values are fractions of the screen's height.
float GuiElement::verticalScale(const PixelRect& screen) const {
    return metrics_ == Metrics::Relative ? screen.height : 1.0f;
}

// Alignment picks a point of the parent; the position is an offset from it.
PixelRect GuiElement::resolveArea(const PixelRect& parentArea, const PixelRect& screen) const {
    const float scaleX = metrics_ == Metrics::Relative ? screen.width : 1.0f;
    const float scaleY = verticalScale(screen);
    PixelRect area;
    area.width = width_ * scaleX;
    area.height = height_ * scaleY;
    const float anchorX = horizontalAlign_ == HorizontalAlign::Left     ? 0.0f
                          : horizontalAlign_ == HorizontalAlign::Centre ? parentArea.width * 0.5f
                                                                        : parentArea.width;
    const float anchorY = verticalAlign_ == VerticalAlign::Top      ? 0.0f
                          : verticalAlign_ == VerticalAlign::Centre ? parentArea.height * 0.5f
                                                                    : parentArea.height;
    area.x = parentArea.x + anchorX + left_ * scaleX;
    area.y = parentArea.y + anchorY + top_ * scaleY;
    return area;
}

// Hidden elements hide their children too.
void GuiElement::draw(OverlayCanvas& canvas, const PixelRect& parentArea) const {
    if (!visible_) return;
    const PixelRect area = resolveArea(parentArea, canvas.getScreen());
    drawSelf(canvas, area);
    for (const GuiElement* child : children_) child->draw(canvas, area);
}

} // namespace Velk
