#include "common/actors/CShapeMask.h"
#include "base/Fixed.h"
#include "common/actors/CActor.h"
#include "common/actors/CShapeCircle.h"
#include "common/assets/CSprite.h"
#include "platform/video/MFormat.h"
#include "platform/video/MGLTexture.h"
#include "platform/video/MTexture.h"

namespace {
// The actor's sprite when it has a texture to read.
CSprite* MaskImage(CActor* actor)
{
    CSprite* sprite = actor->GetImage();
    return sprite && sprite->pTexture ? sprite : nullptr;
}

// Where the image's pixels lie on the scene: its bounds, no larger than the image.
Rect ImageArea(CActor* actor, const CSprite* sprite)
{
    const Rect& b = actor->GetBounds();
    const Rect image{b.left, b.top, b.left + sprite->nWidth, b.top + sprite->nHeight};
    return b.Intersection(image);
}

// Locks the actor's image and walks its part inside r; 0 when there is
// nothing to read.
template <class Walk>
int32_t WalkImage(CActor* actor, const Rect& r, Walk walk)
{
    CSprite* sprite = MaskImage(actor);
    if (!sprite)
        return 0;
    const Rect area = ImageArea(actor, sprite).Intersection(r);
    if (area.IsEmpty())
        return 0;
    CShapeMask::LockedTexture lock(sprite->pTexture);
    if (!lock.IsLocked())
        return 0;
    return walk(lock, area);
}

// The actor's locked image from the top-left of area (scene pixels) on.
CShapeMask::View AreaView(const CShapeMask::LockedTexture& lock, const CActor* actor, const Rect& area)
{
    const Rect& b = actor->GetBounds();
    return lock.ViewAt(area.left - b.left, area.top - b.top);
}
} // namespace

CShapeMask::LockedTexture::LockedTexture(MTexture* texture) : pTexture(texture)
{
    pBits = static_cast<const uint8_t*>(texture->Lock(nullptr, &nPitch, 0));
}

CShapeMask::LockedTexture::~LockedTexture()
{
    if (pBits)
        pTexture->UnLock(0);
}

CShapeMask::View CShapeMask::LockedTexture::ViewAt(int32_t x, int32_t y) const
{
    const View whole{pBits, nPitch, pTexture->GetFormat()};
    return View{whole.At(x, y), nPitch, whole.nFormat};
}

const uint8_t* CShapeMask::View::At(int32_t x, int32_t y) const
{
    return pBits + nPitch * y + MGLTexture::BytesPerTexel(nFormat) * x;
}

int32_t CShapeMask::IsOpaque(const uint8_t* pixel, int32_t format)
{
    switch (format) {
    case kFormatA8R8G8B8:
        return pixel[3] >= 128;
    case kFormatA1R5G5B5:
        return (pixel[1] & 0x80) != 0;
    case kFormatA4R4G4B4:
        return (pixel[1] & 0xF0) != 0;
    default:
        return 0;
    }
}

int32_t CShapeMask::AnyOpaque(const View& v, int32_t w, int32_t h)
{
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            if (IsOpaque(v.At(x, y), v.nFormat))
                return 1;
    return 0;
}

int32_t CShapeMask::BothOpaque(const View& a, const View& b, int32_t w, int32_t h)
{
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            if (IsOpaque(a.At(x, y), a.nFormat) && IsOpaque(b.At(x, y), b.nFormat))
                return 1;
    return 0;
}

int32_t CShapeMask::OpaqueInCircle(const View& v, int32_t w, int32_t h, int32_t left, int32_t top,
                                   const CShapeCircle& circle)
{
    for (int32_t y = 0; y < h; ++y) {
        const int32_t fy = Fixed::FromInt(top + y).Raw();
        for (int32_t x = 0; x < w; ++x)
            if (IsOpaque(v.At(x, y), v.nFormat) && circle.Reaches(CFixPoint(Fixed::FromInt(left + x).Raw(), fy)))
                return 1;
    }
    return 0;
}

int32_t CShapeMask::AgainstRect(CActor* actor, const Rect& r)
{
    return WalkImage(actor, r, [actor](const LockedTexture& lock, const Rect& area) {
        return AnyOpaque(AreaView(lock, actor, area), area.Width(), area.Height());
    });
}

int32_t CShapeMask::AgainstCircle(CActor* actor, const Rect& c)
{
    const CShapeCircle circle = CShapeCircle::OfRect(c);
    return WalkImage(actor, c, [actor, &circle](const LockedTexture& lock, const Rect& area) {
        return OpaqueInCircle(AreaView(lock, actor, area), area.Width(), area.Height(), area.left, area.top, circle);
    });
}

int32_t CShapeMask::AgainstMask(CActor* a, CActor* b)
{
    CSprite* spriteB = MaskImage(b);
    if (!spriteB)
        return 0;
    return WalkImage(a, ImageArea(b, spriteB), [a, b, spriteB](const LockedTexture& lockA, const Rect& area) {
        const View viewA = AreaView(lockA, a, area);
        // One texture is locked once and read for both.
        if (lockA.GetTexture() == spriteB->pTexture)
            return BothOpaque(viewA, AreaView(lockA, b, area), area.Width(), area.Height());
        LockedTexture lockB(spriteB->pTexture);
        return lockB.IsLocked() ? BothOpaque(viewA, AreaView(lockB, b, area), area.Width(), area.Height()) : 0;
    });
}
