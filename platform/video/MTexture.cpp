#include "platform/video/MTexture.h"

#include <algorithm>
#include "base/Rect.h"
#include "base/Result.h"
#include "base/Trace.h"
#include "platform/video/MDeviceManager.h"
#include "platform/video/MPixelConverter.h"

namespace {

uint32_t g_nSerialCounter = 0;

constexpr int32_t kInvalidCall = int32_t(0x8876086C);
constexpr int32_t kFail = int32_t(0x80004005);

int32_t ScreenDepth()
{
    return GetDeviceManager()->GetBitsPerPixel();
}

} // namespace

MTexture::MTexture(uint32_t width, uint32_t height)
{
    if (CreateTexture(width, height) == 0) {
        nWidth = texture.GetWidth();
        nHeight = texture.GetHeight();
    }
}

MTexture::~MTexture() = default;

uint32_t MTexture::TextureSize(uint32_t n)
{
    uint32_t size = 1;
    while (size < n && size < 0x80000000u)
        size <<= 1;
    return size;
}

// A texture of at least that size in the first format the device takes.
int32_t MTexture::CreateTexture(uint32_t width, uint32_t height)
{
    const uint32_t w = TextureSize(width);
    const uint32_t h = TextureSize(height);
    const int32_t depth = ScreenDepth();
    const int32_t backBuffer = GetDeviceManager()->GetBackBufferFormat();
    fAlphaFormat = 1;
    nFormat = ChooseFormat(depth, backBuffer, [&](int32_t f) { return texture.Create(w, h, f); });
    if (nFormat == kFormatUnknown || (depth == 16 && nFormat == backBuffer))
        fAlphaFormat = 0;
    return nFormat == kFormatUnknown ? Result::kTextureCreateFailed : 0;
}

int32_t MTexture::SetImage(const Image* source, uint32_t width, uint32_t height)
{
    nSerial = ++g_nSerialCounter;
    return MCanvas::SetImage(source, width, height);
}

int32_t MTexture::Create(uint32_t, uint32_t)
{
    if (!HasImagePixels())
        return Result::kNoImage;
    if (CreateTexture(pImage->nWidth, pImage->nHeight) != 0)
        return Result::kTextureCreateFailed;
    if (!WriteImage()) {
        Trace("Unable to lock rect.");
        return Result::kTextureLockFailed;
    }
    UpdateSize();
    UpdateOrigin();
    return 0;
}

// The image's pixels into the top-left of level 0, converted for the screen.
bool MTexture::WriteImage()
{
    int32_t pitch = 0;
    uint8_t* bits = static_cast<uint8_t*>(Lock(nullptr, &pitch, 0));
    if (!bits)
        return false;
    const int32_t depth = ScreenDepth();
    const uint32_t stride = uint32_t(pitch) / uint32_t(depth / 8);
    const uint32_t w = std::min(pImage->nWidth, texture.GetWidth());
    const uint32_t h = std::min(pImage->nHeight, texture.GetHeight());
    constexpr auto kTexture = MPixelConverter::Target::kTexture;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const uint32_t texel = MPixelConverter::Convert(pImage->GetPixel(x, y), depth, nFormat, kTexture);
            if (depth == 32)
                reinterpret_cast<uint32_t*>(bits)[y * stride + x] = texel;
            else
                reinterpret_cast<uint16_t*>(bits)[y * stride + x] = uint16_t(texel);
        }
    UnLock(0);
    return true;
}

void MTexture::UpdateSize()
{
    if (!pImage)
        return;
    nWidth = pImage->nWidth;
    nHeight = pImage->nHeight;
}

int32_t MTexture::CreateFromTGA(const uint8_t* tga, size_t size)
{
    int32_t result = DecodeImage(tga, size);
    if (result == 0)
        result = Create(0, 0);
    DiscardImage();
    return result;
}

int32_t MTexture::LoadFromFile(const char* path, uint32_t width, uint32_t height)
{
    return LoadFromFileKeyed(path, width, height, 0xFF000000);
}

int32_t MTexture::LoadFromFileKeyed(const char* path, uint32_t width, uint32_t height, uint32_t colourKey)
{
    pImage = std::make_unique<Image>();
    int32_t result = pImage->LoadFile(path, colourKey) ? 0 : Result::kTextureCreateFailed;
    if (result == 0)
        result = CreateTexture(width ? width : pImage->nWidth, height ? height : pImage->nHeight);
    if (result == 0 && !WriteImage())
        result = 31;
    if (result == 0)
        UpdateSize();
    else {
        texture.Release();
        fAlphaFormat = 0;
    }
    DiscardImage();
    return result;
}

int32_t MTexture::DrawSprite(const Rect* dest, const Rect* src, uint32_t flags, uint32_t colour)
{
    if (!texture.IsCreated()) {
        Trace("Unable to draw sprite.\n");
        return Result::kSpriteDrawFailed;
    }
    float x = 0, y = 0;
    if (dest) {
        x = float(dest->left);
        y = float(dest->top);
        if (flags & 0x01)
            x += float(dest->right - dest->left);
        if (flags & 0x10)
            y += float(dest->bottom - dest->top);
    }
    const float tw = float(texture.GetWidth());
    const float th = float(texture.GetHeight());
    const Rect whole{0, 0, int32_t(tw), int32_t(th)};
    const Rect& s = src ? *src : whole;
    const float quad[4] = {x, y, x + float(s.right - s.left), y + float(s.bottom - s.top)};
    const float uv[4] = {float(s.left) / tw, float(s.top) / th, float(s.right) / tw, float(s.bottom) / th};
    const int32_t result = GetDeviceManager()->DrawSprite(texture, quad, uv, colour);
    if (result != 0)
        Trace("Unable to draw sprite.\n");
    return result;
}

void* MTexture::Lock(const Rect* rect, int32_t* pitch, uint32_t level)
{
    const Rect whole{0, 0, int32_t(texture.GetWidth()), int32_t(texture.GetHeight())};
    if (level != 0 || !texture.IsCreated() || fLocked || (rect && !whole.ContainsRect(*rect))) {
        Trace("MTexture::Lock failed %s.\n", "D3DERR_INVALIDCALL");
        return nullptr;
    }
    fLocked = true;
    *pitch = texture.GetPitch();
    const Rect& r = rect ? *rect : whole;
    return texture.GetBits() + size_t(r.top) * size_t(*pitch) + size_t(r.left) * size_t(MGLTexture::BytesPerTexel(nFormat));
}

int32_t MTexture::UnLock(uint32_t level)
{
    if (level != 0 || !fLocked) {
        Trace("MTexture::UnLock failed %s.\n", "D3DERR_INVALIDCALL");
        return kInvalidCall;
    }
    texture.Upload();
    fLocked = false;
    return 0;
}

// Width x height copies from the first texel, never past the texture's end.
template <class Texel>
int32_t MTexture::Fill(Texel value)
{
    int32_t pitch = 0;
    Texel* texels = static_cast<Texel*>(Lock(nullptr, &pitch, 0));
    if (!texels)
        return kFail;
    const size_t room = size_t(pitch) * texture.GetHeight() / sizeof(Texel);
    std::fill_n(texels, std::min(size_t(nWidth) * nHeight, room), value);
    UnLock(0);
    return 0;
}

int32_t MTexture::Fill32(uint32_t value)
{
    return Fill(value);
}

int32_t MTexture::Fill16(uint16_t value)
{
    return Fill(value);
}
