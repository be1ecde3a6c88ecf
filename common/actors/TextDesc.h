#pragma once
#include <cstdint>

class CGlyphFont;

// What a text label shows and how its text is laid out.
struct TextDesc {
    char* pszText = nullptr;          // initial text; zero fill writes into it
    int32_t nMaxLen = 0;              // most characters the label holds
    int32_t nHAlign = 0;              // 0 centred on x, 1 right edge at x, 2 left edge at x
    int32_t nVAlign = 0;              // 0 centred on y, 1 top at y, 2 bottom at y
    CGlyphFont* pGlyphFont = nullptr; // bitmap font, or null for the screen font
    int32_t nFont = 0;                // screen font index when there is no glyph font
    uint32_t clrText = 0;             // ARGB
    int32_t fTextShadow = 0;
    int32_t fVertical = 0;            // characters stacked top to bottom
};
