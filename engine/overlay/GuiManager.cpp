#include "overlay/GuiManager.h"

#include "core/Exception.h"

namespace Velk {

GuiManager::GuiManager() = default;

GuiManager::~GuiManager() = default;

// Lookups by name are how the application reaches captions; a wrong name
// must say which one.
GuiElement* GuiManager::getGuiElement(const std::string& name, bool isTemplate) {
    const char* const source = "GuiManager::getGuiElement";
    if (isTemplate) {
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND, "there is no overlay element template named '" + name +
                                            "' (overlay scripts define no templates)", source);
    }
    const auto found = elements_.find(name);
    if (found == elements_.end()) {
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND, "there is no overlay element named '" + name + "'", source);
    }
    return found->second.get();
}

// Lookup without the error.
bool GuiManager::hasGuiElement(const std::string& name) const { return elements_.count(name) != 0; }

// The element is kept until the manager goes.
GuiElement* GuiManager::addGuiElement(std::unique_ptr<GuiElement> element) {
    const std::string name = element->getName();
    if (hasGuiElement(name)) {
        VELK_EXCEPT(ERR_DUPLICATE_ITEM, "an overlay element named '" + name + "' already exists",
                    "GuiManager::addGuiElement");
    }
    GuiElement* added = element.get();
    elements_.emplace(name, std::move(element));
    return added;
}

} // namespace Velk
