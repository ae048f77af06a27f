#include "gl/ShaderProgram.h"

#include "core/Exception.h"
#include "gl/GLObjects.h"

#include <vector> // Required for: std::vector

namespace Velk::GL {

namespace {
// Compiles one stage; the shader is deleted again on failure.
GLuint compile(const std::string& name, GLenum type, const char* source) {
    GLuint shader = createObject(ObjectKind::Shader, type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::vector<char> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
        glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
        deleteObject(ObjectKind::Shader, shader);
        VELK_EXCEPT(ERR_RENDERINGAPI_ERROR,
                    std::string(type == GL_VERTEX_SHADER ? "vertex" : "fragment") + " shader of '" + name +
                        "' does not compile: " + log.data(),
                    "GL::buildProgram");
    }
    return shader;
}
} // namespace

// Shaders are detached and deleted once linked; only the program stays.
GLuint buildProgram(const std::string& name, const char* vertexSource, const char* fragmentSource) {
    GLuint vertex = compile(name, GL_VERTEX_SHADER, vertexSource);
    GLuint fragment = 0;
    try {
        fragment = compile(name, GL_FRAGMENT_SHADER, fragmentSource);
    } catch (...) {
        deleteObject(ObjectKind::Shader, vertex);
        throw;
    }
    GLuint program = createObject(ObjectKind::Program);
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDetachShader(program, vertex);
    glDetachShader(program, fragment);
    deleteObject(ObjectKind::Shader, vertex);
    deleteObject(ObjectKind::Shader, fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[1024] = {};
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        deleteObject(ObjectKind::Program, program);
        VELK_EXCEPT(ERR_RENDERINGAPI_ERROR, "program '" + name + "' does not link: " + log, "GL::buildProgram");
    }
    return program;
}

} // namespace Velk::GL
