#pragma once
#include <cstdint>
#include <vector>

// One OpenGL texture of a fixed size and format with a CPU copy of its
// texels in that format's own layout (32-bit ARGB words or 16-bit words).
class MGLTexture {
public:
    MGLTexture() = default;
    ~MGLTexture();
    MGLTexture(const MGLTexture&) = delete;
    MGLTexture& operator=(const MGLTexture&) = delete;

    // Replaces any old texture; false (and nothing held) when the format is
    // not one of ours, the size is beyond the device's or OpenGL refuses it.
    // The texels start at 0.
    bool Create(uint32_t width, uint32_t height, int32_t format);
    void Release();
    // Sends the CPU copy to OpenGL.
    void Upload();

    bool IsCreated() const { return nName != 0; }
    uint32_t GetName() const { return nName; }
    uint32_t GetWidth() const { return nWidth; }
    uint32_t GetHeight() const { return nHeight; }
    int32_t GetFormat() const { return nFormat; }
    int32_t GetPitch() const { return int32_t(nWidth) * BytesPerTexel(nFormat); }
    uint8_t* GetBits() { return bits.data(); }
    const uint8_t* GetBits() const { return bits.data(); }

    // 4, 2, or 0 for a format we cannot hold.
    static int32_t BytesPerTexel(int32_t format);

private:
    std::vector<uint8_t> bits;
    uint32_t nName = 0;
    uint32_t nWidth = 0;
    uint32_t nHeight = 0;
    int32_t nFormat = 0;
};
