#pragma once
#include "common/screen/COptions.h"

// The game's settings on top of the general ones, with the controls in the
// "Input" key. A control setting out of its range is reported and its
// default used.
class AOptionsRollavex : public COptions {
public:
    int32_t LoadExtra() override;
    void SaveExtra() override;

    int32_t MouseSensitivity = 100; // percent; 100 leans a milliradian a pixel
    int32_t InvertY = 0;
    int32_t StickDeadZone = 15;     // percent of the stick's travel
    int32_t Ghost = 1;              // the best run's ghost is shown
};
