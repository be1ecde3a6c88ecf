#include <SDL.h>
#include <benchmark/benchmark.h>
#include "base/Rect.h"
#include "platform/video/MDeviceManager.h"
#include "platform/text/MFontSet.h"
#include "platform/video/MTexture.h"

namespace {

// One game-like frame on an 800 x 600 hidden window: clear, 100 sprites in
// four textures, three lines of text, present. Needs a display.
void SpriteAndTextFrame(benchmark::State& state)
{
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    MDeviceManager::PrepareWindowAttributes();
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, 800, 600, MDeviceManager::WindowFlags() | SDL_WINDOW_HIDDEN);
    MDeviceManager* device = GetDeviceManager(window);
    if (!window || device->CreateDevice(0, 800, 600) != 0) {
        state.SkipWithError("no OpenGL window");
        return;
    }
    MTexture textures[4] = {MTexture(32, 32), MTexture(64, 64), MTexture(16, 16), MTexture(128, 32)};
    for (MTexture& t : textures)
        t.Fill32(0xC0FF8040);
    MFontSet fonts(device);
    fonts.Add("Arial", 16, 0);
    MFont* font = fonts.GetFont(0);
    for (auto _ : state) {
        device->BeginFrame();
        device->BeginSprites();
        for (int32_t i = 0; i < 100; ++i) {
            const Rect dest{(i * 37) % 760, (i * 53) % 560, 0, 0};
            textures[i / 25].DrawSprite(&dest, nullptr, 0, 0xFFFFFFFF);
        }
        font->DrawText(10, 10, 0xFFFFFFFF, "Congratulations!", 0);
        font->DrawText(10, 40, 0xFFFFFF00, "Better luck next time!", 0);
        font->DrawText(10, 70, 0xFFFFFFFF, "00:42", 0);
        device->EndSprites();
        device->EndFrame();
    }
    DestroyDeviceManager();
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK(SpriteAndTextFrame)->Unit(benchmark::kMillisecond);

} // namespace
