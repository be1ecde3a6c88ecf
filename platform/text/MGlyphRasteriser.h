#pragma once
#include <cstdint>

// Renders single characters of a system font face, found by family name
// through fontconfig, into an 8-bit coverage buffer with FreeType.
class MGlyphRasteriser {
public:
    MGlyphRasteriser() = default;
    ~MGlyphRasteriser();
    MGlyphRasteriser(const MGlyphRasteriser&) = delete;
    MGlyphRasteriser& operator=(const MGlyphRasteriser&) = delete;

    // The face nearest the family in that style, with an em of pixelHeight.
    bool Open(const char* family, bool bold, bool italic, int32_t pixelHeight);
    // Advance width and line height of one character.
    void Measure(char c, int32_t* cx, int32_t* cy);
    // Draws the character's coverage with its cell's top-left at (x, y) into
    // a side x side buffer, after clearing the cell (cx x cy); clipped.
    void Draw(char c, int32_t x, int32_t y, uint8_t* coverage, int32_t side);

private:
    bool Load(char c);

    void* pLibrary = nullptr;
    void* pFace = nullptr;
    int32_t nAscent = 0;
    int32_t nDescent = 0;
};
