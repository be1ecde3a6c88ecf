#pragma once
#include <cstdint>

// Image pixels (R << 24 | G << 16 | B << 8 | A) as texels of a device format,
// each channel reduced as c * m / 255. On a 16-bit screen textures and
// surfaces differ: a texture sets the one-bit alpha from alpha 128 and writes
// every 16-bit format; a surface sets it for any alpha but 0 and writes only
// R5G6B5, X1R5G5B5 and A1R5G5B5.
class MPixelConverter {
public:
    enum class Target { kTexture, kSurface };

    // Whether the target writes texels of the format on a screen of that depth.
    static bool Writes(int32_t screenDepth, int32_t format, Target target);
    // The texel of the format for an image pixel.
    static uint32_t Convert(uint32_t pixel, int32_t screenDepth, int32_t format, Target target);
};
