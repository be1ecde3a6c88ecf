#include "tools/content/FontPainter.h"
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <cmath>
#include <stdexcept>

namespace {

std::string FindFontFile(const std::string& pattern)
{
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* query = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    FcConfigSubstitute(config, query, FcMatchPattern);
    FcDefaultSubstitute(query);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, query, &result);
    std::string file;
    FcChar8* path = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
        file = reinterpret_cast<const char*>(path);
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(query);
    FcConfigDestroy(config);
    if (file.empty())
        throw std::runtime_error("no font for " + pattern);
    return file;
}

} // namespace

FontPainter::FontPainter(const std::string& pattern, int pixelSize)
{
    std::string file = FindFontFile(pattern);
    if (FT_Init_FreeType(&pLibrary) != 0)
        throw std::runtime_error("FreeType did not start");
    if (FT_New_Face(pLibrary, file.c_str(), 0, &pFace) != 0) {
        FT_Done_FreeType(pLibrary);
        throw std::runtime_error("cannot load font " + file);
    }
    FT_Set_Pixel_Sizes(pFace, 0, FT_UInt(pixelSize));
}

FontPainter::~FontPainter()
{
    FT_Done_Face(pFace);
    FT_Done_FreeType(pLibrary);
}

int FontPainter::TextWidth(const std::string& text) const
{
    long width = 0;
    for (unsigned char c : text)
        if (FT_Load_Char(pFace, c, FT_LOAD_DEFAULT) == 0)
            width += pFace->glyph->advance.x;
    return int(width >> 6);
}

int FontPainter::Ascent() const
{
    if (FT_Load_Char(pFace, 'H', FT_LOAD_DEFAULT) != 0)
        return 0;
    return int(pFace->glyph->metrics.horiBearingY >> 6);
}

void FontPainter::Draw(Raster& raster, const std::string& text, int x, int y, Colour colour) const
{
    long penX = long(x) << 6;
    for (unsigned char c : text) {
        if (FT_Load_Char(pFace, c, FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot glyph = pFace->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        int left = int(penX >> 6) + glyph->bitmap_left;
        int top = y - glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned column = 0; column < bitmap.width; ++column) {
                float coverage = bitmap.buffer[long(row) * bitmap.pitch + column] / 255.0f;
                raster.Blend(left + int(column), top + int(row), colour, coverage);
            }
        penX += glyph->advance.x;
    }
}

void FontPainter::DrawCentred(Raster& raster, const std::string& text, float cx, float cy, Colour colour) const
{
    int x = int(std::lround(cx - float(TextWidth(text)) * 0.5f));
    int y = int(std::lround(cy + float(Ascent()) * 0.5f));
    Draw(raster, text, x, y, colour);
}
