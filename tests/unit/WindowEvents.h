#pragma once
#include <SDL.h>
#include <cstdint>

// An SDL window event of the given kind, with its two data values (a size).
inline SDL_Event WindowEvent(uint8_t nEvent, int32_t nData1 = 0, int32_t nData2 = 0)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = nEvent;
    e.window.data1 = nData1;
    e.window.data2 = nData2;
    return e;
}
