#pragma once
#include <cstdint>
#include "common/actors/CActorButton.h"

// The blinking "|" label of an edit box.
class CEditCaret : public CActorButton {
public:
    // x, y, z: where the caret stands (scene coordinates, fixed values).
    CEditCaret(CScene* pScene, int32_t x, int32_t y, int32_t z, int32_t fTextShadow);
    ~CEditCaret() override = default;

    // Shows the caret and starts its endless blinking again.
    void Reveal();

    static constexpr int32_t kBlinkTicks = 192;
};
