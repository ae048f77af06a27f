#pragma once

#include "core/Singleton.h"     // Required for: Singleton
#include "overlay/GuiElement.h" // Required for: GuiElement

#include <map>    // Required for: std::map
#include <memory> // Required for: std::unique_ptr
#include <string> // Required for: std::string

namespace Velk {

// Owns every overlay element and finds it by name. Names are unique across
// all overlays. The overlay manager creates and destroys the one instance.
class GuiManager : public Singleton<GuiManager> {
public:
    static constexpr const char* singletonName = "GuiManager";

    GuiManager();
    ~GuiManager();

    // The element of that name. Overlay scripts define no templates, so with
    // isTemplate true, as for an unknown name, this is an engine error that
    // names the element.
    GuiElement* getGuiElement(const std::string& name, bool isTemplate = false);
    bool hasGuiElement(const std::string& name) const;
    // Takes an element; a name already in use is an engine error.
    GuiElement* addGuiElement(std::unique_ptr<GuiElement> element);

    const std::map<std::string, std::unique_ptr<GuiElement>>& getElements() const { return elements_; }

private:
    std::map<std::string, std::unique_ptr<GuiElement>> elements_;
};

} // namespace Velk
