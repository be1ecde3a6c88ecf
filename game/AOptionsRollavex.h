#pragma once
#include "common/screen/COptions.h"

// The game's settings on top of the general ones.
class AOptionsRollavex : public COptions {
public:
    int32_t LoadExtra() override;
    void SaveExtra() override;
};
