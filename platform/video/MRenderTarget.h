#pragma once
#include <cstdint>
#include "platform/video/MBackBufferPlacement.h"
#include "platform/video/MPictureQuad.h"

struct Rect;

// The back buffer: an off-screen colour texture with 24-bit depth and 8-bit
// stencil, drawn into the window at present where the placement puts it.
// Coordinates are picture pixels. It is drawn either at the picture's own
// size and scaled once at present (far cheaper on a software renderer), or
// at the size it shows in the window (sharp on a HiDPI display).
class MRenderTarget {
public:
    MRenderTarget() = default;
    ~MRenderTarget();
    MRenderTarget(const MRenderTarget&) = delete;
    MRenderTarget& operator=(const MRenderTarget&) = delete;

    // A picture of that size, drawn at that size until placed; false when
    // OpenGL cannot render to that colour format at that size.
    bool Create(int32_t width, int32_t height, int32_t format);
    // Where the picture shows from now on; drawn at the size it shows there
    // when atOutputSize, else at its own (also when the larger size cannot
    // be had).
    void Place(const MBackBufferPlacement& where, bool atOutputSize);
    void Bind() const;
    // Colour (ARGB), depth 1 and stencil 0 everywhere.
    void Clear(uint32_t colour) const;
    // Colour and depth inside a rectangle (top-left origin), clipped to the target.
    void Fill(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour, double depth) const;
    // The picture into the window's framebuffer where it is placed, the
    // bars beside it black; this target bound again after.
    void Present() const;
    // Copy of a texture's source rectangle (top-left origin) to the point
    // (x, y), scaled as the picture is drawn, leaving this target bound;
    // false when the texture cannot be read.
    bool CopyFrom(uint32_t texture, const Rect& source, int32_t x, int32_t y) const;

private:
    void Release();
    void BlackenBars() const; // in the bound window framebuffer
    // Storage for drawing at w x h; false when OpenGL refuses it.
    bool Allocate(int32_t w, int32_t h);
    // A picture rectangle (top-left origin) in drawn pixels (bottom-left origin).
    void ToDrawn(const Rect& r, int32_t* x, int32_t* y, int32_t* w, int32_t* h) const;

    MPictureQuad quad;
    MBackBufferPlacement placement{{1, 1}, {1, 1}, {1, 1}};
    uint32_t nFramebuffer = 0;
    uint32_t nColour = 0;       // texture
    uint32_t nDepthStencil = 0; // renderbuffer
    int32_t nFormat = 0;
    int32_t nWidth = 0; // the picture
    int32_t nHeight = 0;
    int32_t nDrawnWidth = 0; // the storage
    int32_t nDrawnHeight = 0;
};
