#include "platform/video/MBackBufferPlacement.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include "base/Rect.h"

MBackBufferPlacement::MBackBufferPlacement(Size windowPoints, Size drawablePixels, Size backBuffer)
    : window{std::max(windowPoints.w, 1), std::max(windowPoints.h, 1)},
      drawable{std::max(drawablePixels.w, 1), std::max(drawablePixels.h, 1)},
      back{std::max(backBuffer.w, 1), std::max(backBuffer.h, 1)}
{
    const double scale = std::min(double(drawable.w) / back.w, double(drawable.h) / back.h);
    nWidth = int32_t(std::lround(back.w * scale));
    nHeight = int32_t(std::lround(back.h * scale));
    nLeft = (drawable.w - nWidth) / 2;
    nTop = (drawable.h - nHeight) / 2;
}

MBackBufferPlacement MBackBufferPlacement::OfWindow(SDL_Window* pWindow, int32_t width, int32_t height)
{
    Size points{width, height}, pixels{width, height};
    if (pWindow) {
        SDL_GetWindowSize(pWindow, &points.w, &points.h);
        SDL_GL_GetDrawableSize(pWindow, &pixels.w, &pixels.h);
    }
    return MBackBufferPlacement(points, pixels, {width, height});
}

double MBackBufferPlacement::PointsX() const { return double(window.w) / drawable.w; }

double MBackBufferPlacement::PointsY() const { return double(window.h) / drawable.h; }

bool MBackBufferPlacement::PresentRect(int32_t* x, int32_t* y, int32_t* w, int32_t* h) const
{
    ToDrawable(Rect{0, 0, back.w, back.h}, x, y, w, h);
    return *w < drawable.w || *h < drawable.h;
}

int32_t MBackBufferPlacement::Margins(Rect bars[2]) const
{
    int32_t x, y, w, h;
    if (!PresentRect(&x, &y, &w, &h))
        return 0;
    if (w < drawable.w) {
        bars[0] = {0, 0, x, drawable.h};
        bars[1] = {x + w, 0, drawable.w, drawable.h};
    } else {
        bars[0] = {0, 0, drawable.w, y};
        bars[1] = {0, y + h, drawable.w, drawable.h};
    }
    return 2;
}

// Edges are mapped, not sizes, so that rectangles that meet still meet.
void MBackBufferPlacement::ToDrawable(const Rect& r, int32_t* x, int32_t* y, int32_t* w, int32_t* h) const
{
    auto edgeX = [this](int32_t bx) { return nLeft + int32_t(std::lround(double(bx) * nWidth / back.w)); };
    auto edgeY = [this](int32_t by) { return nTop + int32_t(std::lround(double(by) * nHeight / back.h)); };
    *x = edgeX(r.left);
    *w = edgeX(r.right) - *x;
    *h = edgeY(r.bottom) - edgeY(r.top);
    *y = drawable.h - edgeY(r.bottom);
}

void MBackBufferPlacement::WindowToBackBuffer(int32_t x, int32_t y, int32_t* bx, int32_t* by) const
{
    const double dx = (x / PointsX() - nLeft) * back.w / nWidth;
    const double dy = (y / PointsY() - nTop) * back.h / nHeight;
    *bx = std::clamp(int32_t(std::floor(dx)), 0, back.w - 1);
    *by = std::clamp(int32_t(std::floor(dy)), 0, back.h - 1);
}

void MBackBufferPlacement::BackBufferToWindow(int32_t bx, int32_t by, int32_t* x, int32_t* y) const
{
    *x = int32_t(std::floor((nLeft + (bx + 0.5) * nWidth / back.w) * PointsX()));
    *y = int32_t(std::floor((nTop + (by + 0.5) * nHeight / back.h) * PointsY()));
}
