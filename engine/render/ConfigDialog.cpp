#include "render/ConfigDialog.h"

#include "gl/FontAtlas.h"
#include "gl/Painter2D.h"

#include <algorithm> // Required for: std::find

namespace Velk {

namespace {
// Layout constants, in pixels.
constexpr float margin = 24.0f;
constexpr float headerHeight = 56.0f;
constexpr float firstRowTop = 98.0f;
constexpr float rowStep = 40.0f;
constexpr float rowHeight = 32.0f;
constexpr float hintTop = 356.0f;
constexpr float valueLeft = 220.0f;
constexpr float buttonTop = 370.0f;
constexpr float buttonWidth = 96.0f;
constexpr float buttonHeight = 34.0f;

// Palette: dark panel, light text, one accent for focus and the default button.
const ColourValue background{0.16f, 0.18f, 0.21f};
const ColourValue header{0.22f, 0.26f, 0.32f};
const ColourValue textColour{0.92f, 0.93f, 0.95f};
const ColourValue dimText{0.62f, 0.66f, 0.72f};
const ColourValue fieldColour{0.24f, 0.27f, 0.31f};
const ColourValue fieldFocus{0.27f, 0.33f, 0.42f};
const ColourValue accent{0.29f, 0.56f, 0.85f};
const ColourValue buttonColour{0.30f, 0.33f, 0.38f};
} // namespace

// Works on a copy; each row starts at the render system's current value.
ConfigDialog::ConfigDialog(RenderSystem& renderSystem)
    : renderSystem_(renderSystem), options_(renderSystem.getConfigOptions()) {
    for (const ConfigOption& option : options_) {
        const auto found = std::find(option.possibleValues.begin(), option.possibleValues.end(), option.currentValue);
        selected_.push_back(found == option.possibleValues.end()
                                ? 0
                                : static_cast<std::size_t>(found - option.possibleValues.begin()));
    }
}

const std::string& ConfigDialog::getShownValue(std::size_t row) const {
    return options_.at(row).possibleValues.at(selected_.at(row));
}

// The value field of a row, right of the labels.
ConfigDialog::Rect ConfigDialog::rowValueRect(std::size_t row) {
    return {valueLeft, firstRowTop + static_cast<float>(row) * rowStep, WIDTH - valueLeft - margin, rowHeight};
}

// Below the last of the six rows, above the buttons.
float ConfigDialog::hintBaseline() { return hintTop; }

// Bottom right, left of Cancel.
ConfigDialog::Rect ConfigDialog::okButtonRect() {
    return {WIDTH - margin - 2 * buttonWidth - 12.0f, buttonTop, buttonWidth, buttonHeight};
}

// Bottom right corner.
ConfigDialog::Rect ConfigDialog::cancelButtonRect() {
    return {WIDTH - margin - buttonWidth, buttonTop, buttonWidth, buttonHeight};
}

// Values wrap around at both ends of their list.
void ConfigDialog::change(std::size_t row, int step) {
    const std::size_t count = options_[row].possibleValues.size();
    if (count == 0) return;
    selected_[row] = (selected_[row] + count + static_cast<std::size_t>(step + static_cast<int>(count))) % count;
}

// Writes the working copy back; every shown value is one of the possible ones.
void ConfigDialog::accept() {
    for (std::size_t row = 0; row < options_.size(); ++row)
        renderSystem_.setConfigOption(options_[row].name, getShownValue(row));
    result_ = Result::Accepted;
}

// Keys act only while the dialog is open.
void ConfigDialog::handleKey(KeyCode key) {
    if (result_ != Result::Open) return;
    const std::size_t items = options_.size() + 2;
    switch (key) {
    case KC_UP:
        if (focus_ > 0) --focus_;
        break;
    case KC_DOWN:
        if (focus_ + 1 < items) ++focus_;
        break;
    case KC_TAB: focus_ = (focus_ + 1) % items; break;
    case KC_LEFT:
    case KC_RIGHT:
        if (focus_ < options_.size()) {
            change(focus_, key == KC_LEFT ? -1 : 1);
        } else {
            focus_ = key == KC_LEFT ? okIndex() : cancelIndex();
        }
        break;
    case KC_RETURN:
    case KC_NUMPADENTER:
    case KC_SPACE:
        if (focus_ == cancelIndex()) {
            cancel();
        } else {
            accept();
        }
        break;
    case KC_ESCAPE: cancel(); break;
    default: break;
    }
}

// Buttons first, then value fields; a click on a row label only focuses it.
void ConfigDialog::handleClick(float x, float y) {
    if (result_ != Result::Open) return;
    if (okButtonRect().contains(x, y)) {
        focus_ = okIndex();
        accept();
        return;
    }
    if (cancelButtonRect().contains(x, y)) {
        focus_ = cancelIndex();
        cancel();
        return;
    }
    for (std::size_t row = 0; row < options_.size(); ++row) {
        const Rect field = rowValueRect(row);
        if (field.contains(x, y)) {
            focus_ = row;
            change(row, x < field.x + field.width / 2 ? -1 : 1);
            return;
        }
        if (y >= field.y && y < field.y + field.height) focus_ = row;
    }
}

// Header, the render system line, one row per setting, the key hint, buttons.
void ConfigDialog::draw(GL::Painter2D& painter, const GL::FontAtlas& text, const GL::FontAtlas& title) const {
    painter.begin(WIDTH, HEIGHT);
    painter.fillRect(0, 0, WIDTH, HEIGHT, background);
    painter.fillRect(0, 0, WIDTH, headerHeight, header);
    painter.fillRect(0, headerHeight - 2, WIDTH, 2, accent);
    painter.drawText(title, margin, 36, "Velk Render Settings", textColour);

    const float textOffset = (rowHeight + text.getAscender() * 0.72f) / 2;
    painter.drawText(text, margin, 84, "Rendering system", dimText);
    painter.drawText(text, valueLeft + 12, 84, renderSystem_.getName(), dimText);

    for (std::size_t row = 0; row < options_.size(); ++row) {
        const Rect field = rowValueRect(row);
        const bool focused = focus_ == row;
        const float baseline = field.y + textOffset;
        painter.drawText(text, margin, baseline, options_[row].name, focused ? textColour : dimText);
        painter.fillRect(field.x, field.y, field.width, field.height, focused ? fieldFocus : fieldColour);
        if (focused) painter.strokeRect(field.x, field.y, field.width, field.height, 2, accent);
        painter.drawText(text, field.x + 12, baseline, "<", focused ? textColour : dimText);
        painter.drawText(text, field.x + field.width - 12 - text.measure(">"), baseline, ">",
                         focused ? textColour : dimText);
        const std::string& value = getShownValue(row);
        painter.drawText(text, field.x + (field.width - text.measure(value)) / 2, baseline, value, textColour);
    }

    painter.drawText(text, margin, hintBaseline(), "Up/Down: choose   Left/Right: change   Enter: OK   Esc: Cancel", dimText);

    const Rect ok = okButtonRect();
    const Rect cancelRect = cancelButtonRect();
    const float buttonBaseline = ok.y + (buttonHeight + text.getAscender() * 0.72f) / 2;
    painter.fillRect(ok.x, ok.y, ok.width, ok.height, accent);
    painter.fillRect(cancelRect.x, cancelRect.y, cancelRect.width, cancelRect.height, buttonColour);
    if (focus_ == okIndex()) painter.strokeRect(ok.x, ok.y, ok.width, ok.height, 2, textColour);
    if (focus_ == cancelIndex())
        painter.strokeRect(cancelRect.x, cancelRect.y, cancelRect.width, cancelRect.height, 2, textColour);
    painter.drawText(text, ok.x + (ok.width - text.measure("OK")) / 2, buttonBaseline, "OK", textColour);
    painter.drawText(text, cancelRect.x + (cancelRect.width - text.measure("Cancel")) / 2, buttonBaseline, "Cancel",
                     textColour);
    painter.end();
}

} // namespace Velk
