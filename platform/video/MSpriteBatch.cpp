#include "platform/video/MSpriteBatch.h"

#include <SDL.h>
#include <cstddef>
#include <epoxy/gl.h>
#include "platform/video/MGLTexture.h"

namespace {

const char* const kVertexSource = R"(#version 330 core
layout(location = 0) in vec2 aPos;
layout(location = 1) in vec2 aUV;
layout(location = 2) in vec4 aColour;
uniform vec2 uScreen;
out vec2 vUV;
out vec4 vColour;
void main()
{
    gl_Position = vec4(aPos.x * 2.0 / uScreen.x - 1.0, 1.0 - aPos.y * 2.0 / uScreen.y, 0.0, 1.0);
    vUV = aUV;
    vColour = aColour;
}
)";

const char* const kFragmentSource = R"(#version 330 core
in vec2 vUV;
in vec4 vColour;
uniform sampler2D uTexture;
uniform float uAlphaRef;
out vec4 oColour;
void main()
{
    vec4 c = texture(uTexture, vUV) * vColour;
    if (floor(c.a * 255.0 + 0.5) < uAlphaRef)
        discard;
    oColour = c;
}
)";

GLuint MakeSampler(GLint minFilter, GLint magFilter)
{
    GLuint sampler = 0;
    glGenSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, minFilter);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, magFilter);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return sampler;
}

} // namespace

MSpriteBatch::~MSpriteBatch()
{
    if (!SDL_GL_GetCurrentContext())
        return;
    const GLuint samplers[] = {nSpriteSampler, nPointSampler, nLinearSampler};
    glDeleteSamplers(3, samplers);
    glDeleteBuffers(1, &nVbo);
    glDeleteVertexArrays(1, &nVao);
}

bool MSpriteBatch::Create()
{
    if (!program.Build(kVertexSource, kFragmentSource))
        return false;
    nScreenUniform = program.Uniform("uScreen");
    nAlphaRefUniform = program.Uniform("uAlphaRef");
    nTextureUniform = program.Uniform("uTexture");
    glGenVertexArrays(1, &nVao);
    glBindVertexArray(nVao);
    glGenBuffers(1, &nVbo);
    glBindBuffer(GL_ARRAY_BUFFER, nVbo);
    glBufferData(GL_ARRAY_BUFFER, sizeof(rgVertices), nullptr, GL_STREAM_DRAW);
    const GLsizei stride = sizeof(MScreenVertex);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(MScreenVertex, x)));
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(MScreenVertex, u)));
    // ARGB words are B, G, R, A in memory.
    glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(MScreenVertex, colour)));
    for (GLuint i = 0; i < 3; ++i)
        glEnableVertexAttribArray(i);
    glBindVertexArray(0);
    nSpriteSampler = MakeSampler(GL_LINEAR, GL_NEAREST);
    nPointSampler = MakeSampler(GL_NEAREST, GL_NEAREST);
    nLinearSampler = MakeSampler(GL_LINEAR, GL_LINEAR);
    return glGetError() == GL_NO_ERROR;
}

void MSpriteBatch::SetScreenSize(int32_t width, int32_t height)
{
    nWidth = width;
    nHeight = height;
}

void MSpriteBatch::Begin()
{
    nCount = 0;
    fOpen = true;
}

void MSpriteBatch::End()
{
    Flush();
    fOpen = false;
}

void MSpriteBatch::Add(const MGLTexture& texture, const float dest[4], const float uv[4], uint32_t colour)
{
    if (texture.GetName() != nTexture || nCount + 6 > kMaxQuads * 6)
        Flush();
    nTexture = texture.GetName();
    const MScreenVertex tl{dest[0], dest[1], uv[0], uv[1], colour};
    const MScreenVertex tr{dest[2], dest[1], uv[2], uv[1], colour};
    const MScreenVertex bl{dest[0], dest[3], uv[0], uv[3], colour};
    const MScreenVertex br{dest[2], dest[3], uv[2], uv[3], colour};
    MScreenVertex* v = rgVertices + nCount;
    v[0] = tl;
    v[1] = tr;
    v[2] = bl;
    v[3] = tr;
    v[4] = br;
    v[5] = bl;
    nCount += 6;
}

void MSpriteBatch::Flush()
{
    if (nCount > 0)
        Draw(nTexture, rgVertices, nCount, nSpriteSampler, 0);
    nCount = 0;
}

void MSpriteBatch::DrawTriangles(const MGLTexture& texture, const MScreenVertex* vertices, uint32_t count,
                                 bool linear, int32_t alphaRef)
{
    Flush();
    while (count > 0) {
        const uint32_t part = count < kMaxQuads * 6 ? count : kMaxQuads * 6;
        Draw(texture.GetName(), vertices, part, linear ? nLinearSampler : nPointSampler, alphaRef);
        vertices += part;
        count -= part;
    }
}

void MSpriteBatch::Draw(uint32_t texture, const MScreenVertex* vertices, uint32_t count, uint32_t sampler,
                        int32_t alphaRef)
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_STENCIL_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    program.Use();
    glUniform2f(nScreenUniform, float(nWidth), float(nHeight));
    glUniform1f(nAlphaRefUniform, float(alphaRef));
    glUniform1i(nTextureUniform, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindSampler(0, sampler);
    glBindVertexArray(nVao);
    glBindBuffer(GL_ARRAY_BUFFER, nVbo);
    glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(count * sizeof(MScreenVertex)), vertices);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(count));
    glBindVertexArray(0);
    glBindSampler(0, 0);
}
