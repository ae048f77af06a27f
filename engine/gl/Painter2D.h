#pragma once

#include "core/ColourValue.h" // Required for: ColourValue

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk::GL {

class FontAtlas;

// Draws flat rectangles and text in pixel coordinates (origin top left) on
// the bound target: batches quads and draws them in as few calls as the
// fonts allow. Needs a current GL context for its whole life.
class Painter2D {
public:
    Painter2D();
    ~Painter2D();
    Painter2D(const Painter2D&) = delete;
    Painter2D& operator=(const Painter2D&) = delete;

    // Starts a batch for a target of this size; sets blending, no depth test.
    void begin(unsigned int width, unsigned int height);
    void fillRect(float x, float y, float width, float height, const ColourValue& colour);
    // An outline `thickness` pixels wide inside the rectangle.
    void strokeRect(float x, float y, float width, float height, float thickness, const ColourValue& colour);
    // One line of text whose baseline is at y.
    void drawText(const FontAtlas& font, float x, float baselineY, const std::string& text,
                  const ColourValue& colour);
    // Draws what is batched.
    void end();

private:
    void flush();
    void quad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1,
              const ColourValue& colour);

    unsigned int program_ = 0;
    unsigned int vertexArray_ = 0;
    unsigned int buffer_ = 0;
    int viewportLocation_ = -1;
    unsigned int texture_ = 0; // font texture of the batch, 0 for none yet
    unsigned int width_ = 1;
    unsigned int height_ = 1;
    std::vector<float> vertices_;
};

} // namespace Velk::GL
