#pragma once

#include "input/KeyCodes.h"     // Required for: KeyCode
#include "render/RenderSystem.h" // Required for: RenderSystem, ConfigOption

#include <cstddef> // Required for: std::size_t
#include <vector>  // Required for: std::vector

namespace Velk {

namespace GL {
class FontAtlas;
class Painter2D;
} // namespace GL

// The render settings dialog: one row per setting of the render system, an
// OK and a Cancel button. It edits a working copy and writes it back into
// the render system only when accepted. Input and layout are plain code;
// drawing goes through a Painter2D so the same dialog shows in a window or
// offscreen.
class ConfigDialog {
public:
    enum class Result { Open, Accepted, Cancelled };

    struct Rect {
        float x, y, width, height;
        bool contains(float px, float py) const {
            return px >= x && py >= y && px < x + width && py < y + height;
        }
    };

    static constexpr unsigned int WIDTH = 520;
    static constexpr unsigned int HEIGHT = 420;

    explicit ConfigDialog(RenderSystem& renderSystem);

    // Up/Down or Tab move the focus, Left/Right change the focused setting
    // (or pick a button), Enter activates, Escape cancels.
    void handleKey(KeyCode key);
    // A left click on a value (left half: previous, right half: next) or a button.
    void handleClick(float x, float y);
    // Closing the dialog's window counts as Cancel.
    void cancel() { result_ = Result::Cancelled; }
    Result getResult() const { return result_; }

    // Focus: 0..rows-1 the settings, then OK, then Cancel.
    std::size_t getFocus() const { return focus_; }
    std::size_t getRowCount() const { return options_.size(); }
    std::size_t okIndex() const { return options_.size(); }
    std::size_t cancelIndex() const { return options_.size() + 1; }
    // The value the dialog currently shows for a row.
    const std::string& getShownValue(std::size_t row) const;

    // Layout, in dialog pixels.
    static Rect rowValueRect(std::size_t row);
    static Rect okButtonRect();
    // Baseline of the key hint line between the rows and the buttons.
    static float hintBaseline();
    static Rect cancelButtonRect();

    void draw(GL::Painter2D& painter, const GL::FontAtlas& text, const GL::FontAtlas& title) const;

private:
    void change(std::size_t row, int step);
    void accept();

    RenderSystem& renderSystem_;
    std::vector<ConfigOption> options_;
    std::vector<std::size_t> selected_;
    std::size_t focus_ = 0;
    Result result_ = Result::Open;
};

} // namespace Velk
