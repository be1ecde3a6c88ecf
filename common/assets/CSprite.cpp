#include "common/assets/CSprite.h"
#include <memory>
#include <new>
#include <vector>
#include "base/CException.h"
#include "common/assets/CFileIFF.h"
#include "common/actors/CShapeMask.h"
#include "base/Rect.h"
#include "base/Result.h"
#include "platform/video/MTexture.h"

namespace {
constexpr const char* kSource = "common/CSprite";
constexpr uint32_t kBadPictureLine = 78;
} // namespace

CSprite* CSprite::Create(CFileIFF* file, int32_t fTexture)
{
    CSprite* sprite = new (std::nothrow) CSprite(file, fTexture);
    if (!sprite)
        throw CMemException(kSource, 118);
    return sprite;
}

CSprite::CSprite() = default;

CSprite::CSprite(CFileIFF* file, int32_t fTexture) : fTexture(fTexture)
{
    ChunkHeader header;
    file->Descend(&header);
    if (header.id != ChunkId("rgba"))
        throw CFileException(kSource, 72);
    const int32_t remaining = file->GetRemaining();
    std::vector<uint8_t> tga(remaining > 0 ? size_t(remaining) : 0);
    if (!tga.empty())
        file->Read(tga.data(), int32_t(tga.size()));
    auto texture = std::make_unique<MTexture>();
    // A picture that does not decode is a damaged archive; a texture the
    // device refuses only leaves the sprite undrawn.
    if (texture->CreateFromTGA(tga.data(), tga.size()) == Result::kImageUnsupported)
        throw CFileException(kSource, kBadPictureLine);
    file->Ascend();
    pTexture = texture.release();
    TakeSize();
}

CSprite::CSprite(MTexture* texture) : pTexture(texture)
{
    if (pTexture)
        TakeSize();
}

CSprite::~CSprite()
{
    delete pTexture;
}

void CSprite::TakeSize()
{
    nWidth = int32_t(pTexture->GetWidth());
    nHeight = int32_t(pTexture->GetHeight());
    nXOffset = pTexture->GetOriginX();
    nYOffset = pTexture->GetOriginY();
}

int32_t CSprite::Draw(const Rect* dest, const Rect* src, int32_t flip)
{
    if (!pTexture)
        return 0;
    pTexture->DrawSprite(dest, src, uint32_t(flip), MTexture::kNoTint);
    return 1;
}

int32_t CSprite::DrawClipped(const Rect* clip, const Rect& bounds)
{
    const Rect source{clip->left - bounds.left, clip->top - bounds.top, clip->right - bounds.left,
                      clip->bottom - bounds.top};
    return Draw(clip, &source, 0);
}

int32_t CSprite::IsTransparentAt(int32_t x, int32_t y, int32_t flipV, int32_t flipH)
{
    if (!pTexture)
        return 0;
    // Outside the picture there is nothing to hit.
    if (x < 0 || y < 0 || x >= nWidth || y >= nHeight)
        return 1;
    CShapeMask::LockedTexture lock(pTexture);
    if (!lock.IsLocked())
        return 0;
    const int32_t row = flipV ? nHeight - 1 - y : y;
    const int32_t column = flipH ? nWidth - 1 - x : x;
    const CShapeMask::View pixel = lock.ViewAt(column, row);
    return !CShapeMask::IsOpaque(pixel.pBits, pixel.nFormat);
}
