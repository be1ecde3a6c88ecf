#pragma once
#include <cstdint>
#include "platform/video/MBackBufferPlacement.h"

struct Rect;

// The back buffer: drawn straight into the window's framebuffer (colour,
// 24-bit depth, 8-bit stencil) at the window's size, in the place the
// placement gives it, so that presenting is only the swap. Coordinates are
// back-buffer pixels; the viewport and every rectangle scale to the window.
class MRenderTarget {
public:
    MRenderTarget() = default;
    MRenderTarget(const MRenderTarget&) = delete;
    MRenderTarget& operator=(const MRenderTarget&) = delete;

    // False when the window cannot show that colour format, has no depth
    // and stencil, or the size is empty.
    bool Create(int32_t width, int32_t height, int32_t format);
    // Where the picture goes in the window from now on.
    void Place(const MBackBufferPlacement& where) { placement = where; }
    void Bind() const;
    // Colour (ARGB), depth 1 and stencil 0 over the picture, black margins.
    void Clear(uint32_t colour) const;
    // Colour and depth inside a rectangle (top-left origin), clipped to the target.
    void Fill(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour, double depth) const;
    // Copy of a texture's source rectangle (top-left origin) to the point
    // (x, y), scaled as the picture is, leaving this target bound; false when
    // the texture cannot be read.
    bool CopyFrom(uint32_t texture, const Rect& source, int32_t x, int32_t y) const;

private:
    // A back-buffer rectangle as the scissor box.
    void Scissor(const Rect& r) const;

    int32_t nWidth = 0;
    int32_t nHeight = 0;
    MBackBufferPlacement placement{{1, 1}, {1, 1}, {1, 1}};
};
