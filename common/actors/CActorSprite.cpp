#include "common/actors/CActorSprite.h"
#include "common/assets/CSprite.h"

CActorSprite::CActorSprite(CScene* pScene, int32_t x, int32_t y, int32_t z, CSprite* pImage,
                           int32_t fRedrawOnDepth)
    : CActor(pScene, x, y, z, 2, 1), pImage(pImage)
{
    this->fRedrawOnDepth = fRedrawOnDepth;
    UpdateBounds();
    if (!fHidden)
        InvalidateBounds();
}

CSprite* CActorSprite::GetImage()
{
    return pImage;
}

void CActorSprite::GetCentre(int32_t* x, int32_t* y)
{
    if (!pImage) {
        CActor::GetCentre(x, y);
        return;
    }
    *x = lX + OriginX() + Fixed::Mid(pImage->nXOffset, pImage->nXOffset + pImage->nWidth).Raw();
    *y = lY + OriginY() + Fixed::Mid(pImage->nYOffset, pImage->nYOffset + pImage->nHeight).Raw();
}

CFixPoint CActorSprite::GetCentrePoint()
{
    CFixPoint centre;
    GetCentre(&centre.x, &centre.y);
    return centre;
}

void CActorSprite::UpdateBounds()
{
    if (pImage)
        rcBounds = ImageBounds(*pImage);
}

void CActorSprite::Draw(const Rect* clip)
{
    if (pImage)
        pImage->DrawClipped(clip, rcBounds);
}
