#include "common/actors/CActorHotspot.h"
#include "common/scene/CScene.h"

CActorHotspot::CActorHotspot(CScene* pScene, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z,
                             int32_t nCommand)
    : CActor(pScene, Fixed::FromInt((left + right) / 2).Raw(), Fixed::FromInt((top + bottom) / 2).Raw(), z, 2, 1),
      nCommand(nCommand)
{
    const int32_t ox = Fixed::FromRaw(OriginX()).Whole();
    const int32_t oy = Fixed::FromRaw(OriginY()).Whole();
    rcBounds = Rect{left - ox, top - oy, right - ox, bottom - oy};
}

void CActorHotspot::GetCentre(int32_t* x, int32_t* y)
{
    *x = lX;
    *y = lY;
}

int32_t CActorHotspot::WantsMouse(const MouseEvent* e)
{
    return fEnabled && e->nType == MouseEvent::LeftDown;
}

int32_t CActorHotspot::OnMouse(const MouseEvent* e)
{
    if (!WantsMouse(e))
        return 0;
    CScene::DispatchKeyDown(uint32_t(nCommand));
    return 1;
}
