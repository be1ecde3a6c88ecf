// The game's mesh loader on the real archive: its ray tests find the holes
// and walls where the maze puts them, and agree with an independent probe.
#include "common/CFileMM.h"
#include "common/CMesh.h"
#include "base/FileSpec.h"
#include "platform/MVector3.h"
#include "tools/content/Maze.h"
#include "tools/content/check/ArchiveChunks.h"
#include "tools/content/check/MeshProbe.h"
#include <gtest/gtest.h>
#include <cmath>
#include <filesystem>
#include <memory>
#include <random>

namespace {

constexpr float kHoleZ = -0.3f;
constexpr float kWallZ = -0.2f;

class MeshRays : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        maze = std::make_unique<Maze>(Maze::Load(RVX_MAZE_FILE));
        const std::filesystem::path path(RVX_ARCHIVE_FILE);
        CFileMM archive;
        archive.Open(FileSpec(path.parent_path().c_str(), path.filename().c_str()), 2);
        archive.SeekEntryPoint(10);
        board.reset(CMesh::Create(&archive));
        archive.SeekEntryPoint(11);
        frame.reset(CMesh::Create(&archive));
        ArchiveChunks chunks(RVX_ARCHIVE_FILE);
        boardProbe = std::make_unique<MeshProbe>(chunks.Group(10, 1).at(0).data);
        frameProbe = std::make_unique<MeshProbe>(chunks.Group(11, 1).at(0).data);
    }
    static void TearDownTestSuite()
    {
        board.reset();
        frame.reset();
    }

    static float Distance(const CMesh& mesh, float x, float y, float z, float dx, float dy, float dz)
    {
        int32_t hit = 0;
        float d = 0;
        mesh.GetMesh()->Intersect(MVector3(x, y, z), MVector3(dx, dy, dz), &hit, &d);
        return hit ? d : INFINITY;
    }

    // Rays from random points over the plate; how many answers differ.
    static int Disagreements(const CMesh& mesh, const MeshProbe& probe, float z, bool level)
    {
        std::mt19937 random(3);
        std::uniform_real_distribution<float> x(maze->PlateLeft(), maze->PlateRight());
        std::uniform_real_distribution<float> y(maze->PlateBottom(), maze->PlateTop());
        std::uniform_real_distribution<float> turn(-1, 1);
        int differ = 0;
        for (int i = 0; i < 3000; ++i) {
            MVector3 d(turn(random), turn(random), level ? 0.0f : 1.0f);
            d.Normalize();
            const float ox = x(random), oy = y(random);
            const float ours = Distance(mesh, ox, oy, z, d.x, d.y, d.z);
            const float theirs = probe.Hit(ox, oy, z, d.x, d.y, d.z).value_or(INFINITY);
            differ += std::isinf(ours) != std::isinf(theirs) || (!std::isinf(ours) && std::abs(ours - theirs) > 1e-4f);
        }
        return differ;
    }

    static inline std::unique_ptr<Maze> maze;
    static inline std::unique_ptr<CMesh> board, frame;
    static inline std::unique_ptr<MeshProbe> boardProbe, frameProbe;
};

TEST_F(MeshRays, HolesAreOpeningsAndStartAndGoalLieOnTheSurface)
{
    ASSERT_FALSE(maze->Holes().empty());
    for (const HoleSpot& hole : maze->Holes())
        EXPECT_TRUE(std::isinf(Distance(*board, hole.x, hole.y, kHoleZ, 0, 0, 1))) << hole.x << ", " << hole.y;
    const float depth = maze->fSurface - kHoleZ;
    EXPECT_NEAR(Distance(*board, maze->fStartX, maze->fStartY, kHoleZ, 0, 0, 1), depth, 1e-4);
    EXPECT_NEAR(Distance(*board, maze->fGoalX, maze->fGoalY, kHoleZ, 0, 0, 1), depth, 1e-4);
}

TEST_F(MeshRays, WallsAreFoundFromBothSides)
{
    int tested = 0;
    for (const WallBox& wall : maze->Walls()) {
        if (wall.x1 - wall.x0 > wall.y1 - wall.y0 || wall.y1 - wall.y0 > maze->fPitch + maze->fWall)
            continue; // one upright segment: its middle faces open corridor on both sides
        const float y = (wall.y0 + wall.y1) / 2;
        EXPECT_NEAR(Distance(*frame, wall.x0 - 0.35f, y, kWallZ, 1, 0, 0), 0.35f, 1e-4) << wall.x0 << ", " << y;
        EXPECT_NEAR(Distance(*frame, wall.x1 + 0.35f, y, kWallZ, -1, 0, 0), 0.35f, 1e-4) << wall.x1 << ", " << y;
        ++tested;
    }
    EXPECT_GT(tested, 4);
}

TEST_F(MeshRays, AgreeWithAnIndependentProbe)
{
    EXPECT_LE(Disagreements(*board, *boardProbe, kHoleZ, false), 2);
    EXPECT_LE(Disagreements(*frame, *frameProbe, kWallZ, true), 2);
}

} // namespace
