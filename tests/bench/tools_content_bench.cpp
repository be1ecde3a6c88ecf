// Cost of the slowest generators, which bound how long the build's content step takes.
#include "tools/content/MazeChecker.h"
#include "tools/content/MazeMeshes.h"
#include "tools/content/SoundSynth.h"
#include "tools/content/TextureSynth.h"
#include <benchmark/benchmark.h>

namespace {

const Maze& GameMaze()
{
    static const Maze maze = Maze::Load(RVX_MAZE_FILE);
    return maze;
}

void BoardTexture(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TextureSynth::Board(GameMaze(), int(state.range(0))));
}
BENCHMARK(BoardTexture)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

void BoardMeshText(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(MazeMeshes::Board(GameMaze()).ToText("board"));
}
BENCHMARK(BoardMeshText)->Unit(benchmark::kMillisecond);

void MazeCheck(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(MazeChecker(GameMaze()).Check());
}
BENCHMARK(MazeCheck)->Unit(benchmark::kMillisecond);

void RollingLoop(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(SoundSynth::Rolling());
}
BENCHMARK(RollingLoop)->Unit(benchmark::kMillisecond);

} // namespace
