#pragma once
#include <cstdint>

class CGlyphFont;

// What a text label shows and how its text is laid out.
struct TextDesc {
    char* pszText;          // initial text; zero fill writes into it
    int32_t nMaxLen;        // most characters the label holds
    int32_t nHAlign;        // 0 centred on x, 1 right edge at x, 2 left edge at x
    int32_t nVAlign;        // 0 centred on y, 1 top at y, 2 bottom at y
    CGlyphFont* pGlyphFont; // bitmap font, or null for the screen font
    int32_t nFont;          // screen font index when there is no glyph font
    uint32_t clrText;       // ARGB
    int32_t fTextShadow;
    int32_t fVertical;      // characters stacked top to bottom
};
