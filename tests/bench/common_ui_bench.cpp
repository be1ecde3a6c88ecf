#include <benchmark/benchmark.h>
#include <vector>
#include "common/CShapeMask.h"
#include "platform/MFormat.h"

namespace {

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
