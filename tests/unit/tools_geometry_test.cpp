// The board and frame meshes answer the ball's ray tests as the maze says:
// holes are real openings, walls stand where the corridors end.
#include "tools/content/Maze.h"
#include "tools/content/MazeChecker.h"
#include "tools/content/check/ArchiveChunks.h"
#include "platform/MMesh.h"
#include "platform/MVector3.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

constexpr float kProbeZ = -0.3f;   // hole rays start here, straight down the z axis
constexpr float kWallZ = -0.2f;    // wall rays run level at this height
constexpr float kSpread = 0.3f;    // slant of the four hole probes

class GeometryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        maze = std::make_unique<Maze>(Maze::Load(RVX_MAZE_FILE));
        ArchiveChunks archive(RVX_ARCHIVE_FILE);
        board = archive.Mesh(10, 0);
        frame = archive.Mesh(11, 0);
        ASSERT_TRUE(board && frame);
    }
    static void TearDownTestSuite()
    {
        maze.reset();
        board.reset();
        frame.reset();
    }

    // The game's own ray test; the distance, or nothing when the ray misses.
    static std::optional<float> Hit(const MMesh& mesh, float x, float y, float z, float dx, float dy, float dz)
    {
        int32_t hit = 0;
        float distance = 0;
        mesh.Intersect(MVector3(x, y, z), MVector3(dx, dy, dz), &hit, &distance);
        return hit ? std::optional<float>(distance) : std::nullopt;
    }

    static bool OverBoard(float x, float y) { return Hit(*board, x, y, kProbeZ, 0, 0, 1).has_value(); }

    // How many of the four slanted probes still find the board.
    static int ProbesHitting(float x, float y)
    {
        const float norm = 1 / std::sqrt(2 * kSpread * kSpread + 1);
        int hits = 0;
        for (float dx : {kSpread, -kSpread})
            for (float dy : {kSpread, -kSpread})
                hits += Hit(*board, x, y, kProbeZ, dx * norm, dy * norm, norm).has_value();
        return hits;
    }

    static float WallDistance(float x, float y, float dx, float dy)
    {
        return Hit(*frame, x, y, kWallZ, dx, dy, 0).value_or(INFINITY);
    }

    static inline std::unique_ptr<Maze> maze;
    static inline std::unique_ptr<MMesh> board;
    static inline std::unique_ptr<MMesh> frame;
};

TEST_F(GeometryTest, StartAndGoalLieOnTheSurface)
{
    auto start = Hit(*board, maze->fStartX, maze->fStartY, kProbeZ, 0, 0, 1);
    ASSERT_TRUE(start.has_value());
    EXPECT_NEAR(*start, maze->fSurface - kProbeZ, 1e-4);
    EXPECT_TRUE(OverBoard(maze->fGoalX, maze->fGoalY));
    EXPECT_EQ(ProbesHitting(maze->fStartX, maze->fStartY), 4);
}

TEST_F(GeometryTest, BallFallsThroughEveryHole)
{
    ASSERT_GE(maze->Holes().size(), 8u);
    for (const HoleSpot& hole : maze->Holes()) {
        EXPECT_FALSE(OverBoard(hole.x, hole.y)) << hole.x << ", " << hole.y;
        EXPECT_EQ(ProbesHitting(hole.x, hole.y), 0) << hole.x << ", " << hole.y;
    }
}

TEST_F(GeometryTest, NearTheRimOfAHoleTheBallIsPulledNotDropped)
{
    const HoleSpot& hole = maze->Holes().front();
    float x = hole.x + maze->fHoleRadius - 0.05f;
    EXPECT_FALSE(OverBoard(x, hole.y));
    int hits = ProbesHitting(x, hole.y);
    EXPECT_GT(hits, 0);
    EXPECT_LT(hits, 4);
    EXPECT_TRUE(OverBoard(hole.x + maze->fHoleRadius + 0.02f, hole.y));
}

TEST_F(GeometryTest, RimStopsTheBallAtTheStartFromTheSides)
{
    float inner = maze->fLeft + maze->fWall * 0.5f;
    EXPECT_NEAR(WallDistance(maze->fStartX, maze->fStartY, -1, 0), maze->fStartX - inner, 1e-3);
    float top = maze->fTop - maze->fWall * 0.5f;
    EXPECT_NEAR(WallDistance(maze->fStartX, maze->fStartY, 0, 1), top - maze->fStartY, 1e-3);
}

TEST_F(GeometryTest, WallsAreFoundFromEitherSide)
{
    auto inner = std::find_if(maze->Walls().begin(), maze->Walls().end(), [](const WallBox& w) {
        return w.y1 - w.y0 > w.x1 - w.x0 && w.x0 > maze->fLeft && w.x1 < maze->PlateRight() - maze->fRim;
    });
    ASSERT_NE(inner, maze->Walls().end());
    const WallBox& wall = *inner;
    float y = (wall.y0 + wall.y1) * 0.5f;
    EXPECT_NEAR(WallDistance(wall.x0 - 0.35f, y, 1, 0), 0.35f, 1e-3);
    EXPECT_NEAR(WallDistance(wall.x1 + 0.35f, y, -1, 0), 0.35f, 1e-3);
}

TEST_F(GeometryTest, CheckedPathStaysOverTheBoardAndClearOfWalls)
{
    MazeReport report = MazeChecker(*maze).Check();
    ASSERT_TRUE(report.fGoalReached);
    const float diagonal = std::sqrt(0.5f);
    for (size_t i = 0; i < report.path.size(); i += 3) {
        const MazePoint& p = report.path[i];
        ASSERT_TRUE(OverBoard(p.x, p.y)) << p.x << ", " << p.y;
        const float directions[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1},
                                        {diagonal, diagonal}, {-diagonal, diagonal},
                                        {diagonal, -diagonal}, {-diagonal, -diagonal}};
        for (const auto& d : directions)
            ASSERT_GE(WallDistance(p.x, p.y, d[0], d[1]), maze->fBallRadius - 1e-3f) << p.x << ", " << p.y;
    }
}

} // namespace
