#include "overlay/Overlay.h"

#include <utility> // Required for: std::move

namespace Velk {

Overlay::Overlay(std::string name, int zOrder) : name_(std::move(name)), zOrder_(zOrder) {}

// Top elements draw in the order added.
void Overlay::add2D(GuiElement* element) {
    if (element != nullptr) elements_.push_back(element);
}

namespace {
// Depth first, in the order the script lists them.
void collect(const GuiElement* element, std::vector<const GuiElement*>& all) {
    all.push_back(element);
    for (const GuiElement* child : element->getChildren()) collect(child, all);
}
} // namespace

// For the state dump and tests.
std::vector<const GuiElement*> Overlay::getAllElements() const {
    std::vector<const GuiElement*> all;
    for (const GuiElement* element : elements_) collect(element, all);
    return all;
}

// Top elements are placed in the whole screen.
void Overlay::draw(OverlayCanvas& canvas) const {
    if (!visible_) return;
    const PixelRect screen = canvas.getScreen();
    for (const GuiElement* element : elements_) element->draw(canvas, screen);
}

} // namespace Velk
