#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

Colour Mix(Colour a, Colour b, float t);

// A picture of straight-alpha float pixels, drawn into by the generators and
// written as PNG (textures) or 32-bit TGA (sprites).
class Raster {
public:
    Raster(int width, int height, Colour fill = {0, 0, 0, 0});

    int Width() const { return nWidth; }
    // Offset of the top-left corner from the sprite's position, stored in the TGA header.
    void SetOrigin(int x, int y)
    {
        nOriginX = x;
        nOriginY = y;
    }
    int Height() const { return nHeight; }
    Colour& At(int x, int y) { return rgPixels[size_t(y) * size_t(nWidth) + size_t(x)]; }
    const Colour& At(int x, int y) const { return rgPixels[size_t(y) * size_t(nWidth) + size_t(x)]; }

    // Lays `colour` over the pixel with the given coverage (0..1).
    void Blend(int x, int y, Colour colour, float coverage);
    // Anti-aliased shapes; coverage from the signed distance to the edge.
    void FillRoundRect(float x0, float y0, float x1, float y1, float radius, Colour colour);
    void FillCircle(float cx, float cy, float radius, Colour colour);
    void FillRing(float cx, float cy, float radius, float width, Colour colour);
    void DrawLine(float x0, float y0, float x1, float y1, float width, Colour colour);
    // Multiplies the colour channels of pixels inside the round rectangle by a
    // vertical ramp from `top` to `bottom` (for bevels and glassy shading).
    void ShadeRoundRect(float x0, float y0, float x1, float y1, float radius, float top, float bottom);

    std::vector<uint8_t> ToRGBA8() const;
    void WritePng(const std::string& path, bool alpha) const;
    // 32-bit BGRA TGA; run-length packets when `rle`; rows top first unless `bottomUp`.
    std::vector<uint8_t> EncodeTga(bool rle, bool bottomUp) const;
    void WriteTga(const std::string& path, bool rle, bool bottomUp) const;

private:
    template <typename Coverage>
    void FillBox(float x0, float y0, float x1, float y1, Colour colour, Coverage coverage);

    int nWidth;
    int nHeight;
    int nOriginX = 0;
    int nOriginY = 0;
    std::vector<Colour> rgPixels;
};
