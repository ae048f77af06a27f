#pragma once

#include "core/Singleton.h"      // Required for: Singleton
#include "overlay/Overlay.h"     // Required for: Overlay
#include "render/RenderTarget.h" // Required for: RenderTargetListener, RenderTarget

#include <nlohmann/json_fwd.hpp> // Required for: nlohmann::json

#include <istream> // Required for: std::istream
#include <map>     // Required for: std::map
#include <memory>  // Required for: std::unique_ptr
#include <string>  // Required for: std::string

namespace Velk {

class GuiManager;
namespace GL {
class OverlayPainter;
}

// Owns the overlays and, through the GuiManager it creates, their elements;
// reads overlay scripts ("*.overlay") and draws the visible overlays over a
// render target after everything else. The engine root creates the one
// instance with the render window, reads the scripts of every resource
// location registered by then, and destroys it before the window. GL
// resources (fonts, the 2D painter) are made on the first draw.
class OverlayManager : public Singleton<OverlayManager>, public RenderTargetListener {
public:
    static constexpr const char* singletonName = "OverlayManager";
    // The file name ending of overlay scripts.
    static constexpr const char* scriptExtension = ".overlay";
    // Names used by createCursorOverlay.
    static constexpr const char* cursorOverlayName = "Core/CursorOverlay";
    static constexpr const char* cursorElementName = "Core/MouseCursor";

    OverlayManager();
    ~OverlayManager() override;

    // The overlay of that name, or null when no script defined it.
    Overlay* getByName(const std::string& name);
    // A new empty overlay; a name already in use is an engine error.
    Overlay* create(const std::string& name, int zOrder = 100);
    const std::map<std::string, std::unique_ptr<Overlay>>& getOverlays() const { return overlays_; }

    // Shows a small pointer that follows the mouse over the window, above
    // every other overlay. Calling it again changes nothing.
    void createCursorOverlay();

    // Parses every overlay script in the registered resource locations, each
    // folder's in name order. Script errors are engine errors naming the file
    // and line.
    void parseAllScripts();
    // Parses one script file.
    void parseScript(const std::string& fileName);
    // Parses a script from a stream; sourceName stands for the file in errors.
    // A script with an error adds nothing.
    void parseScript(std::istream& stream, const std::string& sourceName);

    // Draws the visible overlays in z-order. Their quads are not counted as
    // triangles: the statistics describe the scene, and captions change.
    unsigned int renderContents(RenderTarget& target) override;

    // Every overlay with its visibility and every element with its caption.
    nlohmann::json dumpState() const;

private:
    std::unique_ptr<GuiManager> guiManager_;
    std::map<std::string, std::unique_ptr<Overlay>> overlays_;
    std::unique_ptr<GL::OverlayPainter> painter_;
    RenderTarget* paintedTarget_ = nullptr; // whose context holds the painter's objects
    GuiElement* cursor_ = nullptr;
};

} // namespace Velk
