#include "overlay/OverlayManager.h"

#include "core/Exception.h"
#include "core/Log.h"
#include "core/ResourceManager.h"
#include "gl/OverlayPainter.h"
#include "overlay/GuiManager.h"
#include "overlay/OverlayScriptParser.h"
#include "overlay/PanelGuiElement.h"
#include "render/RenderWindow.h"
#include "render/Root.h"

#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <algorithm>  // Required for: std::sort
#include <filesystem> // Required for: std::filesystem::directory_iterator
#include <fstream>    // Required for: std::ifstream

namespace Velk {

// The element registry comes first; the state dump shows both from now on.
OverlayManager::OverlayManager() : guiManager_(std::make_unique<GuiManager>()) {
    if (Root* root = Root::getSingletonPtr()) root->setStateDumpSection("overlays", [this] { return dumpState(); });
}

// GL objects go while the context they were made in is bound; then the
// overlays, then the elements they point to.
OverlayManager::~OverlayManager() {
    if (Root* root = Root::getSingletonPtr()) root->setStateDumpSection("overlays", {});
    if (painter_ && paintedTarget_ != nullptr) paintedTarget_->bindForDrawing();
    painter_.reset();
    overlays_.clear();
    guiManager_.reset();
}

// Null for a name no script defined, so callers can do without an overlay.
Overlay* OverlayManager::getByName(const std::string& name) {
    const auto found = overlays_.find(name);
    return found == overlays_.end() ? nullptr : found->second.get();
}

// Overlays made in code, such as the cursor; scripts go through parseScript.
Overlay* OverlayManager::create(const std::string& name, int zOrder) {
    if (overlays_.count(name) != 0) {
        VELK_EXCEPT(ERR_DUPLICATE_ITEM, "an overlay named '" + name + "' already exists", "OverlayManager::create");
    }
    auto& slot = overlays_[name];
    slot = std::make_unique<Overlay>(name, zOrder);
    return slot.get();
}

// A light square with a dark edge, above everything; renderContents moves it.
void OverlayManager::createCursorOverlay() {
    if (cursor_ != nullptr) return;
    auto pointer = std::make_unique<PanelGuiElement>(cursorElementName);
    pointer->setDimensions(9, 9);
    pointer->setColour(ColourValue(1.0f, 1.0f, 1.0f, 0.9f));
    pointer->setBorder(1, ColourValue(0.0f, 0.0f, 0.0f, 0.9f));
    Overlay* overlay = create(cursorOverlayName, 10000);
    cursor_ = guiManager_->addGuiElement(std::move(pointer));
    overlay->add2D(cursor_);
    overlay->show();
}

// Folders in registration order, files by name, so runs are repeatable.
void OverlayManager::parseAllScripts() {
    if (ResourceManager::getSingletonPtr() == nullptr) return;
    for (const ResourceManager::Location& location : ResourceManager::getLocations()) {
        std::vector<std::filesystem::path> scripts;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(location.name, error)) {
            std::error_code fileError;
            if (entry.is_regular_file(fileError) && entry.path().extension() == scriptExtension)
                scripts.push_back(entry.path());
        }
        std::sort(scripts.begin(), scripts.end());
        for (const auto& script : scripts) parseScript(script.string());
    }
}

// An unreadable file is an engine error naming it.
void OverlayManager::parseScript(const std::string& fileName) {
    std::ifstream file(fileName);
    if (!file) {
        VELK_EXCEPT(ERR_FILE_NOT_FOUND, "cannot read the overlay script '" + fileName + "'",
                    "OverlayManager::parseScript");
    }
    parseScript(file, fileName);
}

// Nothing is added unless the whole script parsed.
void OverlayManager::parseScript(std::istream& stream, const std::string& sourceName) {
    OverlayScriptParser parser([this](const std::string& name) { return overlays_.count(name) != 0; },
                               [this](const std::string& name) { return guiManager_->hasGuiElement(name); });
    OverlayScript script = parser.parse(stream, sourceName);
    for (auto& element : script.elements) guiManager_->addGuiElement(std::move(element));
    for (auto& overlay : script.overlays) {
        const std::string name = overlay->getName();
        overlays_[name] = std::move(overlay);
    }
    Log::message("Parsed overlay script '" + sourceName + "': " + std::to_string(script.overlays.size()) +
                 " overlay(s), " + std::to_string(script.elements.size()) + " element(s)");
}

// Lower z-orders first, so higher ones end up on top; equal ones by name.
unsigned int OverlayManager::renderContents(RenderTarget& target) {
    std::vector<const Overlay*> visible;
    for (const auto& [name, overlay] : overlays_)
        if (overlay->isVisible()) visible.push_back(overlay.get());
    if (visible.empty()) return 0;
    std::stable_sort(visible.begin(), visible.end(),
                     [](const Overlay* a, const Overlay* b) { return a->getZOrder() < b->getZOrder(); });
    if (cursor_ != nullptr) {
        if (const auto* window = dynamic_cast<const RenderWindow*>(&target)) {
            const InputState& input = window->_getInputState();
            cursor_->setPosition(static_cast<float>(input.mouseX), static_cast<float>(input.mouseY));
        }
    }
    if (!painter_) painter_ = std::make_unique<GL::OverlayPainter>();
    paintedTarget_ = &target;
    painter_->begin(target.getWidth(), target.getHeight());
    for (const Overlay* overlay : visible) overlay->draw(*painter_);
    painter_->end();
    return 0;
}

} // namespace Velk
