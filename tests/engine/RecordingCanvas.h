#pragma once

#include "overlay/OverlayCanvas.h" // Required for: OverlayCanvas

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

// A canvas that remembers what was drawn on it, for layout tests without GL.
// Lines are 20 pixels apart whatever the font size.
class RecordingCanvas : public Velk::OverlayCanvas {
public:
    struct Call {
        std::string what; // "fill", "stroke" or "text"
        Velk::PixelRect area;
        unsigned int pixelSize = 0;
        std::string text;
        Velk::ColourValue colour;
    };

    RecordingCanvas(float width, float height) : screen_{0, 0, width, height} {}

    Velk::PixelRect getScreen() const override { return screen_; }
    void fillRect(const Velk::PixelRect& area, const Velk::ColourValue& colour) override {
        calls.push_back({"fill", area, 0, {}, colour});
    }
    void strokeRect(const Velk::PixelRect& area, float, const Velk::ColourValue& colour) override {
        calls.push_back({"stroke", area, 0, {}, colour});
    }
    void drawText(float x, float top, unsigned int pixelSize, const std::string& text,
                  const Velk::ColourValue& colour) override {
        calls.push_back({"text", {x, top, 0, 0}, pixelSize, text, colour});
    }
    float getLineHeight(unsigned int) override { return 20; }

    std::vector<Call> calls;

private:
    Velk::PixelRect screen_;
};
