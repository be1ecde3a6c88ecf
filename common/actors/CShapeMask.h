#pragma once
#include <cstdint>
#include "base/Rect.h"

class CActor;
class CShapeCircle;
class MTexture;

// Image-mask shape: the opaque pixels of an actor's image.
class CShapeMask {
public:
    // Locked pixels of one area: first pixel, row pitch in bytes, texture format.
    struct View {
        const uint8_t* pBits;
        int32_t nPitch;
        int32_t nFormat;
        const uint8_t* At(int32_t x, int32_t y) const;
    };

    // Level 0 of a texture, locked whole while the object lives.
    class LockedTexture {
    public:
        explicit LockedTexture(MTexture* texture);
        ~LockedTexture();
        LockedTexture(const LockedTexture&) = delete;
        LockedTexture& operator=(const LockedTexture&) = delete;

        bool IsLocked() const { return pBits != nullptr; }
        MTexture* GetTexture() const { return pTexture; }
        // The texels from image pixel (x, y) on.
        View ViewAt(int32_t x, int32_t y) const;

    private:
        MTexture* pTexture;
        const uint8_t* pBits = nullptr;
        int32_t nPitch = 0;
    };

    // Opaque by format: A8R8G8B8 alpha >= 128, A1R5G5B5 top bit, A4R4G4B4 top nibble.
    static int32_t IsOpaque(const uint8_t* pixel, int32_t format);

    // Walks of w x h pixels over locked views.
    static int32_t AnyOpaque(const View& v, int32_t w, int32_t h);
    static int32_t BothOpaque(const View& a, const View& b, int32_t w, int32_t h);
    // Pixel (x, y) of the view sits at scene pixel (left + x, top + y).
    static int32_t OpaqueInCircle(const View& v, int32_t w, int32_t h, int32_t left, int32_t top,
                                  const CShapeCircle& circle);

    // Actor tests; a failed lock or a missing image or texture is no contact.
    static int32_t AgainstRect(CActor* actor, const Rect& r);
    static int32_t AgainstMask(CActor* a, CActor* b);
    static int32_t AgainstCircle(CActor* actor, const Rect& c);
};
