#include "gl/ImGuiPainter.h"

#include "gl/GLObjects.h"
#include "gl/ShaderProgram.h"

#include <imgui.h> // Required for: ImDrawData, ImDrawVert, ImDrawIdx

#include <cstddef> // Required for: offsetof
#include <cstdint> // Required for: std::intptr_t

namespace Velk::GL {

namespace {
const char* const vertexSource = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 uv;
layout(location = 2) in vec4 colour;
uniform mat4 projection;
out vec2 fragUv;
out vec4 fragColour;
void main() {
    fragUv = uv;
    fragColour = colour;
    gl_Position = projection * vec4(position, 0.0, 1.0);
}
)";

const char* const fragmentSource = R"(#version 330 core
in vec2 fragUv;
in vec4 fragColour;
uniform sampler2D atlas;
out vec4 result;
void main() {
    result = fragColour * texture(atlas, fragUv);
}
)";
} // namespace

// The font atlas is rasterised now, once, and handed to the GUI as its texture.
ImGuiPainter::ImGuiPainter() {
    program_ = buildProgram("ImGuiPainter", vertexSource, fragmentSource);
    projectionLocation_ = glGetUniformLocation(program_, "projection");
    glUseProgram(program_);
    glUniform1i(glGetUniformLocation(program_, "atlas"), 0);
    glUseProgram(0);

    vertexArray_ = createObject(ObjectKind::VertexArray);
    vertexBuffer_ = createObject(ObjectKind::Buffer);
    indexBuffer_ = createObject(ObjectKind::Buffer);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    const GLsizei stride = sizeof(ImDrawVert);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(ImDrawVert, pos)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(ImDrawVert, uv)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<const void*>(offsetof(ImDrawVert, col)));
    glBindVertexArray(0);

    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    ImGuiIO& io = ImGui::GetIO();
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    fontTexture_ = createObject(ObjectKind::Texture);
    glBindTexture(GL_TEXTURE_2D, fontTexture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    io.Fonts->SetTexID(reinterpret_cast<ImTextureID>(static_cast<std::intptr_t>(fontTexture_)));
}

// The context must still be current.
ImGuiPainter::~ImGuiPainter() {
    GLuint texture = fontTexture_;
    GLuint indexBuffer = indexBuffer_;
    GLuint vertexBuffer = vertexBuffer_;
    GLuint vertexArray = vertexArray_;
    GLuint program = program_;
    deleteObject(ObjectKind::Texture, texture);
    deleteObject(ObjectKind::Buffer, indexBuffer);
    deleteObject(ObjectKind::Buffer, vertexBuffer);
    deleteObject(ObjectKind::VertexArray, vertexArray);
    deleteObject(ObjectKind::Program, program);
}

// Blended, no depth or culling, each command clipped to its rectangle;
// leaves the scissor off and depth writes on for the next frame's scene.
unsigned int ImGuiPainter::draw(const ImDrawData& data, unsigned int width, unsigned int height) {
    if (data.CmdListsCount == 0 || width == 0 || height == 0) return 0;
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_SCISSOR_TEST);

    // Pixels of the display rectangle to clip space, y down.
    const float left = data.DisplayPos.x;
    const float right = data.DisplayPos.x + data.DisplaySize.x;
    const float top = data.DisplayPos.y;
    const float bottom = data.DisplayPos.y + data.DisplaySize.y;
    const float projection[16] = {
        2.0f / (right - left), 0.0f, 0.0f, 0.0f,
        0.0f, 2.0f / (top - bottom), 0.0f, 0.0f,
        0.0f, 0.0f, -1.0f, 0.0f,
        (right + left) / (left - right), (top + bottom) / (bottom - top), 0.0f, 1.0f,
    };
    glUseProgram(program_);
    glUniformMatrix4fv(projectionLocation_, 1, GL_FALSE, projection);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);

    unsigned int triangles = 0;
    const GLenum indexType = sizeof(ImDrawIdx) == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT;
    for (int n = 0; n < data.CmdListsCount; ++n) {
        const ImDrawList& list = *data.CmdLists[n];
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(list.VtxBuffer.Size) * sizeof(ImDrawVert),
                     list.VtxBuffer.Data, GL_STREAM_DRAW);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(list.IdxBuffer.Size) * sizeof(ImDrawIdx),
                     list.IdxBuffer.Data, GL_STREAM_DRAW);
        for (const ImDrawCmd& command : list.CmdBuffer) {
            if (command.UserCallback != nullptr || command.ElemCount == 0) continue;
            const float x0 = command.ClipRect.x - left;
            const float y0 = command.ClipRect.y - top;
            const float x1 = command.ClipRect.z - left;
            const float y1 = command.ClipRect.w - top;
            if (x1 <= x0 || y1 <= y0) continue;
            glScissor(static_cast<GLint>(x0), static_cast<GLint>(static_cast<float>(height) - y1),
                      static_cast<GLsizei>(x1 - x0), static_cast<GLsizei>(y1 - y0));
            glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(reinterpret_cast<std::intptr_t>(command.GetTexID())));
            glDrawElementsBaseVertex(GL_TRIANGLES, static_cast<GLsizei>(command.ElemCount), indexType,
                                     reinterpret_cast<const void*>(command.IdxOffset * sizeof(ImDrawIdx)),
                                     static_cast<GLint>(command.VtxOffset));
            triangles += command.ElemCount / 3;
        }
    }
    glBindVertexArray(0);
    glDisable(GL_SCISSOR_TEST);
    glDepthMask(GL_TRUE);
    return triangles;
}

} // namespace Velk::GL
