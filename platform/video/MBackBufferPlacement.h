#pragma once
#include <cstdint>

struct SDL_Window;

// Where the back buffer shows in the window's drawable: scaled with its
// aspect kept and centred. Maps pointer positions between window points and
// back-buffer pixels.
class MBackBufferPlacement {
public:
    // window may be null: the drawable is then the back buffer's size.
    MBackBufferPlacement(SDL_Window* window, int32_t width, int32_t height);

    // The picture in the drawable, bottom-left origin; true when it leaves margins.
    bool PresentRect(int32_t* x, int32_t* y, int32_t* w, int32_t* h) const;
    // Window points to back-buffer pixels, clamped to the back buffer, and
    // back to the window point at a pixel's centre. Need a window.
    void WindowToBackBuffer(int32_t x, int32_t y, int32_t* bx, int32_t* by) const;
    void BackBufferToWindow(int32_t bx, int32_t by, int32_t* x, int32_t* y) const;

private:
    struct Mapping {
        double pointsX, pointsY; // window points per drawable pixel
        int32_t left, top;       // the picture in the drawable, top-left origin
        double scaleX, scaleY;   // drawable pixels per back-buffer pixel
    };
    Mapping GetMapping() const;

    SDL_Window* pWindow;
    int32_t nWidth;
    int32_t nHeight;
};
