#pragma once
#include <cstdint>

// Mouse event handed from the screen to the scene engine.
struct MouseEvent {
    enum : uint32_t {
        Move = 1,
        NonClientMove = 2,
        LeftDown = 3,
        LeftUp = 4,
        LeftDoubleClick = 5,
        RightDown = 6,
        RightUp = 7,
        RightDoubleClick = 8,
    };

    uint32_t nType = 0;
    uint16_t wX = 0;
    uint16_t wY = 0;
};
