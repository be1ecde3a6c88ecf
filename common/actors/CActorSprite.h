#pragma once
#include <cstdint>
#include "common/actors/CActor.h"

class CSprite;

// An actor that shows one sprite at its position.
class CActorSprite : public CActor {
public:
    CActorSprite(CScene* pScene, int32_t x, int32_t y, int32_t z, CSprite* pImage, int32_t fRedrawOnDepth);
    ~CActorSprite() override = default;

    CSprite* GetImage() override;
    void GetCentre(int32_t* x, int32_t* y) override;
    CFixPoint GetCentrePoint() override;
    void UpdateBounds() override;
    void Draw(const Rect* clip) override;

protected:
    CSprite* pImage;
};
