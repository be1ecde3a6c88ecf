#include "common/actors/DrawBevelFrame.h"

#include <cstdlib>
#include "platform/video/MDeviceManager.h"

namespace {

constexpr int32_t kInvalidArg = int32_t(0x80070057);

uint8_t Half(uint32_t colour, int shift)
{
    return uint8_t(((colour >> shift) & 0xFF) / 2);
}

uint8_t HalfToWhite(uint32_t colour, int shift)
{
    return uint8_t((((colour >> shift) & 0xFF) + 255) / 2);
}

uint32_t Pack(uint8_t r, uint8_t g, uint8_t b)
{
    return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

} // namespace

void BevelColours(uint32_t edge, uint32_t style, uint32_t* light, uint32_t* dark)
{
    *light = *dark = edge;
    if (style & 3) {
        const uint32_t bright = Pack(HalfToWhite(edge, 16), HalfToWhite(edge, 8), HalfToWhite(edge, 0));
        const uint32_t dim = Pack(Half(edge, 16), Half(edge, 8), Half(edge, 0));
        const bool raised = style & 1;
        *light = raised ? bright : dim;
        *dark = raised ? dim : bright;
    }
}

int32_t DrawBevelFrame(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t fill, int32_t thickness,
                       uint32_t edge, uint32_t style, int32_t noFill)
{
    if (bottom - top < 1 || right - left < 1)
        return kInvalidArg;
    MDeviceManager* device = GetDeviceManager();
    if (!noFill)
        device->FillRect(left, top, right, bottom, fill);
    if (thickness == 0)
        return 0;
    if (thickness > 0) {
        left -= thickness;
        top -= thickness;
        right += thickness;
        bottom += thickness;
    }
    const int32_t w = std::abs(thickness);
    uint32_t light, dark;
    BevelColours(edge, style, &light, &dark);
    device->FillRect(left, top, right, top + w, light);
    device->FillRect(left, top, left + w, bottom, light);
    device->FillRect(left, bottom - w, right, bottom, dark);
    device->FillRect(right - w, top, right, bottom, dark);
    return 0;
}
