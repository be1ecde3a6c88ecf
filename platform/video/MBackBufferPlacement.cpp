#include "platform/video/MBackBufferPlacement.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>

MBackBufferPlacement::MBackBufferPlacement(SDL_Window* window, int32_t width, int32_t height)
    : pWindow(window), nWidth(width), nHeight(height)
{
}

bool MBackBufferPlacement::PresentRect(int32_t* x, int32_t* y, int32_t* w, int32_t* h) const
{
    int32_t dw = nWidth, dh = nHeight;
    if (pWindow)
        SDL_GL_GetDrawableSize(pWindow, &dw, &dh);
    const double scale = std::min(double(dw) / nWidth, double(dh) / nHeight);
    *w = int32_t(std::lround(nWidth * scale));
    *h = int32_t(std::lround(nHeight * scale));
    *x = (dw - *w) / 2;
    *y = (dh - *h) / 2;
    return *w < dw || *h < dh;
}

MBackBufferPlacement::Mapping MBackBufferPlacement::GetMapping() const
{
    int32_t ww, wh, dw, dh, px, py, pw, ph;
    SDL_GetWindowSize(pWindow, &ww, &wh);
    SDL_GL_GetDrawableSize(pWindow, &dw, &dh);
    PresentRect(&px, &py, &pw, &ph);
    return {double(std::max(ww, 1)) / std::max(dw, 1), double(std::max(wh, 1)) / std::max(dh, 1), px,
            dh - py - ph, double(pw) / nWidth, double(ph) / nHeight};
}

void MBackBufferPlacement::WindowToBackBuffer(int32_t x, int32_t y, int32_t* bx, int32_t* by) const
{
    const Mapping p = GetMapping();
    const double dx = (x / p.pointsX - p.left) / p.scaleX;
    const double dy = (y / p.pointsY - p.top) / p.scaleY;
    *bx = std::clamp(int32_t(std::floor(dx)), 0, nWidth - 1);
    *by = std::clamp(int32_t(std::floor(dy)), 0, nHeight - 1);
}

void MBackBufferPlacement::BackBufferToWindow(int32_t bx, int32_t by, int32_t* x, int32_t* y) const
{
    const Mapping p = GetMapping();
    *x = int32_t(std::floor((p.left + (bx + 0.5) * p.scaleX) * p.pointsX));
    *y = int32_t(std::floor((p.top + (by + 0.5) * p.scaleY) * p.pointsY));
}
