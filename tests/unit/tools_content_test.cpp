// The content tool's output: the maze is playable, the archive holds what the
// game reads (mmbuild packs only files its manifest names), and the generators
// are deterministic.
#include "tools/content/ContentSet.h"
#include "tools/content/Maze.h"
#include "tools/content/MazeChecker.h"
#include "tools/content/SoundSynth.h"
#include "tools/content/WaveWriter.h"
#include "tools/content/check/ArchiveChunks.h"
#include "tools/content/check/MeshProbe.h"
#include "platform/mesh/MMesh.h"
#include "FileTestSupport.h"
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <cmath>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

const std::string kSettings = "pitch 1.25\norigin 0 0\nwall 0.2\nstart 0.6 -0.6\ngoal 3.1 -0.6 0.2\n";
const std::string kCorridor = "+-+-+-+\n|S    |\n+-+-+-+\n"; // start in the first cell, goal in the last

std::vector<Maze> ShippedMazes()
{
    std::vector<Maze> mazes;
    for (int n = 1; n <= RVX_MAZE_COUNT; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "/%02d.txt", n);
        mazes.push_back(Maze::Load(RVX_MAZE_DIR + std::string(name)));
    }
    return mazes;
}

// Every maze is proven; from maze 2 on each figure rises or stays, and the
// last maze is clearly harder than the first on all three.
TEST(MazeChecker, ShippedMazesArePlayableAndRiseInDifficulty)
{
    const std::vector<Maze> mazes = ShippedMazes();
    ASSERT_GE(mazes.size(), 12u);
    std::vector<MazeReport> reports;
    for (const Maze& maze : mazes) {
        SCOPED_TRACE(maze.szName);
        reports.push_back(MazeChecker(maze).Check());
        EXPECT_TRUE(reports.back().problems.empty()) << reports.back().problems.front();
        EXPECT_TRUE(reports.back().fGoalReached);
        EXPECT_GE(maze.fPitch - maze.fWall, MazeChecker::kMinCorridor);
    }
    for (size_t i = 2; i < reports.size(); ++i) {
        SCOPED_TRACE(mazes[i].szName);
        EXPECT_GE(reports[i].fPathLength, reports[i - 1].fPathLength);
        EXPECT_GE(reports[i].nHolesNearPath, reports[i - 1].nHolesNearPath);
        EXPECT_GE(reports[i].nTurns, reports[i - 1].nTurns);
    }
    EXPECT_GT(reports.back().fPathLength, 1.2f * reports.front().fPathLength);
    EXPECT_GT(reports.back().nHolesNearPath, reports.front().nHolesNearPath * 3 / 2);
    EXPECT_GT(reports.back().nTurns, reports.front().nTurns * 3 / 2);
}

TEST(MazeChecker, PathsBlockedByHolesAndWallsAndLayoutFaultsAreReported)
{
    const struct {
        std::string settings, grid;
        bool fStartLegal, fGoalReached;
        const char* problem;
    } cases[] = {
        {kSettings, kCorridor, true, true, "fewer than 8 holes"},
        {kSettings, "+-+-+-+\n|S O  |\n+-+-+-+\n", true, false, "no path"},
        {kSettings, "+-+-+-+\n|S  | |\n+-+-+-+\n", true, false, "no path"},
        {kSettings + "start 0.3 -0.6\n", kCorridor, false, false, "start is not a safe"},
        {kSettings + "wall 0.4\nhole_radius 0.5\n", "+-+-+-+\n|S   O|\n+-+-+-+\n", true, false, "narrower than 0.9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        std::istringstream in(c.settings + "grid\n" + c.grid);
        Maze maze = Maze::Parse(in);
        MazeReport report = MazeChecker(maze).Check();
        EXPECT_EQ(report.fStartLegal, c.fStartLegal);
        EXPECT_EQ(report.fGoalReached, c.fGoalReached);
        EXPECT_THAT(report.problems, Contains(HasSubstr(c.problem)));
        if (c.fGoalReached) {
            EXPECT_TRUE(maze.InGoal(report.path.back().x, report.path.back().y));
        }
    }
}

// A malformed maze file is refused with what is wrong and on which line.
TEST(MazeChecker, MalformedDefinitionsNameTheirLine)
{
    const std::pair<std::string, const char*> cases[] = {
        {kSettings + "grid\n", "odd number of lines"},
        {"colour 3\ngrid\n" + kCorridor, "line 1: unknown setting colour"},
        {"pitch wide\ngrid\n" + kCorridor, "bad value for pitch"},
        {"pitch 0.1\ngrid\n" + kCorridor, "pitch must exceed"},
        {kSettings + "grid\n+-+-+-+\n|S   \n+-+-+-+\n", "line 8: grid lines differ"},
        {kSettings + "grid\n+-+-+-\n|S   |\n+-+-+-\n", "odd width"},
        {kSettings + "grid\n+-+-+-+\n|S X  |\n+-+-+-+\n", "unknown cell mark"},
        {kSettings + "grid\n+-+-+-+\n S    |\n+-+-+-+\n", "line 8: expected '|'"},
        {kSettings + "grid\n+-+ +-+\n|S    |\n+-+-+-+\n", "line 7: expected '-'"},
        {"name A\ngrid\n" + kCorridor, "one 'G' cell"},
        {"grid\n+-+-+-+\n|  G  |\n+-+-+-+\n", "one 'S' cell"},
        {"grid\n+-+-+-+\n|S G G|\n+-+-+-+\n", "one 'G' cell"},
        {"name " + std::string(32, 'x') + "\ngrid\n" + kCorridor, "line 1: a name is 1 to 31"},
        {"name\ngrid\n" + kCorridor, "a name is"},
    };
    for (const auto& [text, message] : cases) {
        std::istringstream in(text);
        try {
            Maze::Parse(in);
            ADD_FAILURE() << "accepted: " << message;
        } catch (const std::runtime_error& e) {
            EXPECT_THAT(e.what(), HasSubstr(message));
        }
    }
}

// Every chunk is of the kind the game's loaders read there, and every mesh
// loads with the game's loader with all its faces and textures.
TEST(Archive, EveryGroupHoldsTheKindsTheGameReadsInOrder)
{
    struct Group {
        uint32_t entry;
        std::vector<std::string> kinds;
    };
    std::vector<Group> groups = {
        {1, {"wave", "wave", "wave"}},
        {3, {"wave"}},
        {2, {"anim", "anim", "anim", "rgba", "rgba", "mesh", "mesh", "mesh", "mesh"}},
        {4, {"anim"}},
        {9, {"mesh"}}, {10, {"mesh"}}, {11, {"mesh"}},
        {12, {"wave", "wave", "wave", "wave"}},
        {13, {"mesh"}},
        {14, {"maze"}},
    };
    for (int maze = 2; maze <= RVX_MAZE_COUNT; ++maze)
        for (int entry : {ContentSet::BoardEntry(maze), ContentSet::FrameEntry(maze)})
            groups.push_back({uint32_t(entry), {"mesh"}});
    MMesh::SetTextureFolder(fs::path(RVX_ARCHIVE_FILE).parent_path().string().c_str());
    ArchiveChunks archive(RVX_ARCHIVE_FILE);
    for (const auto& group : groups) {
        std::vector<ArchiveChunk> chunks = archive.Group(group.entry, group.kinds.size());
        ASSERT_EQ(chunks.size(), group.kinds.size());
        for (size_t i = 0; i < chunks.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "entry " << group.entry << " chunk " << i);
            EXPECT_EQ(chunks[i].kind, group.kinds[i]);
            if (chunks[i].kind != "mesh")
                continue;
            std::unique_ptr<MMesh> mesh = archive.Mesh(group.entry, i);
            ASSERT_TRUE(mesh);
            EXPECT_GT(mesh->GetSubsetCount(), 0u);
            EXPECT_EQ(mesh->GetIndices().size(), MeshProbe(chunks[i].data).TriangleCount() * 3);
            // The maze, base, ball and table are textured.
            for (uint32_t s = 0; s < mesh->GetSubsetCount() && (group.entry != 2 || i == 8); ++s)
                EXPECT_TRUE(mesh->HasTexture(s)) << "subset " << s;
        }
    }
}

std::map<std::string, std::string> ReadTree(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(root))
        if (item.is_regular_file())
            files[fs::relative(item.path(), root).string()] = ReadText(item.path());
    return files;
}

TEST(Content, SameSourcesGiveSameBytes)
{
    const TempFolder root;
    std::map<std::string, std::string> trees[2];
    for (int i = 0; i < 2; ++i) {
        const fs::path out = fs::path(root.Path()) / std::to_string(i);
        ContentSet content({Maze::Load(RVX_MAZE_DIR "/01.txt")});
        content.Write((out / "content").string(), (out / "run").string());
        trees[i] = ReadTree(out);
    }
    ASSERT_FALSE(trees[0].empty());
    EXPECT_TRUE(trees[0] == trees[1]);
}

// The background loop: at least a minute long; its end leads into its start as
// smoothly as any sample into the next; quiet beside the effects (RMS under
// -26 dBFS, peaks well clear of full scale); mellow: its steps from sample to
// sample are small beside its level, as they are for tones low in pitch.
TEST(Content, MusicLoopIsLongSeamlessQuietAndMellow)
{
    const std::vector<float> loop = SoundSynth::MusicLoop();
    ASSERT_GE(loop.size(), size_t(60 * WaveWriter::kRate));
    double squares = 0, stepSquares = 0;
    float peak = 0;
    for (size_t i = 0; i + 1 < loop.size(); ++i) {
        squares += double(loop[i]) * loop[i];
        stepSquares += double(loop[i + 1] - loop[i]) * (loop[i + 1] - loop[i]);
        peak = std::max(peak, std::fabs(loop[i]));
    }
    const double rms = std::sqrt(squares / double(loop.size()));
    const double stepRms = std::sqrt(stepSquares / double(loop.size()));
    EXPECT_LT(std::fabs(loop.front() - loop.back()), 3 * stepRms) << "a click where the loop joins";
    EXPECT_LT(20 * std::log10(rms), -26.0);
    EXPECT_GT(20 * std::log10(rms), -40.0) << "too quiet to hear";
    EXPECT_LT(peak, 0.5f);
    // A tone of f Hz steps 2·sin(pi·f/rate) of its RMS: 0.2 is about 700 Hz.
    EXPECT_LT(stepRms / rms, 0.2);
}

} // namespace
