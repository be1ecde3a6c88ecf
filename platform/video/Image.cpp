#include "platform/video/Image.h"

#include <algorithm>
#include <climits>
#include "base/LittleEndian.h"
#include "base/Result.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace {

constexpr size_t kHeaderSize = 18;

} // namespace

void Image::SetPixels(const uint32_t* source)
{
    const size_t count = size_t(nWidth) * nHeight;
    if (source == pixels.data())
        return;
    pixels.assign(source, source + count);
}

int32_t Image::Refuse()
{
    pixels.clear();
    return Result::kImageUnsupported;
}

int32_t Image::DecodeTGA(const uint8_t* data, size_t size)
{
    if (!data || size < kHeaderSize)
        return Refuse();
    const uint8_t idLength = data[0];
    const uint8_t type = data[2];
    if (type != 2 && type != 10)
        return Refuse();
    const uint16_t mapLength = ReadLE16(data + 5);
    nOriginX = int16_t(ReadLE16(data + 8));
    nOriginY = int16_t(ReadLE16(data + 10));
    nWidth = ReadLE16(data + 12);
    nHeight = ReadLE16(data + 14);
    nLastRow = nHeight - 1;
    nLastColumn = nWidth - 1;
    nPixelDepth = data[16];
    if (nPixelDepth != 24 && nPixelDepth != 32)
        return Refuse();
    bDescriptor = data[17];
    fBottomUp = (bDescriptor & 0x20) == 0;

    const size_t skip = kHeaderSize + idLength + size_t(mapLength) * 4;
    if (skip > size)
        return Refuse();
    const uint32_t bytesPerPixel = nPixelDepth / 8;
    fHasAlpha = nPixelDepth == 32;
    fCompressed = type == 10;
    // No allocation for more pixels than the chunk can hold: a run-length
    // packet of 1 + bytesPerPixel bytes makes at most 128 of them.
    const uint64_t count = uint64_t(nWidth) * nHeight;
    const uint64_t room = fCompressed ? (size - skip) / (1 + bytesPerPixel) * 128 : (size - skip) / bytesPerPixel;
    if (count > room || count > kMaxPixels)
        return Refuse();
    pixels.assign(count, 0);
    if (!fCompressed) {
        DecodeRaw(data + skip, bytesPerPixel);
        return 0;
    }
    return DecodeRunLength(data + skip, size - skip, bytesPerPixel) ? 0 : Refuse();
}

void Image::DecodeRaw(const uint8_t* data, uint32_t bytesPerPixel)
{
    for (uint64_t i = 0; i < pixels.size(); ++i)
        Place(i, data + i * bytesPerPixel, bytesPerPixel);
}

// Packets until every pixel is made; running out of data first refuses the image.
bool Image::DecodeRunLength(const uint8_t* data, size_t size, uint32_t bytesPerPixel)
{
    const uint64_t count = pixels.size();
    uint64_t made = 0;
    size_t at = 0;
    while (made < count) {
        if (at >= size)
            return false;
        const uint8_t header = data[at++];
        const uint64_t run = (header & 127u) + 1;
        const bool repeat = header >= 128;
        const uint64_t used = std::min(run, count - made);
        if ((repeat ? 1 : used) * bytesPerPixel > size - at)
            return false;
        for (uint64_t k = 0; k < run && made < count; ++k, ++made)
            Place(made, data + at + (repeat ? 0 : k * bytesPerPixel), bytesPerPixel);
        at += (repeat ? 1 : run) * bytesPerPixel;
    }
    return true;
}

// The index-th stored pixel, turned over when the rows are stored bottom first.
void Image::Place(uint64_t index, const uint8_t* bgra, uint32_t bytesPerPixel)
{
    uint64_t row = index / nWidth;
    const uint64_t column = index % nWidth;
    if (fBottomUp)
        row = nHeight - 1 - row;
    const uint32_t alpha = bytesPerPixel == 4 ? bgra[3] : 255u;
    pixels[row * nWidth + column] = uint32_t(bgra[2]) << 24 | uint32_t(bgra[1]) << 16 | uint32_t(bgra[0]) << 8 | alpha;
}

bool Image::LoadFile(const char* path, uint32_t colourKey)
{
    int width = 0, height = 0, channels = 0;
    if (!path || !stbi_info(path, &width, &height, &channels) || !Fits(width, height))
        return false;
    return TakeDecoded(stbi_load(path, &width, &height, &channels, 4), width, height, channels, colourKey);
}

bool Image::LoadMemory(const uint8_t* data, size_t size, uint32_t colourKey)
{
    int width = 0, height = 0, channels = 0;
    if (!data || size > size_t(INT_MAX) || !stbi_info_from_memory(data, int(size), &width, &height, &channels) ||
        !Fits(width, height))
        return false;
    stbi_uc* rgba = stbi_load_from_memory(data, int(size), &width, &height, &channels, 4);
    return TakeDecoded(rgba, width, height, channels, colourKey);
}

// The size is checked before decoding, so nothing oversized is ever allocated.
bool Image::Fits(int width, int height)
{
    return width > 0 && height > 0 && uint64_t(width) * uint64_t(height) <= kMaxPixels;
}

// Takes over stb_image's RGBA bytes, keying out the ARGB colour key, and frees them.
bool Image::TakeDecoded(uint8_t* rgba, int width, int height, int channels, uint32_t colourKey)
{
    if (!rgba || !Fits(width, height)) {
        stbi_image_free(rgba);
        return false;
    }
    nWidth = uint32_t(width);
    nHeight = uint32_t(height);
    fHasAlpha = channels == 4;
    pixels.resize(size_t(nWidth) * nHeight);
    const uint32_t key = colourKey << 8 | colourKey >> 24; // ARGB to RGBA
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint8_t* p = rgba + i * 4;
        const uint32_t pixel = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
        pixels[i] = colourKey != 0 && pixel == key ? 0 : pixel;
    }
    stbi_image_free(rgba);
    return true;
}
