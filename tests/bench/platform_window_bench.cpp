#include "platform/MWindow.h"

#include <benchmark/benchmark.h>

namespace {

// A window whose handlers only count, so the dispatch itself is measured.
class CountingWindow : public MWindow {
public:
    int64_t nCalls = 0;

    int32_t OnSetCursor() override { return 0; }
    void OnClose() override {}
    void OnSize(int32_t, int32_t) override {}
    void OnMouseMove(int32_t, int32_t) override { ++nCalls; }
    void OnNonClientMouseMove(int32_t, int32_t) override {}
    void OnLeftButtonDown(int32_t, int32_t) override {}
    void OnLeftDoubleClick(int32_t, int32_t) override {}
    void OnRightButtonDown(int32_t, int32_t) override {}
    void OnRightDoubleClick(int32_t, int32_t) override {}
    void OnLeftButtonUp(int32_t, int32_t) override {}
    void OnRightButtonUp(int32_t, int32_t) override {}
    int32_t OnKeyDown(uint32_t) override { return static_cast<int32_t>(++nCalls); }
    int32_t OnKeyUp(uint32_t) override { return 0; }
    int32_t OnSysKeyDown(uint32_t) override { return 0; }
    int32_t OnSysKeyUp(uint32_t) override { return 0; }
    void InvalidateAllScenes() override {}
    void OnActivate(uint32_t) override {}
    void OnEnterMenuLoop() override {}
    void OnExitMenuLoop() override {}
};

void MouseMoveDispatch(benchmark::State& state)
{
    CountingWindow window;
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    for (auto _ : state) {
        event.motion.x = static_cast<int32_t>(window.nCalls & 511);
        event.motion.y = 100;
        benchmark::DoNotOptimize(window.HandleEvent(event));
    }
}
BENCHMARK(MouseMoveDispatch);

void KeyDispatch(benchmark::State& state)
{
    CountingWindow window;
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_QUOTE; // the last entry of the key table
    for (auto _ : state)
        benchmark::DoNotOptimize(window.HandleEvent(event));
}
BENCHMARK(KeyDispatch);

} // namespace
