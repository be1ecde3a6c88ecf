#pragma once
#include <cstdint>

struct Rect;

// The off-screen back buffer: colour plus 24-bit depth and 8-bit stencil,
// shown in the window at present.
class MRenderTarget {
public:
    MRenderTarget() = default;
    ~MRenderTarget();
    MRenderTarget(const MRenderTarget&) = delete;
    MRenderTarget& operator=(const MRenderTarget&) = delete;

    // False when OpenGL cannot render to that colour format at that size.
    bool Create(int32_t width, int32_t height, int32_t format);
    void Bind() const;
    // Colour (ARGB), depth 1 and stencil 0 everywhere.
    void Clear(uint32_t colour) const;
    // Colour and depth inside a rectangle (top-left origin), clipped to the target.
    void Fill(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour, double depth) const;
    // Copies the picture into the window's (x, y, w, h), bottom-left origin,
    // after clearing the window black when the picture leaves margins.
    void Present(int32_t x, int32_t y, int32_t w, int32_t h, bool fMargins) const;
    // Plain copy of a texture's source rectangle (top-left origin) to the
    // point (x, y), leaving this target bound; false when the texture cannot
    // be read.
    bool CopyFrom(uint32_t texture, const Rect& source, int32_t x, int32_t y) const;

private:
    void Release();

    uint32_t nFramebuffer = 0;
    uint32_t nColour = 0;
    uint32_t nDepthStencil = 0;
    int32_t nWidth = 0;
    int32_t nHeight = 0;
};
