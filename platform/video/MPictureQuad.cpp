#include "platform/video/MPictureQuad.h"

#include <SDL.h>
#include <epoxy/gl.h>

namespace {

// Two triangles over the viewport, from the vertex index alone.
const char* const kVertexSource = R"(#version 330 core
const vec2 kCorners[6] = vec2[6](vec2(0.0, 0.0), vec2(1.0, 0.0), vec2(0.0, 1.0),
                                 vec2(0.0, 1.0), vec2(1.0, 0.0), vec2(1.0, 1.0));
out vec2 vUV;
void main()
{
    vUV = kCorners[gl_VertexID];
    gl_Position = vec4(vUV * 2.0 - 1.0, 0.0, 1.0);
}
)";

const char* const kFragmentSource = R"(#version 330 core
in vec2 vUV;
uniform sampler2D uTexture;
out vec4 oColour;
void main()
{
    oColour = texture(uTexture, vUV);
}
)";

} // namespace

MPictureQuad::~MPictureQuad()
{
    if (SDL_GL_GetCurrentContext())
        glDeleteVertexArrays(1, &nVao);
}

bool MPictureQuad::Create()
{
    if (nVao != 0)
        return true;
    if (!program.Build(kVertexSource, kFragmentSource))
        return false;
    nTextureUniform = program.Uniform("uTexture");
    glGenVertexArrays(1, &nVao);
    return true;
}

void MPictureQuad::Draw(uint32_t texture, bool wholePixels, int32_t x, int32_t y, int32_t w, int32_t h) const
{
    glViewport(x, y, w, h);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
    program.Use();
    glUniform1i(nTextureUniform, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindSampler(0, 0);
    const GLint filter = wholePixels ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glBindVertexArray(nVao);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
}
