#pragma once

struct ImDrawData;

namespace Velk::GL {

// Draws Dear ImGui's draw lists with the engine's own GL objects (counted
// like every other): one program, one vertex array with a streaming vertex
// and index buffer, and the GUI's font atlas as a texture. Needs a current
// GL context and an ImGui context for its whole life.
class ImGuiPainter {
public:
    ImGuiPainter();
    ~ImGuiPainter();
    ImGuiPainter(const ImGuiPainter&) = delete;
    ImGuiPainter& operator=(const ImGuiPainter&) = delete;

    // Draws over the bound target of this size; returns the triangles drawn.
    unsigned int draw(const ImDrawData& data, unsigned int width, unsigned int height);

private:
    unsigned int program_ = 0;
    unsigned int vertexArray_ = 0;
    unsigned int vertexBuffer_ = 0;
    unsigned int indexBuffer_ = 0;
    unsigned int fontTexture_ = 0;
    int projectionLocation_ = -1;
};

} // namespace Velk::GL
