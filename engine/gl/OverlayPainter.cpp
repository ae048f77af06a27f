#include "gl/OverlayPainter.h"

#include <epoxy/gl.h> // Required for: glViewport, glDisable, glPolygonMode

namespace Velk::GL {

OverlayPainter::OverlayPainter() = default;

// Atlases free their textures; the painter its program and buffers.
OverlayPainter::~OverlayPainter() = default;

// Viewports may have left a smaller viewport, a scissor box or a line
// polygon mode (wireframe) behind; overlays always cover the whole target.
void OverlayPainter::begin(unsigned int width, unsigned int height) {
    screen_ = PixelRect{0, 0, static_cast<float>(width), static_cast<float>(height)};
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glDisable(GL_SCISSOR_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDepthMask(GL_FALSE);
    painter_.begin(width, height);
}

// Draws the batch; depth writes are on again for the next frame's scene.
void OverlayPainter::end() {
    painter_.end();
    glDepthMask(GL_TRUE);
}

// Rectangles go straight to the batch.
void OverlayPainter::fillRect(const PixelRect& area, const ColourValue& colour) {
    painter_.fillRect(area.x, area.y, area.width, area.height, colour);
}

// An outline inside the rectangle.
void OverlayPainter::strokeRect(const PixelRect& area, float thickness, const ColourValue& colour) {
    painter_.strokeRect(area.x, area.y, area.width, area.height, thickness, colour);
}

// The first baseline lies one ascender below the top of the line.
void OverlayPainter::drawText(float x, float top, unsigned int pixelSize, const std::string& text,
                              const ColourValue& colour) {
    const FontAtlas& atlas = font(pixelSize);
    painter_.drawText(atlas, x, top + atlas.getAscender(), text, colour);
}

// The font's own line spacing at that size.
float OverlayPainter::getLineHeight(unsigned int pixelSize) { return font(pixelSize).getLineHeight(); }

// One atlas per size, made on first use and kept until the painter goes.
const FontAtlas& OverlayPainter::font(unsigned int pixelSize) {
    auto& slot = fonts_[pixelSize];
    if (!slot) slot = std::make_unique<FontAtlas>(FontAtlas::findFont(false), pixelSize);
    return *slot;
}

} // namespace Velk::GL
