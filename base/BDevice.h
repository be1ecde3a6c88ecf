#pragma once
#include <cstdint>

// What the scene engine needs of the graphics device: frames, the sprite
// batch and the back-buffer size. The platform's device manager implements it;
// tests drive the engine with a fake.
class BDevice {
public:
    virtual ~BDevice() = default;
    virtual int32_t BeginFrame() = 0;   // 0, or 15 / 20 on failure
    virtual int32_t EndFrame() = 0;     // 0, or 19 / 21 on failure
    virtual int32_t BeginSprites() = 0; // 0, or 20 on failure
    virtual int32_t EndSprites() = 0;   // 0, or 21 on failure
    virtual int32_t GetBackBufferWidth() const = 0;
    virtual int32_t GetBackBufferHeight() const = 0;
    virtual int32_t GetBitsPerPixel() const = 0;
};
