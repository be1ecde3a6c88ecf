#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include "platform/video/Image.h"

// An image with its picture size and origin; MSurface and MTexture put its
// pixels into a device object.
class MCanvas {
public:
    MCanvas() = default;
    virtual ~MCanvas();
    MCanvas(const MCanvas&) = delete;
    MCanvas& operator=(const MCanvas&) = delete;

    virtual int32_t LoadFromFile(const char* path, uint32_t width, uint32_t height) = 0;
    // Copies the source's size and pixels into our own image, then Create.
    virtual int32_t SetImage(const Image* source, uint32_t width, uint32_t height);
    virtual int32_t Create(uint32_t width, uint32_t height) = 0;
    virtual uint32_t GetWidth() const { return nWidth; }
    virtual uint32_t GetHeight() const { return nHeight; }
    virtual int32_t GetOriginX() const { return nOriginX; }
    virtual int32_t GetOriginY() const { return nOriginY; }
    virtual void UpdateSize() = 0;
    virtual void UpdateOrigin();

    const Image* GetImage() const { return pImage.get(); }

protected:
    // Decodes the TGA bytes of an 'rgba' chunk into a new image: 0 or 28.
    int32_t DecodeImage(const uint8_t* tga, size_t size);
    bool HasImagePixels() const { return pImage && pImage->HasPixels(); }
    void DiscardImage() { pImage.reset(); }

    std::unique_ptr<Image> pImage;
    int32_t fAlphaFormat = 0;
    uint32_t nHeight = 0;
    uint32_t nWidth = 0;
    int16_t nOriginX = 0;
    int16_t nOriginY = 0;
};
