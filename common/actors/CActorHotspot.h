#pragma once
#include <cstdint>
#include "common/actors/CActor.h"

// An invisible clickable rectangle that sends its command as a key-down.
class CActorHotspot : public CActor {
public:
    // Rectangle in scene pixels (origin included).
    CActorHotspot(CScene* pScene, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z,
                  int32_t nCommand);
    ~CActorHotspot() override = default;

    void GetCentre(int32_t* x, int32_t* y) override;
    int32_t OnMouse(const MouseEvent* e) override;
    int32_t WantsMouse(const MouseEvent* e) override;
    void UpdateBounds() override {}
    void Draw(const Rect*) override {}

    void SetEnabled(int32_t f) { fEnabled = f; }

private:
    int32_t fEnabled = 1;
    int32_t nCommand;
};
