#include "platform/video/MPixelConverter.h"
#include "platform/video/MFormat.h"

namespace {

uint32_t Reduce(uint32_t c, uint32_t m)
{
    return c * m / 255;
}

} // namespace

bool MPixelConverter::Writes(int32_t screenDepth, int32_t format, Target target)
{
    if (screenDepth == 32)
        return true;
    if (screenDepth != 16)
        return false;
    return target == Target::kTexture || format == kFormatR5G6B5 || format == kFormatX1R5G5B5 ||
           format == kFormatA1R5G5B5;
}

uint32_t MPixelConverter::Convert(uint32_t pixel, int32_t screenDepth, int32_t format, Target target)
{
    const uint32_t r = pixel >> 24, g = (pixel >> 16) & 0xFF, b = (pixel >> 8) & 0xFF, a = pixel & 0xFF;
    if (screenDepth == 32)
        return a << 24 | r << 16 | g << 8 | b;
    const uint32_t rgb555 = Reduce(r, 31) << 10 | Reduce(g, 31) << 5 | Reduce(b, 31);
    switch (format) {
    case kFormatR5G6B5:
        return Reduce(r, 31) << 11 | Reduce(g, 63) << 5 | Reduce(b, 31);
    case kFormatA1R5G5B5: {
        const bool opaque = target == Target::kSurface ? a != 0 : a > 127;
        return (opaque ? 0x8000u : 0u) | rgb555;
    }
    case kFormatA4R4G4B4:
        return Reduce(a, 15) << 12 | Reduce(r, 15) << 8 | Reduce(g, 15) << 4 | Reduce(b, 15);
    default:
        return rgb555;
    }
}
