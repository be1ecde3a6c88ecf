#pragma once
#include <cstdint>
#include "platform/video/MGLProgram.h"

// Draws a whole texture, opaque and unlit, into a rectangle of the bound
// framebuffer. The shader is only a texture fetch, which a software
// renderer runs on its fast path for window-aligned quads.
class MPictureQuad {
public:
    MPictureQuad() = default;
    ~MPictureQuad();
    MPictureQuad(const MPictureQuad&) = delete;
    MPictureQuad& operator=(const MPictureQuad&) = delete;

    // False when the program cannot be built; once built, true.
    bool Create();
    // The texture over (x, y, w, h), bottom-left origin; nearest sampling
    // when each texel covers whole pixels (crisp, and cheaper), else linear.
    void Draw(uint32_t texture, bool wholePixels, int32_t x, int32_t y, int32_t w, int32_t h) const;

private:
    MGLProgram program;
    uint32_t nVao = 0;
    int32_t nTextureUniform = -1;
};
