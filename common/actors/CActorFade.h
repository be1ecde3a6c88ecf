#pragma once
#include <cstdint>
#include "common/actors/CActor.h"

class MTexture;

// The full-screen overlay that fades a scene in; one per process.
class CActorFade : public CActor {
public:
    // The existing fade actor, or a new one in pScene at pos.
    static CActorFade* Get(CScene* pScene, const int32_t pos[3]);
    // The fade actor if one exists.
    static CActorFade* Current();

    CActorFade(CScene* pScene, const int32_t pos[3]);
    ~CActorFade() override;

    int32_t Restart(int32_t, int32_t) override;
    void Update(int32_t dt) override;
    // Each frame of a fade steps it on.
    int32_t TicksToNextChange() override;
    void UpdateBounds() override {}
    void Draw(const Rect* clip) override;

    void StartFade(int32_t fIn);
    int32_t IsCovered() const { return fCovered; }
    int32_t IsRevealed() const { return fRevealed; }
    int32_t IsFading() const { return fFadingIn; }
    int32_t GetStep() const { return nStep; }
    int32_t GetSteps() const { return nSteps; }
    int32_t GetStepLeft() const { return lStepLeft; }
    int32_t GetStepTicks() const { return lStepTicks; }

    static constexpr uint32_t kFadeColour = 0xFF000000;

private:
    int32_t CanRun() const;
    void FillStep();

    MTexture* pTexture = nullptr;
    int32_t lStepLeft = 0;
    int32_t lStepTicks;
    int32_t nStep = 0;
    int32_t nSteps;
    int32_t fFadingIn = 0;
    int32_t fRevealed = 0;
    int32_t fCovered = 0;
    uint32_t clrFade;
    uint16_t clrFade16;
    int32_t nDepth; // screen colour depth: 32 or other
};
