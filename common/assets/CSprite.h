#pragma once
#include <cstdint>

class CFileIFF;
class MTexture;
struct Rect;

// One 2D image: a texture with its size and its offset from the actor position.
class CSprite {
public:
    // Reads the next 'rgba' chunk; throws CFileException / CMemException, also
    // for a picture that does not decode.
    static CSprite* Create(CFileIFF* file, int32_t fTexture);

    CSprite();
    CSprite(CFileIFF* file, int32_t fTexture);
    // Takes ownership of an existing texture; size and offset come from it.
    explicit CSprite(MTexture* texture);
    ~CSprite();
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;

    // Draws the src part of the image at dest; 0 when there is nothing to draw.
    int32_t Draw(const Rect* dest, const Rect* src, int32_t flip);
    // Draws the part inside clip of the image laid over bounds.
    int32_t DrawClipped(const Rect* clip, const Rect& bounds);
    // x, y in image pixels; 1 when the pixel lets the mouse through.
    int32_t IsTransparentAt(int32_t x, int32_t y, int32_t flipV, int32_t flipH);

    MTexture* pTexture = nullptr;
    int32_t fTexture = 1;
    int32_t nXOffset = 0;
    int32_t nYOffset = 0;
    int32_t nWidth = 0;
    int32_t nHeight = 0;

private:
    void TakeSize();
};
