#include "platform/video/MRenderStates.h"

#include <epoxy/gl.h>
#include "platform/mesh/MMeshShader.h"

namespace {

constexpr int32_t kLastStencilMark = 255;

} // namespace

void MRenderStates::Set(MRenderState state, bool on, MMeshShader* shader)
{
    rgStates[int(state)] = on;
    if (state == MRenderState::Lighting && shader)
        shader->SetLighting(on);
    if (state == MRenderState::Specular && shader)
        shader->SetSpecular(on);
}

void MRenderStates::SetDefaults(MMeshShader& shader)
{
    MMeshShader::Light light{};
    light.direction.z = 1.0f;
    for (int i = 0; i < 3; ++i) {
        light.diffuse[i] = 0.44f;
        light.specular[i] = 0.25f;
        light.ambient[i] = 0.44f;
    }
    light.diffuse[3] = light.specular[3] = light.ambient[3] = 1.0f;
    shader.SetLight(light);
    Set(MRenderState::Cull, true, &shader);
    Set(MRenderState::Lighting, true, &shader);
    Set(MRenderState::ZEnable, true, &shader);
}

void MRenderStates::NextStencilMark()
{
    if (++nStencilMark <= kLastStencilMark)
        return;
    nStencilMark = 1;
    glStencilMask(0xFF);
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
}

void MRenderStates::Apply() const
{
    auto enable = [](GLenum cap, bool on) { on ? glEnable(cap) : glDisable(cap); };
    enable(GL_DEPTH_TEST, rgStates[int(MRenderState::ZEnable)]);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(rgStates[int(MRenderState::ZEnable)] ? GL_TRUE : GL_FALSE);
    // Clockwise triangles face the viewer; counter-clockwise ones are culled.
    enable(GL_CULL_FACE, rgStates[int(MRenderState::Cull)]);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    enable(GL_BLEND, rgStates[int(MRenderState::AlphaBlend)]);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    enable(GL_STENCIL_TEST, rgStates[int(MRenderState::StencilShadow)]);
    // Marks rise within a frame: a pixel below the mark is still free.
    glStencilFunc(GL_GREATER, nStencilMark, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glStencilMask(0xFF);
}
