#include "platform/video/MSurface.h"

#include <algorithm>
#include "base/Rect.h"
#include "base/Result.h"
#include "base/Trace.h"
#include "platform/video/MDeviceManager.h"

namespace {

uint32_t Reduce(uint32_t c, uint32_t m)
{
    return c * m / 255;
}

} // namespace

MSurface::MSurface(const uint8_t* tga, size_t size, int32_t format, uint32_t width, uint32_t height)
    : nFormat(format ? format : GetDeviceManager()->GetBackBufferFormat())
{
    DecodeImage(tga, size);
    Create(width, height);
    DiscardImage();
}

MSurface::~MSurface() = default;

bool MSurface::ConvertPixel(uint32_t pixel, int32_t screenDepth, int32_t format, uint32_t* texel)
{
    const uint32_t r = pixel >> 24, g = (pixel >> 16) & 0xFF, b = (pixel >> 8) & 0xFF, a = pixel & 0xFF;
    if (screenDepth == 32) {
        *texel = a << 24 | r << 16 | g << 8 | b;
        return true;
    }
    if (screenDepth != 16)
        return false;
    switch (format) {
    case kFormatR5G6B5:
        *texel = Reduce(r, 31) << 11 | Reduce(g, 63) << 5 | Reduce(b, 31);
        return true;
    case kFormatX1R5G5B5:
        *texel = Reduce(r, 31) << 10 | Reduce(g, 31) << 5 | Reduce(b, 31);
        return true;
    case kFormatA1R5G5B5:
        *texel = (a != 0 ? 0x8000u : 0u) | Reduce(r, 31) << 10 | Reduce(g, 31) << 5 | Reduce(b, 31);
        return true;
    default:
        return false;
    }
}

int32_t MSurface::Create(uint32_t width, uint32_t height)
{
    surface.Release();
    if (!HasImagePixels())
        return Result::kNoImage;
    if (width == 0 || height == 0) {
        width = pImage->nWidth;
        height = pImage->nHeight;
    }
    if (!surface.Create(width, height, nFormat))
        return Result::kSurfaceCreateFailed;
    Trace("Address of surface is 0x%X.\n", surface.GetName());
    const int32_t depth = GetDeviceManager()->GetBitsPerPixel();
    const int32_t bytes = MGLTexture::BytesPerTexel(nFormat);
    const uint32_t w = std::min(width, pImage->nWidth);
    const uint32_t h = std::min(height, pImage->nHeight);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            uint32_t texel = 0;
            if (!ConvertPixel(pImage->GetPixel(x, y), depth, nFormat, &texel))
                continue;
            uint8_t* at = surface.GetBits() + size_t(y) * size_t(surface.GetPitch()) + size_t(x) * size_t(bytes);
            if (bytes == 4)
                *reinterpret_cast<uint32_t*>(at) = texel;
            else
                *reinterpret_cast<uint16_t*>(at) = uint16_t(texel);
        }
    surface.Upload();
    return 0;
}

int32_t MSurface::LoadFromFile(const char* path, uint32_t, uint32_t)
{
    if (!surface.IsCreated())
        return Result::kSurfaceLoadFailed;
    auto file = std::make_unique<Image>();
    if (!file->LoadFile(path, 0))
        return Result::kSurfaceLoadFailed;
    const uint32_t w = surface.GetWidth(), h = surface.GetHeight();
    pImage = std::move(file);
    const int32_t result = Create(w, h);
    nWidth = pImage->nWidth;
    nHeight = pImage->nHeight;
    DiscardImage();
    return result == 0 ? 0 : Result::kSurfaceLoadFailed;
}

uint32_t MSurface::GetWidth() const
{
    return surface.GetWidth();
}

uint32_t MSurface::GetHeight() const
{
    return surface.GetHeight();
}

void MSurface::UpdateSize()
{
    nWidth = surface.GetWidth();
    nHeight = surface.GetHeight();
}

int32_t MSurface::BlitToBackBuffer(int32_t x, int32_t y, const Rect* source)
{
    if (!surface.IsCreated())
        return 0;
    const Rect whole{0, 0, int32_t(surface.GetWidth()), int32_t(surface.GetHeight())};
    const int32_t result = GetDeviceManager()->CopyToBackBuffer(surface, source ? *source : whole, x, y);
    if (result == 16)
        Trace("Unable to get back buffer.");
    if (result == 37)
        Trace("Unable to copy rects.");
    return result;
}
