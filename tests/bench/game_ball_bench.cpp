// One frame of the ball on the archive's board and frame meshes: the hole and
// wall probes, the move, the roll and the height; and one lean of the board.
#include <benchmark/benchmark.h>
#include "base/FileSpec.h"
#include "common/assets/CFileMM.h"
#include "game/maze/ALeanBall.h"
#include "game/maze/ALeanBoard.h"
#include "tests/unit/game_fakes.h"

namespace {

struct Maze {
    Maze()
    {
        CFileMM archive;
        archive.Open(FileSpec(RVX_RUN_DIR, "RollavexAssets.mm"), 2);
        ALeanBoard::LoadAssets(&archive, gamefakes::kMazeOne.nBoardEntry, gamefakes::kMazeOne.nFrameEntry);
        ball = gamefakes::PlaceMaze(host, screen);
        board = host.pBoard;
    }
    ~Maze() { ALeanBoard::UnloadAssets(); }

    gamefakes::Screen screen;
    gamefakes::Host host{&screen};
    ALeanBoard* board = nullptr;
    ALeanBall* ball = nullptr;
};

// Leaning right and down, the ball runs along the first corridor's wall and
// into its hole; it starts again whenever it is lost. The argument is the
// frame's ticks.
void BallFrame(benchmark::State& state)
{
    Maze maze;
    maze.host.fLoseOnEnd = false;
    maze.board->LeanTo(440, 360);
    const auto ticks = int32_t(state.range(0));
    for (auto _ : state) {
        maze.ball->Update(ticks);
        if (maze.host.nEnds != 0) {
            maze.host.nEnds = 0;
            maze.ball->Restart(0, 1);
        }
    }
}
BENCHMARK(BallFrame)->Arg(1)->Arg(4)->Arg(25);

void BoardLean(benchmark::State& state)
{
    Maze maze;
    int32_t x = 400;
    for (auto _ : state) {
        x = x == 400 ? 430 : 400;
        maze.board->LeanTo(x, 310);
        benchmark::DoNotOptimize(maze.board->GetSurfaceZ(1.0f, 2.0f));
    }
}
BENCHMARK(BoardLean);

} // namespace
