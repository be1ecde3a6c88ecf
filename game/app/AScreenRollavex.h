#pragma once
#include "common/screen/CScreen.h"

// The game's screen: opens the asset archive and creates the game scene.
class AScreenRollavex : public CScreen {
public:
    // Game scene offsets in fixed values when windowed.
    enum : int32_t { WindowedOffsetX = 768, WindowedOffsetY = 3328 };

    // 0, 6 when the archive cannot be opened, 7 when it is damaged, or the
    // game's failed Load (told in a message box).
    int32_t LoadAssetsAndCreateGame() override;
    // The game's Load; a failure or a damaged asset is told in a message box.
    int32_t LoadGame() override;
    int32_t StartGame() override;
    int32_t IsMusicOff() override;
    int32_t IsSoundOff() override;
};
