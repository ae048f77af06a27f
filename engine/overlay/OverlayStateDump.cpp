// The overlays' part of the state dump: what end-to-end tests read instead
// of pixels.
#include "overlay/OverlayManager.h"

#include "overlay/GuiElement.h"

#include <nlohmann/json.hpp> // Required for: nlohmann::json

namespace Velk {

// { "<overlay>": { "visible", "zOrder", "elements": { "<element>":
//   { "type", "caption", "visible", "parent" } } } }
nlohmann::json OverlayManager::dumpState() const {
    nlohmann::json overlays = nlohmann::json::object();
    for (const auto& [name, overlay] : overlays_) {
        nlohmann::json elements = nlohmann::json::object();
        for (const GuiElement* element : overlay->getAllElements()) {
            elements[element->getName()] = {
                {"type", element->getTypeName()},
                {"caption", element->getCaption()},
                {"visible", element->isVisible()},
                {"parent", element->getParent() != nullptr ? element->getParent()->getName() : std::string()}};
        }
        overlays[name] = {{"visible", overlay->isVisible()}, {"zOrder", overlay->getZOrder()}, {"elements", elements}};
    }
    return overlays;
}

} // namespace Velk
