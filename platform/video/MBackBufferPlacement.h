#pragma once
#include <cstdint>

struct Rect;
struct SDL_Window;

// Where the back buffer shows in the window's drawable: scaled with its
// aspect kept and centred, black bars filling the rest. Maps pointer
// positions between window points and back-buffer pixels, and back-buffer
// rectangles to drawable pixels.
class MBackBufferPlacement {
public:
    struct Size {
        int32_t w;
        int32_t h;
    };

    // The window in points, its drawable in pixels (more than its points on
    // a HiDPI display) and the back buffer in pixels.
    MBackBufferPlacement(Size window, Size drawable, Size backBuffer);
    // The sizes of a window's; without one, all are the back buffer's.
    static MBackBufferPlacement OfWindow(SDL_Window* window, int32_t width, int32_t height);

    // The picture in the drawable, bottom-left origin; true when it leaves margins.
    bool PresentRect(int32_t* x, int32_t* y, int32_t* w, int32_t* h) const;
    // The bars beside or above and below the picture, in drawable pixels
    // (left, bottom, right, top); how many (0 or 2).
    int32_t Margins(Rect bars[2]) const;
    // A back-buffer rectangle (top-left origin) in drawable pixels (bottom-left origin).
    void ToDrawable(const Rect& r, int32_t* x, int32_t* y, int32_t* w, int32_t* h) const;
    // Window points to back-buffer pixels, clamped to the back buffer, and
    // back to the window point at a pixel's centre.
    void WindowToBackBuffer(int32_t x, int32_t y, int32_t* bx, int32_t* by) const;
    void BackBufferToWindow(int32_t bx, int32_t by, int32_t* x, int32_t* y) const;

private:
    double PointsX() const; // window points per drawable pixel
    double PointsY() const;

    Size window;
    Size drawable;
    Size back;
    // The picture in the drawable, top-left origin.
    int32_t nLeft = 0, nTop = 0, nWidth = 0, nHeight = 0;
};
