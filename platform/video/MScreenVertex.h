#pragma once
#include <cstdint>

// A 2D vertex in back-buffer pixels (top-left origin, pixel edges at whole
// numbers) with a texture coordinate and an ARGB colour.
struct MScreenVertex {
    float x, y;
    float u, v;
    uint32_t colour;
};
