#pragma once

#include "overlay/GuiElement.h" // Required for: GuiElement, OverlayCanvas

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk {

// A named layer of elements drawn over the whole window after the scene.
// Overlays start hidden; higher z-orders draw above lower ones. The elements
// belong to the GuiManager, the overlay to the OverlayManager.
class Overlay {
public:
    Overlay(std::string name, int zOrder);
    Overlay(const Overlay&) = delete;
    Overlay& operator=(const Overlay&) = delete;

    const std::string& getName() const { return name_; }
    int getZOrder() const { return zOrder_; }
    void setZOrder(int zOrder) { zOrder_ = zOrder; }

    void show() { visible_ = true; }
    void hide() { visible_ = false; }
    bool isVisible() const { return visible_; }

    // A top element, placed relative to the window.
    void add2D(GuiElement* element);
    const std::vector<GuiElement*>& getElements() const { return elements_; }
    // Every element of the overlay, parents before their children.
    std::vector<const GuiElement*> getAllElements() const;

    // Draws every element when shown; nothing when hidden.
    void draw(OverlayCanvas& canvas) const;

private:
    std::string name_;
    int zOrder_;
    bool visible_ = false;
    std::vector<GuiElement*> elements_;
};

} // namespace Velk
