#include "base/BDevice.h"
#include "common/actors/CActor.h"
#include "common/scene/CRectList.h"
#include "common/scene/CScene.h"
#include "common/screen/CScreen.h"
#include <benchmark/benchmark.h>
#include <memory>

namespace {

class NullDevice : public BDevice {
public:
    int32_t BeginFrame() override { return 0; }
    int32_t EndFrame() override { return 0; }
    int32_t BeginSprites() override { return 0; }
    int32_t EndSprites() override { return 0; }
    int32_t GetBackBufferWidth() const override { return 800; }
    int32_t GetBackBufferHeight() const override { return 600; }
    int32_t GetBitsPerPixel() const override { return 32; }
};

class BenchScreen : public CScreen {
public:
    int32_t LoadAssetsAndCreateGame() override { return 0; }
};

class Dot : public CActor {
public:
    Dot(CScene* scene, int32_t i) : CActor(scene, (i % 80) * 2560, (i / 80) * 2560, 100 + i % 7, 2, 1)
    {
        StartMotion();
        SetVelocity(256, 128, 0);
        UpdateBounds();
    }
    void UpdateBounds() override { rcBounds = {lX >> 8, lY >> 8, (lX >> 8) + 8, (lY >> 8) + 8}; }
    void Draw(const Rect* clip) override { benchmark::DoNotOptimize(clip); }
};

// One frame's update and draw passes over a scene of many moving actors.
void BM_FramePasses(benchmark::State& state)
{
    NullDevice device;
    BenchScreen screen;
    screen.SetDevice(&device);
    CScene scene(&screen, 0, 0, 0, 1, 0, 1);
    for (int32_t i = 0; i < state.range(0); ++i)
        new Dot(&scene, i);
    for (auto _ : state) {
        CScene::UpdateAllScenes();
        CScene::DrawAllScenes();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FramePasses)->Arg(50)->Arg(500);

// A frame's worth of overlapping invalidations kept disjoint, then cleared.
void BM_RepaintAreas(benchmark::State& state)
{
    CRectList list;
    for (auto _ : state) {
        for (int32_t i = 0; i < 32; ++i) {
            const int32_t x = (i * 37) % 700;
            const int32_t y = (i * 53) % 500;
            list.AddExact({x, y, x + 60, y + 40});
        }
        list.Clear();
    }
    list.Destroy();
}
BENCHMARK(BM_RepaintAreas);

} // namespace
