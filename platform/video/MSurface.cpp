#include "platform/video/MSurface.h"

#include <algorithm>
#include "base/Rect.h"
#include "base/Result.h"
#include "base/Trace.h"
#include "platform/video/MDeviceManager.h"
#include "platform/video/MPixelConverter.h"

MSurface::MSurface(const uint8_t* tga, size_t size, int32_t format, uint32_t width, uint32_t height)
    : nFormat(format ? format : GetDeviceManager()->GetBackBufferFormat())
{
    DecodeImage(tga, size);
    Create(width, height);
    DiscardImage();
}

MSurface::~MSurface() = default;

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
    if (MPixelConverter::Writes(depth, nFormat, MPixelConverter::Target::kSurface))
        WriteImage(std::min(width, pImage->nWidth), std::min(height, pImage->nHeight), depth);
    surface.Upload();
    return 0;
}

// The top-left w x h pixels of the image, converted for the screen.
void MSurface::WriteImage(uint32_t w, uint32_t h, int32_t depth)
{
    const int32_t bytes = MGLTexture::BytesPerTexel(nFormat);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const uint32_t texel =
                MPixelConverter::Convert(pImage->GetPixel(x, y), depth, nFormat, MPixelConverter::Target::kSurface);
            uint8_t* at = surface.GetBits() + size_t(y) * size_t(surface.GetPitch()) + size_t(x) * size_t(bytes);
            if (bytes == 4)
                *reinterpret_cast<uint32_t*>(at) = texel;
            else
                *reinterpret_cast<uint16_t*>(at) = uint16_t(texel);
        }
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
