#pragma once
#include <cstdint>
#include "common/assets/CSpriteArray.h"

// A bitmap font: one sprite per character from chFirst on, with its metrics.
class CGlyphFont : public CSpriteArray {
public:
    explicit CGlyphFont(int32_t nSlots) : CSpriteArray(nSlots) {}

    // The glyph of character ch, or null when the font has none.
    CSprite* GetGlyph(unsigned char ch) const;
    // Width in pixels of character ch (nAdvance when fixed pitch or missing).
    int32_t CharWidth(unsigned char ch) const;

    int32_t chFirst = 32;
    int32_t nLineHeight = 0;
    int32_t nAdvance = 0;
    int32_t nSpacing = 0;
    int32_t fFixedPitch = 0;
};
