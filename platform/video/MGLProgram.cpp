#include "platform/video/MGLProgram.h"

#include <SDL.h>
#include <epoxy/gl.h>

namespace {

GLuint Compile(GLenum stage, const char* source)
{
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE)
        return shader;
    glDeleteShader(shader);
    return 0;
}

} // namespace

MGLProgram::~MGLProgram()
{
    if (nProgram != 0 && SDL_GL_GetCurrentContext())
        glDeleteProgram(nProgram);
}

bool MGLProgram::Build(const char* vertexSource, const char* fragmentSource)
{
    const GLuint vertex = Compile(GL_VERTEX_SHADER, vertexSource);
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, fragmentSource);
    if (vertex == 0 || fragment == 0) {
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        return false;
    }
    nProgram = glCreateProgram();
    glAttachShader(nProgram, vertex);
    glAttachShader(nProgram, fragment);
    glLinkProgram(nProgram);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(nProgram, GL_LINK_STATUS, &ok);
    return ok == GL_TRUE;
}

void MGLProgram::Use() const
{
    glUseProgram(nProgram);
}

int32_t MGLProgram::Uniform(const char* name) const
{
    return glGetUniformLocation(nProgram, name);
}
