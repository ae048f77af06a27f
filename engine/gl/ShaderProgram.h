#pragma once

#include <epoxy/gl.h> // Required for: GLuint

#include <string> // Required for: std::string

namespace Velk::GL {

// Compiles and links a program from vertex and fragment source. A compile or
// link failure is an engine error carrying the driver's log and `name`.
GLuint buildProgram(const std::string& name, const char* vertexSource, const char* fragmentSource);

} // namespace Velk::GL
