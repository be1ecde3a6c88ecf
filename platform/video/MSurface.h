#pragma once
#include <cstddef>
#include <cstdint>
#include "platform/video/MCanvas.h"
#include "platform/video/MGLTexture.h"

struct Rect;

// A plain surface copied straight into the back buffer: no blending, no scaling.
class MSurface : public MCanvas {
public:
    // From the TGA bytes of an 'rgba' chunk; format 0 takes the back buffer's.
    MSurface(const uint8_t* tga, size_t size, int32_t format, uint32_t width, uint32_t height);
    ~MSurface() override;

    // Loads the file into the existing surface: 0 or 17.
    int32_t LoadFromFile(const char* path, uint32_t width, uint32_t height) override;
    // 0, 29 (no image), 30 (no surface) or 24.
    int32_t Create(uint32_t width, uint32_t height) override;
    uint32_t GetWidth() const override;
    uint32_t GetHeight() const override;
    void UpdateSize() override;

    // Copies the source rectangle (null: all) to that back-buffer point: 0, 16 or 37.
    int32_t BlitToBackBuffer(int32_t x, int32_t y, const Rect* source);

    int32_t GetFormat() const { return nFormat; }
    const MGLTexture& GetGLTexture() const { return surface; }


private:
    void WriteImage(uint32_t w, uint32_t h, int32_t depth);

    MGLTexture surface;
    int32_t nFormat;
};
