// The game's mesh loader on the real archive: its ray tests agree with an
// independent probe.
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

constexpr float kHoleZ = -0.3f; // hole rays start here, straight down
constexpr float kWallZ = -0.2f; // wall rays run level at this height

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

TEST_F(MeshRays, AgreeWithAnIndependentProbe)
{
    EXPECT_LE(Disagreements(*board, *boardProbe, kHoleZ, false), 2);
    EXPECT_LE(Disagreements(*frame, *frameProbe, kWallZ, true), 2);
}

} // namespace
