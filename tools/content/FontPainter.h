#pragma once
#include "tools/content/Raster.h"
#include <string>

struct FT_LibraryRec_;
struct FT_FaceRec_;

// Draws text into a Raster with FreeType, in the font fontconfig gives for a
// pattern ("Arial:bold" resolves to Liberation Sans Bold).
class FontPainter {
public:
    FontPainter(const std::string& pattern, int pixelSize);
    ~FontPainter();
    FontPainter(const FontPainter&) = delete;
    FontPainter& operator=(const FontPainter&) = delete;

    int TextWidth(const std::string& text) const;
    int Ascent() const;
    // Draws with the baseline's left end at (x, y).
    void Draw(Raster& raster, const std::string& text, int x, int y, Colour colour) const;
    // Draws centred on (cx, cy), the box of capital letters taken as the height.
    void DrawCentred(Raster& raster, const std::string& text, float cx, float cy, Colour colour) const;

private:
    FT_LibraryRec_* pLibrary = nullptr;
    FT_FaceRec_* pFace = nullptr;
};
