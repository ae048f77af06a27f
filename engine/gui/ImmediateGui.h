#pragma once

#include "core/Singleton.h"      // Required for: Singleton
#include "render/RenderTarget.h" // Required for: RenderTargetListener

#include <nlohmann/json_fwd.hpp> // Required for: nlohmann::json

#include <memory> // Required for: std::unique_ptr

struct ImGuiContext;

namespace Velk {

namespace GL {
class ImGuiPainter;
}
class RenderWindow;

// Dear ImGui on the render window. The frame loop starts a GUI frame right
// after it has read the window's input (real devices and the key script
// alike), so any listener's frameStarted may build windows with the ImGui
// functions; the GUI is drawn over everything else, after the overlays.
// The engine owns the one context from the window's opening to its end.
class ImmediateGui : public Singleton<ImmediateGui>, public RenderTargetListener {
public:
    static constexpr const char* singletonName = "ImmediateGui";

    // Makes the context (no settings file) and its font texture; needs the
    // window's GL context current.
    explicit ImmediateGui(RenderWindow& window);
    ~ImmediateGui() override;

    // Feeds this frame's input and time and starts a GUI frame; called by
    // the frame loop.
    void _beginFrame(float seconds);
    // Ends the GUI frame and draws it; its triangles are not counted (0).
    unsigned int renderContents(RenderTarget& target) override;

    // Whether the GUI uses the keyboard (a field is being edited or a widget
    // is active): the program should then leave its own keys alone.
    bool wantsKeyboard() const;
    // Whether the pointer is over a GUI window or dragging one of its widgets.
    bool wantsMouse() const;

    // { "wantsKeyboard", "wantsMouse", "windows": [names shown last frame] }
    nlohmann::json dumpState() const;

private:
    RenderWindow& window_;
    ImGuiContext* context_ = nullptr;
    std::unique_ptr<GL::ImGuiPainter> painter_;
    bool frameOpen_ = false; // a GUI frame was started and not yet drawn
};

} // namespace Velk
