#pragma once

#include <epoxy/gl.h> // Required for: GLuint

namespace Velk::GL {

// Kinds of GL objects the engine creates. Every creation and deletion goes
// through here so that the engine can count its live objects and tests can
// prove that shutting down leaves none behind.
enum class ObjectKind { Buffer, Texture, Framebuffer, Renderbuffer, VertexArray, Program, Shader, Count };

// Creates one object of the kind in the current context.
GLuint createObject(ObjectKind kind, GLenum shaderType = 0);
// Deletes the object (if any) and sets the name to 0.
void deleteObject(ObjectKind kind, GLuint& name);

} // namespace Velk::GL
