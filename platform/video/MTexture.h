#pragma once
#include <cstddef>
#include <cstdint>
#include "platform/video/MCanvas.h"
#include "platform/video/MFormat.h"
#include "platform/video/MGLTexture.h"

struct Rect;

// A power-of-two texture drawn through the sprite batch. Level 0 has a CPU
// copy: Lock returns it and UnLock sends it to the device.
class MTexture : public MCanvas {
public:
    // No texture yet (LoadFromFile or SetImage make one).
    MTexture() = default;
    // An empty texture; width and height become its power-of-two size.
    MTexture(uint32_t width, uint32_t height);
    ~MTexture() override;

    int32_t LoadFromFile(const char* path, uint32_t width, uint32_t height) override;
    int32_t SetImage(const Image* source, uint32_t width, uint32_t height) override;
    int32_t Create(uint32_t width, uint32_t height) override;
    void UpdateSize() override;

    // From the TGA bytes of an 'rgba' chunk (what follows its header): 0, 28
    // when the picture does not decode, or Create's result.
    int32_t CreateFromTGA(const uint8_t* tga, size_t size);
    // As LoadFromFile with another colour key (0: none). Width and height 0
    // take the file's size. 0 or 31.
    int32_t LoadFromFileKeyed(const char* path, uint32_t width, uint32_t height, uint32_t colourKey);

    // Colour that draws a sprite as it is.
    static constexpr uint32_t kNoTint = 0xFFFFFFFF;
    // Flags 0x01 and 0x10 move the position right / down by the destination's
    // width / height. 0, or 36 outside the sprite batch or without a texture.
    int32_t DrawSprite(const Rect* dest, const Rect* src, uint32_t flags, uint32_t colour);
    // Texels of level 0 from the rectangle's top-left, with the row pitch in
    // bytes; null without a texture, for another level, or when locked.
    void* Lock(const Rect* rect, int32_t* pitch, uint32_t level);
    // 0, or D3DERR_INVALIDCALL (0x8876086C) when not locked.
    int32_t UnLock(uint32_t level);
    // 0, or 0x80004005 when the texture cannot be locked.
    int32_t Fill32(uint32_t value);
    int32_t Fill16(uint16_t value);

    int32_t GetFormat() const { return nFormat; }
    uint32_t GetSerial() const { return nSerial; }
    bool HasTexture() const { return texture.IsCreated(); }
    const MGLTexture& GetGLTexture() const { return texture; }

    // 1 below 2, else the smallest power of two >= n.
    static uint32_t TextureSize(uint32_t n);
    // The texture format: the first of the screen depth's list accept() takes.
    template <class Accept>
    static int32_t ChooseFormat(int32_t screenDepth, int32_t backBufferFormat, Accept&& accept);

private:
    int32_t CreateTexture(uint32_t width, uint32_t height);
    bool WriteImage();
    template <class Texel> int32_t Fill(Texel value);

    MGLTexture texture;
    uint32_t nSerial = 0;
    int32_t nFormat = kFormatUnknown;
    bool fLocked = false;
};

template <class Accept>
int32_t MTexture::ChooseFormat(int32_t screenDepth, int32_t backBufferFormat, Accept&& accept)
{
    if (screenDepth == 32) {
        const int32_t formats[] = {kFormatA8R8G8B8, backBufferFormat};
        return FirstAcceptedFormat(formats, 2, accept);
    }
    if (screenDepth == 16) {
        const int32_t formats[] = {kFormatA4R4G4B4, kFormatA1R5G5B5, backBufferFormat};
        return FirstAcceptedFormat(formats, 3, accept);
    }
    return kFormatUnknown;
}
