#include <benchmark/benchmark.h>
#include <vector>
#include "platform/Image.h"
#include "platform/MFont.h"

namespace {

// A 256 x 256 TGA: raw, or run-length in packets of 4 equal pixels.
std::vector<uint8_t> Tga(bool runLength)
{
    std::vector<uint8_t> t = {0, 0, uint8_t(runLength ? 10 : 2), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 32, 0};
    for (uint32_t i = 0; i < 256 * 256; i += runLength ? 4 : 1) {
        if (runLength)
            t.push_back(0x83);
        t.insert(t.end(), {uint8_t(i), uint8_t(i >> 8), 0x40, 0xFF});
    }
    return t;
}

void DecodeTga(benchmark::State& state)
{
    const std::vector<uint8_t> tga = Tga(state.range(0) != 0);
    Image image;
    for (auto _ : state)
        benchmark::DoNotOptimize(image.DecodeTGA(tga.data(), tga.size()));
    state.SetItemsProcessed(int64_t(state.iterations()) * 256 * 256);
}
BENCHMARK(DecodeTga)->Arg(0)->Arg(1);

// The per-frame text path without the device: quads for one status line.
void LayOutText(benchmark::State& state)
{
    const MFont font("Arial", 16, 0);
    int32_t vertices = 0;
    for (auto _ : state) {
        font.LayOut(10, 10, 0xFFFFFFFF, "Better luck next time!  Press N for a new game.",
                    [&](const MScreenVertex* v, int32_t n) {
                        benchmark::DoNotOptimize(v);
                        vertices += n;
                    });
    }
    benchmark::DoNotOptimize(vertices);
}
BENCHMARK(LayOutText);

} // namespace
