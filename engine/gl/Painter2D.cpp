#include "gl/Painter2D.h"

#include "gl/FontAtlas.h"
#include "gl/GLErrors.h"
#include "gl/GLObjects.h"
#include "gl/ShaderProgram.h"

#include <cmath> // Required for: std::round

namespace Velk::GL {

namespace {
// Eight floats per vertex: position (pixels), texture coordinate, colour.
constexpr int floatsPerVertex = 8;

const char* const vertexSource = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 uv;
layout(location = 2) in vec4 colour;
uniform vec2 viewport;
out vec2 fragUv;
out vec4 fragColour;
void main() {
    gl_Position = vec4(position.x / viewport.x * 2.0 - 1.0, 1.0 - position.y / viewport.y * 2.0, 0.0, 1.0);
    fragUv = uv;
    fragColour = colour;
}
)";

// A negative u marks a flat fill; otherwise the glyph's coverage is the alpha.
const char* const fragmentSource = R"(#version 330 core
in vec2 fragUv;
in vec4 fragColour;
uniform sampler2D glyphs;
out vec4 result;
void main() {
    float coverage = fragUv.x < 0.0 ? 1.0 : texture(glyphs, fragUv).r;
    result = vec4(fragColour.rgb, fragColour.a * coverage);
}
)";
} // namespace

// One program, one vertex array and one streaming buffer for everything drawn.
Painter2D::Painter2D() {
    program_ = buildProgram("Painter2D", vertexSource, fragmentSource);
    viewportLocation_ = glGetUniformLocation(program_, "viewport");
    vertexArray_ = createObject(ObjectKind::VertexArray);
    buffer_ = createObject(ObjectKind::Buffer);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    const GLsizei stride = floatsPerVertex * sizeof(float);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(2 * sizeof(float)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(4 * sizeof(float)));
    glBindVertexArray(0);
}

// Frees the GL objects; the context must still be current.
Painter2D::~Painter2D() {
    GLuint buffer = buffer_;
    GLuint vertexArray = vertexArray_;
    GLuint program = program_;
    deleteObject(ObjectKind::Buffer, buffer);
    deleteObject(ObjectKind::VertexArray, vertexArray);
    deleteObject(ObjectKind::Program, program);
}

// Alpha blending over whatever is below, no depth test or culling.
void Painter2D::begin(unsigned int width, unsigned int height) {
    width_ = width > 0 ? width : 1;
    height_ = height > 0 ? height : 1;
    vertices_.clear();
    texture_ = 0;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// Two triangles per quad.
void Painter2D::quad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1,
                     const ColourValue& c) {
    const float corners[6][4] = {{x0, y0, u0, v0}, {x1, y0, u1, v0}, {x1, y1, u1, v1},
                                 {x0, y0, u0, v0}, {x1, y1, u1, v1}, {x0, y1, u0, v1}};
    for (const auto& corner : corners) {
        vertices_.insert(vertices_.end(), {corner[0], corner[1], corner[2], corner[3], c.r, c.g, c.b, c.a});
    }
}

// A flat quad: negative texture coordinates select the fill path.
void Painter2D::fillRect(float x, float y, float width, float height, const ColourValue& colour) {
    quad(x, y, x + width, y + height, -1, -1, -1, -1, colour);
}

// Four thin quads that do not overlap, so translucent outlines stay even.
void Painter2D::strokeRect(float x, float y, float width, float height, float thickness, const ColourValue& colour) {
    fillRect(x, y, width, thickness, colour);
    fillRect(x, y + height - thickness, width, thickness, colour);
    fillRect(x, y + thickness, thickness, height - 2 * thickness, colour);
    fillRect(x + width - thickness, y + thickness, thickness, height - 2 * thickness, colour);
}

// Glyphs are placed on whole pixels so they stay sharp.
void Painter2D::drawText(const FontAtlas& font, float x, float baselineY, const std::string& text,
                         const ColourValue& colour) {
    if (texture_ != 0 && texture_ != font.getTexture()) flush();
    texture_ = font.getTexture();
    float pen = std::round(x);
    const float baseline = std::round(baselineY);
    for (char c : text) {
        const FontAtlas::Glyph& g = font.glyph(c);
        if (g.width > 0 && g.height > 0) {
            const float left = pen + static_cast<float>(g.bearingX);
            const float top = baseline - static_cast<float>(g.bearingY);
            quad(left, top, left + static_cast<float>(g.width), top + static_cast<float>(g.height), g.u0, g.v0, g.u1,
                 g.v1, colour);
        }
        pen += g.advance;
    }
}

// Uploads the batch and draws it in one call.
void Painter2D::flush() {
    if (vertices_.empty()) return;
    glUseProgram(program_);
    glUniform2f(viewportLocation_, static_cast<float>(width_), static_cast<float>(height_));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices_.size() * sizeof(float)), vertices_.data(),
                 GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices_.size() / floatsPerVertex));
    glBindVertexArray(0);
    glUseProgram(0);
    vertices_.clear();
}

// Draws the rest of the batch and reports any GL error of the whole batch.
void Painter2D::end() {
    flush();
    GL::checkErrors("Painter2D::end");
}

} // namespace Velk::GL
