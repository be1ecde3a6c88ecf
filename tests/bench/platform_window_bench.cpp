#include "tests/unit/QuietWindow.h"

#include <benchmark/benchmark.h>

namespace {

// A window whose handlers only count, so the dispatch itself is measured.
class CountingWindow : public QuietWindow {
public:
    int64_t nCalls = 0;

    void OnMouseMove(int32_t, int32_t) override { ++nCalls; }
    int32_t OnKeyDown(uint32_t) override { return static_cast<int32_t>(++nCalls); }
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
