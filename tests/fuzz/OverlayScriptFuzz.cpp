// Feeds arbitrary bytes to the overlay script reader, then lays out and
// "draws" whatever it accepted on a canvas that only checks the numbers it
// is given. An engine error naming the script and a line is the expected
// answer to bad input; anything else is a finding.
#include "core/Exception.h"
#include "overlay/Overlay.h"
#include "overlay/OverlayCanvas.h"
#include "overlay/OverlayManager.h"

#include <cmath>   // Required for: std::isfinite
#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: std::uint8_t
#include <sstream> // Required for: std::istringstream
#include <string>  // Required for: std::string

namespace {
// A 640 x 480 target that traps on a rectangle or position that is not a number.
class CheckingCanvas : public Velk::OverlayCanvas {
public:
    Velk::PixelRect getScreen() const override { return {0, 0, 640, 480}; }
    void fillRect(const Velk::PixelRect& area, const Velk::ColourValue& colour) override {
        check(area);
        check(colour);
    }
    void strokeRect(const Velk::PixelRect& area, float thickness, const Velk::ColourValue& colour) override {
        check(area);
        check(colour);
        if (!std::isfinite(thickness)) __builtin_trap();
    }
    void drawText(float x, float top, unsigned int, const std::string&, const Velk::ColourValue& colour) override {
        if (!std::isfinite(x) || !std::isfinite(top)) __builtin_trap();
        check(colour);
    }
    float getLineHeight(unsigned int pixelSize) override { return 1.2f * static_cast<float>(pixelSize); }

private:
    static void check(const Velk::PixelRect& r) {
        if (!std::isfinite(r.x) || !std::isfinite(r.y) || !std::isfinite(r.width) || !std::isfinite(r.height))
            __builtin_trap();
    }
    static void check(const Velk::ColourValue& c) {
        if (!std::isfinite(c.r) || !std::isfinite(c.g) || !std::isfinite(c.b) || !std::isfinite(c.a))
            __builtin_trap();
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    Velk::OverlayManager manager;
    try {
        manager.parseScript(stream, "fuzz.overlay");
    } catch (const Velk::Exception& error) {
        if (error.getFile() != "fuzz.overlay" || error.getLine() <= 0) __builtin_trap();
        if (!manager.getOverlays().empty()) __builtin_trap(); // a script with an error adds nothing
        return 0;
    }
    CheckingCanvas canvas;
    for (const auto& [name, overlay] : manager.getOverlays()) {
        overlay->show();
        overlay->draw(canvas);
    }
    return 0;
}
