#include "gui/ImmediateGui.h"

#include "gl/ImGuiPainter.h"
#include "input/InputState.h"
#include "render/RenderWindow.h"

#include <imgui.h>          // Required for: ImGui
#include <cfloat>           // Required for: FLT_MAX
#include <imgui_internal.h> // Required for: ImGuiContext::Windows (the state dump)
#include <nlohmann/json.hpp> // Required for: nlohmann::json

namespace Velk {

namespace {
// The GUI's named keys on the engine's key codes, which index KeysDown.
void mapKeys(ImGuiIO& io) {
    io.KeyMap[ImGuiKey_Tab] = KC_TAB;
    io.KeyMap[ImGuiKey_LeftArrow] = KC_LEFT;
    io.KeyMap[ImGuiKey_RightArrow] = KC_RIGHT;
    io.KeyMap[ImGuiKey_UpArrow] = KC_UP;
    io.KeyMap[ImGuiKey_DownArrow] = KC_DOWN;
    io.KeyMap[ImGuiKey_PageUp] = KC_PGUP;
    io.KeyMap[ImGuiKey_PageDown] = KC_PGDOWN;
    io.KeyMap[ImGuiKey_Home] = KC_HOME;
    io.KeyMap[ImGuiKey_End] = KC_END;
    io.KeyMap[ImGuiKey_Insert] = KC_INSERT;
    io.KeyMap[ImGuiKey_Delete] = KC_DELETE;
    io.KeyMap[ImGuiKey_Backspace] = KC_BACK;
    io.KeyMap[ImGuiKey_Space] = KC_SPACE;
    io.KeyMap[ImGuiKey_Enter] = KC_RETURN;
    io.KeyMap[ImGuiKey_Escape] = KC_ESCAPE;
    io.KeyMap[ImGuiKey_KeyPadEnter] = KC_NUMPADENTER;
    io.KeyMap[ImGuiKey_A] = KC_A;
    io.KeyMap[ImGuiKey_C] = KC_C;
    io.KeyMap[ImGuiKey_V] = KC_V;
    io.KeyMap[ImGuiKey_X] = KC_X;
    io.KeyMap[ImGuiKey_Y] = KC_Y;
    io.KeyMap[ImGuiKey_Z] = KC_Z;
}
} // namespace

// No settings or log files: a run must not depend on an earlier one.
ImmediateGui::ImmediateGui(RenderWindow& window) : window_(window) {
    IMGUI_CHECKVERSION();
    context_ = ImGui::CreateContext();
    ImGui::SetCurrentContext(context_);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.BackendPlatformName = "velk";
    io.BackendRendererName = "velk_gl";
    io.BackendFlags |= ImGuiBackendFlags_RendererHasVtxOffset;
    mapKeys(io);
    ImGui::StyleColorsDark();
    try {
        painter_ = std::make_unique<GL::ImGuiPainter>();
    } catch (...) {
        ImGui::DestroyContext(context_);
        throw;
    }
}

// The painter frees its GL objects while the window's context still exists.
ImmediateGui::~ImmediateGui() {
    painter_.reset();
    ImGui::DestroyContext(context_);
}

// A press and release inside one frame still reaches the GUI: the button
// reads as held for that frame and up on the next.
void ImmediateGui::_beginFrame(float seconds) {
    ImGui::SetCurrentContext(context_);
    if (frameOpen_) ImGui::EndFrame(); // the last frame was never drawn
    ImGuiIO& io = ImGui::GetIO();
    const InputState& input = window_._getInputState();
    io.DisplaySize = ImVec2(static_cast<float>(window_.getWidth()), static_cast<float>(window_.getHeight()));
    io.DeltaTime = seconds > 0.0f ? seconds : 0.001f;

    io.MousePos = input.mousePositionKnown ? ImVec2(static_cast<float>(input.mouseX), static_cast<float>(input.mouseY))
                                           : ImVec2(-FLT_MAX, -FLT_MAX);
    unsigned int clicked = 0;
    for (const MouseClick& click : input.clicks)
        if (click.button >= 0 && click.button < 32) clicked |= 1u << click.button;
    for (int button = 0; button < 3; ++button)
        io.MouseDown[button] = ((input.buttons | clicked) & (1u << button)) != 0;
    io.MouseWheel = static_cast<float>(input.mouseRelZ);

    for (int key = 0; key < keyCodeCount; ++key) io.KeysDown[key] = input.isKeyDown(static_cast<KeyCode>(key));
    io.KeyCtrl = input.isKeyDown(KC_LCONTROL) || input.isKeyDown(KC_RCONTROL);
    io.KeyShift = input.isShiftDown();
    io.KeyAlt = input.isKeyDown(KC_LMENU) || input.isKeyDown(KC_RMENU);
    io.KeySuper = input.isKeyDown(KC_LWIN) || input.isKeyDown(KC_RWIN);
    if (!io.KeyCtrl && !io.KeyAlt) {
        for (const KeyEvent& event : input.keyEvents)
            if (event.getType() == KeyEvent::KEY_PRESSED && event.getKeyChar() != 0)
                io.AddInputCharacter(static_cast<unsigned char>(event.getKeyChar()));
    }
    ImGui::NewFrame();
    frameOpen_ = true;
}

// Whatever the listeners built this frame, drawn over the overlays. Like
// overlay quads, GUI triangles are not counted in the frame statistics.
unsigned int ImmediateGui::renderContents(RenderTarget& target) {
    if (!frameOpen_) return 0;
    ImGui::SetCurrentContext(context_);
    ImGui::Render();
    frameOpen_ = false;
    painter_->draw(*ImGui::GetDrawData(), target.getWidth(), target.getHeight());
    return 0;
}

bool ImmediateGui::wantsKeyboard() const {
    const ImGuiIO& io = ImGui::GetIO();
    return io.WantCaptureKeyboard || io.WantTextInput;
}

bool ImmediateGui::wantsMouse() const { return ImGui::GetIO().WantCaptureMouse; }

// Top-level windows drawn in the last GUI frame, back to front (a window
// that sizes itself is hidden on its first frame while it measures).
nlohmann::json ImmediateGui::dumpState() const {
    nlohmann::json windows = nlohmann::json::array();
    for (const ImGuiWindow* window : context_->Windows) {
        if ((window->Flags & ImGuiWindowFlags_ChildWindow) != 0 || window->Hidden || window->IsFallbackWindow)
            continue;
        if (window->Active) windows.push_back(window->Name);
    }
    return {{"wantsKeyboard", wantsKeyboard()}, {"wantsMouse", wantsMouse()}, {"windows", windows}};
}

} // namespace Velk
