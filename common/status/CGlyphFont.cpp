#include "common/status/CGlyphFont.h"
#include "common/assets/CSprite.h"

CSprite* CGlyphFont::GetGlyph(unsigned char ch) const
{
    return Get(int32_t(ch) - chFirst);
}

int32_t CGlyphFont::CharWidth(unsigned char ch) const
{
    if (fFixedPitch)
        return nAdvance;
    const CSprite* glyph = GetGlyph(ch);
    return glyph ? glyph->nWidth : nAdvance;
}
