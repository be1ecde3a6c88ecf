#include "platform/text/MGlyphRasteriser.h"

#include <algorithm>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <string>

namespace {

// The font file and face index fontconfig picks for the family and style.
bool FindFace(const char* family, bool bold, bool italic, std::string* file, int* index)
{
    if (!FcInit())
        return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FcChar8* path = nullptr;
    const bool found = match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    if (found) {
        *file = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, index) != FcResultMatch)
            *index = 0;
    }
    if (match)
        FcPatternDestroy(match);
    return found;
}

} // namespace

MGlyphRasteriser::~MGlyphRasteriser()
{
    if (pFace)
        FT_Done_Face(static_cast<FT_Face>(pFace));
    if (pLibrary)
        FT_Done_FreeType(static_cast<FT_Library>(pLibrary));
}

bool MGlyphRasteriser::Open(const char* family, bool bold, bool italic, int32_t pixelHeight)
{
    std::string file;
    int index = 0;
    if (pLibrary || pixelHeight <= 0 || !FindFace(family, bold, italic, &file, &index))
        return false;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return false;
    pLibrary = library;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), index, &face) != 0)
        return false;
    pFace = face;
    if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelHeight)) != 0)
        return false;
    nAscent = int32_t((face->size->metrics.ascender + 63) >> 6);
    nDescent = int32_t((-face->size->metrics.descender + 63) >> 6);
    return true;
}

bool MGlyphRasteriser::Load(char c)
{
    FT_Face face = static_cast<FT_Face>(pFace);
    return face && FT_Load_Char(face, FT_ULong(uint8_t(c)), FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) == 0;
}

void MGlyphRasteriser::Measure(char c, int32_t* cx, int32_t* cy)
{
    *cy = nAscent + nDescent;
    *cx = Load(c) ? int32_t((static_cast<FT_Face>(pFace)->glyph->advance.x + 32) >> 6) : 0;
}

void MGlyphRasteriser::Draw(char c, int32_t x, int32_t y, uint8_t* coverage, int32_t side)
{
    int32_t cx = 0, cy = 0;
    Measure(c, &cx, &cy);
    const int32_t x0 = std::max(x, 0), x1 = std::min(x + cx, side);
    for (int32_t row = std::max(y, 0); row < std::min(y + cy, side) && x0 < x1; ++row)
        std::fill(coverage + row * side + x0, coverage + row * side + x1, 0);
    if (cx == 0)
        return;
    const FT_GlyphSlot slot = static_cast<FT_Face>(pFace)->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const int32_t left = x + slot->bitmap_left;
    const int32_t top = y + nAscent - slot->bitmap_top;
    for (int32_t r = 0; r < int32_t(bitmap.rows); ++r) {
        const int32_t py = top + r;
        if (py < 0 || py >= side)
            continue;
        for (int32_t col = 0; col < int32_t(bitmap.width); ++col) {
            const int32_t px = left + col;
            if (px < 0 || px >= side)
                continue;
            uint8_t& dst = coverage[py * side + px];
            dst = std::max(dst, bitmap.buffer[r * bitmap.pitch + col]);
        }
    }
}
