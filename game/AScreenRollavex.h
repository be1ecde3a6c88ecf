#pragma once
#include "common/CScreen.h"

// The game's screen: opens the asset archive and creates the game scene.
class AScreenRollavex : public CScreen {
public:
    // Game scene offsets in fixed values when windowed.
    enum : int32_t { WindowedOffsetX = 768, WindowedOffsetY = 3328 };

    // 0, or 6 when the archive cannot be opened.
    int32_t LoadAssetsAndCreateGame() override;
    int32_t StartGame() override;
    int32_t IsMusicOff() override;
    int32_t IsSoundOff() override;
};
