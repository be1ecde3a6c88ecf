#pragma once
#include <cstdint>

// A bevelled box in back-buffer pixels, drawn with the device's filled
// rectangles: unless noFill, the box in the fill colour; then a frame of the
// thickness's width, outside the box for a positive thickness and inside it
// for a negative one, light at the top and left and dark at the bottom and
// right. Style bit 0 raises it, bit 1 (without bit 0) sinks it; otherwise
// both edges have the edge colour. Colours ARGB.
// 0, or E_INVALIDARG (0x80070057) for an empty box.
int32_t DrawBevelFrame(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t fill, int32_t thickness,
                       uint32_t edge, uint32_t style, int32_t noFill);
// The light and dark edge colours a bevel of that style uses.
void BevelColours(uint32_t edge, uint32_t style, uint32_t* light, uint32_t* dark);
