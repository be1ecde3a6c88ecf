#pragma once
#include <SDL.h>
#include <cstdint>
#include <epoxy/gl.h>
#include <gtest/gtest.h>
#include "platform/video/MDeviceManager.h"

// A hidden OpenGL window with a new process-wide device manager on it; the
// device's back buffer is the window's size unless a test creates it again.
class GLTestWindow : public ::testing::Test {
protected:
    void SetUp() override { Open(160, 120); }
    void TearDown() override { Close(); }

    void Open(int32_t width, int32_t height)
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        MDeviceManager::PrepareWindowAttributes();
        window = SDL_CreateWindow("test", 0, 0, width, height, MDeviceManager::WindowFlags() | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        DestroyDeviceManager(); // one an earlier test made without a window
        device = GetDeviceManager(window);
        ASSERT_EQ(device->CreateDevice(0, width, height), 0);
    }
    void Close()
    {
        DestroyDeviceManager();
        if (window)
            SDL_DestroyWindow(window);
        window = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // ARGB of a back-buffer pixel (top-left origin) of the frame being drawn.
    uint32_t PixelAt(int32_t x, int32_t y) const
    {
        uint8_t rgba[4] = {};
        glReadPixels(x, device->GetBackBufferHeight() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return uint32_t(rgba[3]) << 24 | uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
    }

    SDL_Window* window = nullptr;
    MDeviceManager* device = nullptr;
};
