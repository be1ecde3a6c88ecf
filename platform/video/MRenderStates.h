#pragma once
#include <cstdint>

class MMeshShader;

// Render-state switches of the mesh pipeline.
enum class MRenderState {
    Lighting,      // on by default
    ZEnable,       // depth test and write; on by default
    AlphaBlend,    // source alpha over inverse source alpha; off by default
    StencilShadow, // draw each pixel once after the last ClearStencil; off by default
    Specular,      // add the specular term; off by default
    Cull,          // cull counter-clockwise triangles; on by default
};

// The mesh pipeline's switches and the stencil marks of the shadows, put
// into OpenGL before each mesh draw.
class MRenderStates {
public:
    // Lighting and specular also go to the shader when there is one.
    void Set(MRenderState state, bool on, MMeshShader* shader);
    // The shader's one directional light, shining along +z; culling,
    // lighting and the depth test on.
    void SetDefaults(MMeshShader& shader);
    // A frame starts with a cleared stencil buffer and the first mark.
    void BeginFrame() { nStencilMark = 1; }
    // The next shadow's mark; the stencil buffer is cleared when the marks run out.
    void NextStencilMark();
    void Apply() const;

private:
    int32_t nStencilMark = 0;
    bool rgStates[6] = {true, true, false, false, false, true};
};
