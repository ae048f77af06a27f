#include "gl/GLObjects.h"

#include "render/GLObjectCount.h"

#include <array> // Required for: std::array

namespace Velk {

namespace {
std::array<std::size_t, static_cast<std::size_t>(GL::ObjectKind::Count)> liveObjects{};

std::size_t& counter(GL::ObjectKind kind) { return liveObjects[static_cast<std::size_t>(kind)]; }
} // namespace

// Sum over all kinds.
std::size_t getLiveGLObjectCount() {
    std::size_t total = 0;
    for (std::size_t count : liveObjects) total += count;
    return total;
}

namespace GL {

// The matching glGen*/glCreate* call; a zero name is not counted.
GLuint createObject(ObjectKind kind, GLenum shaderType) {
    GLuint name = 0;
    switch (kind) {
    case ObjectKind::Buffer: glGenBuffers(1, &name); break;
    case ObjectKind::Texture: glGenTextures(1, &name); break;
    case ObjectKind::Framebuffer: glGenFramebuffers(1, &name); break;
    case ObjectKind::Renderbuffer: glGenRenderbuffers(1, &name); break;
    case ObjectKind::VertexArray: glGenVertexArrays(1, &name); break;
    case ObjectKind::Program: name = glCreateProgram(); break;
    case ObjectKind::Shader: name = glCreateShader(shaderType); break;
    case ObjectKind::Count: break;
    }
    if (name != 0) ++counter(kind);
    return name;
}

// The matching glDelete* call.
void deleteObject(ObjectKind kind, GLuint& name) {
    if (name == 0) return;
    switch (kind) {
    case ObjectKind::Buffer: glDeleteBuffers(1, &name); break;
    case ObjectKind::Texture: glDeleteTextures(1, &name); break;
    case ObjectKind::Framebuffer: glDeleteFramebuffers(1, &name); break;
    case ObjectKind::Renderbuffer: glDeleteRenderbuffers(1, &name); break;
    case ObjectKind::VertexArray: glDeleteVertexArrays(1, &name); break;
    case ObjectKind::Program: glDeleteProgram(name); break;
    case ObjectKind::Shader: glDeleteShader(name); break;
    case ObjectKind::Count: return;
    }
    --counter(kind);
    name = 0;
}

} // namespace GL
} // namespace Velk
