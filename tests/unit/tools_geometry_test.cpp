// The board and frame meshes answer the ball's ray tests as the maze says:
// holes are real openings, walls stand where the corridors end.
#include "tools/content/Maze.h"
#include "tools/content/MazeChecker.h"
#include "tools/content/check/ArchiveChunks.h"
#include "platform/MMesh.h"
#include "platform/MVector3.h"
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

constexpr float kProbeZ = -0.3f; // hole rays start here, straight down the z axis
constexpr float kWallZ = -0.2f;  // wall rays run level at this height
constexpr float kSpread = 0.3f;  // slant of the four hole probes

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

TEST_F(GeometryTest, StartRestsOnTheSurfaceBesideTheRimAndTheBallFallsThroughEveryHole)
{
    auto start = Hit(*board, maze->fStartX, maze->fStartY, kProbeZ, 0, 0, 1);
    ASSERT_TRUE(start.has_value());
    EXPECT_NEAR(*start, maze->fSurface - kProbeZ, 1e-4);
    EXPECT_EQ(ProbesHitting(maze->fStartX, maze->fStartY), 4);
    EXPECT_NEAR(WallDistance(maze->fStartX, maze->fStartY, -1, 0), maze->fStartX - maze->fLeft - maze->fWall * 0.5f,
                1e-3);
    EXPECT_TRUE(OverBoard(maze->fGoalX, maze->fGoalY));
    ASSERT_GE(maze->Holes().size(), 8u);
    for (const HoleSpot& hole : maze->Holes()) {
        EXPECT_EQ(ProbesHitting(hole.x, hole.y), 0) << hole.x << ", " << hole.y;
        // Near the rim the ball is pulled, not dropped.
        const int rim = ProbesHitting(hole.x + maze->fHoleRadius - 0.05f, hole.y);
        EXPECT_GT(rim, 0);
        EXPECT_LT(rim, 4);
    }
}

TEST_F(GeometryTest, CheckedPathStaysOverTheBoardAndClearOfWalls)
{
    MazeReport report = MazeChecker(*maze).Check();
    ASSERT_TRUE(report.fGoalReached);
    const float d = std::sqrt(0.5f);
    const float directions[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {d, d}, {-d, d}, {d, -d}, {-d, -d}};
    for (size_t i = 0; i < report.path.size(); i += 3) {
        const MazePoint& p = report.path[i];
        ASSERT_TRUE(OverBoard(p.x, p.y)) << p.x << ", " << p.y;
        for (const auto& dir : directions)
            ASSERT_GE(WallDistance(p.x, p.y, dir[0], dir[1]), maze->fBallRadius - 1e-3f) << p.x << ", " << p.y;
    }
}

} // namespace
