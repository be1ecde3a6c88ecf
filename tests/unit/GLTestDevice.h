#pragma once
#include <SDL.h>
#include <cstdlib>
#include "platform/MDeviceManager.h"
#include "platform/MFontSet.h"

// The process's device on a hidden window, made once; null without a display.
// The three screen fonts are added as the game adds them.
inline MDeviceManager* GLTestDevice()
{
    static MDeviceManager* device = []() -> MDeviceManager* {
        if (!std::getenv("DISPLAY") || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            return nullptr;
        MDeviceManager::PrepareWindowAttributes();
        SDL_Window* window = SDL_CreateWindow("rvx test", 0, 0, 800, 600,
                                              MDeviceManager::WindowFlags() | SDL_WINDOW_HIDDEN);
        if (!window)
            return nullptr;
        // A manager or font set made earlier would lack the window.
        DestroyFontSet();
        DestroyDeviceManager();
        MDeviceManager* manager = GetDeviceManager(window);
        if (manager->CreateDevice(0, 800, 600) != 0)
            return nullptr;
        GetFontSet()->Add("Arial", 16, 0);
        GetFontSet()->Add("Arial", 20, MFont::kBold);
        GetFontSet()->Add("Arial", 12, MFont::kBold);
        return manager;
    }();
    return device;
}
