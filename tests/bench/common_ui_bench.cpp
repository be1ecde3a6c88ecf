#include <benchmark/benchmark.h>
#include <vector>
#include "common/ButtonDesc.h"
#include "common/CActorButton.h"
#include "common/CGlyphFont.h"
#include "common/CScene.h"
#include "common/CScreen.h"
#include "common/CShapeCircle.h"
#include "common/CShapeMask.h"
#include "common/TextDesc.h"
#include "platform/MFormat.h"

namespace {

class BenchScreen : public CScreen {
public:
    int32_t LoadAssetsAndCreateGame() override { return 0; }
};

// A clock label's per-second work: new text, new bounds.
void BM_LabelSetText(benchmark::State& state)
{
    BenchScreen screen;
    CScene scene(&screen, 0, 0, 0, 1, 0, 1);
    CGlyphFont font(0);
    font.nAdvance = 10;
    font.nLineHeight = 12;
    char text[8] = "00:00";
    const TextDesc desc{text, 8, 0, 0, &font, 0, 0xFFFFFFFF, 1, 0};
    const ButtonDesc behaviour{kButtonLabel, 0, 0, 0, 0, 0};
    auto* label = new CActorButton(&desc, &behaviour, &scene, 100 << 8, 50 << 8, 100 << 8, nullptr, 0);
    const char* texts[2] = {"12:34", "12:35"};
    int32_t i = 0;
    for (auto _ : state) {
        label->SetText(texts[i ^= 1]);
        benchmark::DoNotOptimize(label->GetBounds());
    }
}
BENCHMARK(BM_LabelSetText);

void BM_CircleAgainstRect(benchmark::State& state)
{
    const Rect circle{0, 0, 40, 40};
    const Rect far{45, 45, 60, 60}; // misses both tests: the slowest answer
    for (auto _ : state)
        benchmark::DoNotOptimize(CShapeCircle::TouchesRect(circle, far));
}
BENCHMARK(BM_CircleAgainstRect);

// The mask walk over a transparent square of the given side.
void BM_MaskWalk(benchmark::State& state)
{
    const int32_t side = int32_t(state.range(0));
    std::vector<uint8_t> pixels(size_t(side * side * 4), 0);
    const CShapeMask::View view{pixels.data(), side * 4, kFormatA8R8G8B8};
    for (auto _ : state)
        benchmark::DoNotOptimize(CShapeMask::AnyOpaque(view, side, side));
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_MaskWalk)->Arg(16)->Arg(64);

} // namespace
