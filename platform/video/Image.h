#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture: 32-bit pixels, row-major, top row first, each word
// red << 24 | green << 16 | blue << 8 | alpha.
class Image {
public:
    // Largest picture decoded from any source (4096 x 4096).
    static constexpr uint64_t kMaxPixels = uint64_t(1) << 24;

    uint32_t GetPixel(uint32_t x, uint32_t y) const { return pixels[size_t(nWidth) * y + x]; }
    void SetWidth(uint32_t width) { nWidth = width; }
    void SetHeight(uint32_t height) { nHeight = height; }
    // Copies width x height words; nothing when they are our own.
    void SetPixels(const uint32_t* source);
    bool HasPixels() const { return !pixels.empty(); }
    const uint32_t* GetPixels() const { return pixels.data(); }

    // Decodes a TGA image (type 2 or 10, depth 24 or 32) from the bytes of an
    // 'rgba' chunk: 0, or 28 for an unsupported, truncated or oversized one,
    // which leaves no pixels.
    int32_t DecodeTGA(const uint8_t* data, size_t size);
    // Reads a picture file (PNG, BMP, TGA, JPEG, ...); pixels equal to the
    // ARGB colour key become transparent black (a key of 0 keys nothing).
    // False, with the image unchanged, for a broken or oversized picture.
    bool LoadFile(const char* path, uint32_t colourKey);
    // As LoadFile, from the bytes of a picture file in memory.
    bool LoadMemory(const uint8_t* data, size_t size, uint32_t colourKey);

    uint32_t nWidth = 0;
    uint32_t nHeight = 0;
    uint16_t wReserved[2] = {0, 0};
    int16_t nOriginX = 0;
    int16_t nOriginY = 0;
    uint32_t nPixelDepth = 0;
    uint32_t fHasAlpha = 0;
    uint32_t fCompressed = 0;
    uint32_t fBottomUp = 0;
    uint32_t nLastRow = 0;
    uint32_t nLastColumn = 0;
    uint8_t bDescriptor = 0;

private:
    static bool Fits(int width, int height);
    bool TakeDecoded(uint8_t* rgba, int width, int height, int channels, uint32_t colourKey);
    int32_t Refuse();
    void DecodeRaw(const uint8_t* data, uint32_t bytesPerPixel);
    bool DecodeRunLength(const uint8_t* data, size_t size, uint32_t bytesPerPixel);
    void Place(uint64_t index, const uint8_t* bgra, uint32_t bytesPerPixel);

    std::vector<uint32_t> pixels;
};
