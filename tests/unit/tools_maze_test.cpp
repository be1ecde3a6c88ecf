// The maze definition and the checker that proves it playable.
#include "tools/content/Maze.h"
#include "tools/content/MazeChecker.h"
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

namespace {

using ::testing::HasSubstr;

const char* kSettings = "pitch 1.25\norigin 0 0\nwall 0.2\nstart 0.6 -0.6\ngoal 3.1 -0.6 0.2\n";

Maze Parse(const std::string& settings, const std::string& grid)
{
    std::istringstream in(settings + "grid\n" + grid);
    return Maze::Parse(in);
}

std::string ParseError(const std::string& settings, const std::string& grid)
{
    try {
        Parse(settings, grid);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

// Three cells in a row, start in the first, goal in the last.
const std::string kCorridor = "+-+-+-+\n"
                              "|S    |\n"
                              "+-+-+-+\n";

TEST(MazeDefinition, GameMazeIsPlayable)
{
    Maze maze = Maze::Load(RVX_MAZE_FILE);
    MazeReport report = MazeChecker(maze).Check();
    EXPECT_TRUE(report.problems.empty()) << report.problems.front();
    EXPECT_TRUE(report.fStartLegal);
    EXPECT_TRUE(report.fGoalReached);
    EXPECT_GE(report.nHolesBesidePath, MazeChecker::kMinHoles);
    EXPECT_GE(maze.fPitch - maze.fWall, MazeChecker::kMinCorridor);
}

TEST(MazeDefinition, WallSegmentsMergeIntoBoxes)
{
    Maze maze = Parse(kSettings, "+-+-+\n| | |\n+-+-+\n");
    EXPECT_EQ(maze.Columns(), 2);
    EXPECT_EQ(maze.Rows(), 1);
    ASSERT_EQ(maze.Walls().size(), 5u); // top, bottom, left, middle, right
    const WallBox& middle = maze.Walls()[3];
    EXPECT_FLOAT_EQ(middle.x0, 1.15f);
    EXPECT_FLOAT_EQ(middle.x1, 1.35f);
    EXPECT_FLOAT_EQ(middle.y1, 0.1f);
    EXPECT_FLOAT_EQ(middle.y0, -1.35f);
}

TEST(MazeDefinition, HolesSitAtCellCentres)
{
    Maze maze = Parse(kSettings, "+-+-+-+\n|S O  |\n+-+-+-+\n");
    ASSERT_EQ(maze.Holes().size(), 1u);
    EXPECT_FLOAT_EQ(maze.Holes()[0].x, 1.875f);
    EXPECT_FLOAT_EQ(maze.Holes()[0].y, -0.625f);
    EXPECT_TRUE(maze.HasHole(1, 0));
    EXPECT_FALSE(maze.HasHole(0, 0));
    EXPECT_FALSE(maze.HasHole(5, 5));
    EXPECT_TRUE(maze.OverHole(1.875f + 0.39f, -0.625f));
    EXPECT_FALSE(maze.OverHole(1.875f + 0.41f, -0.625f));
}

TEST(MazeDefinition, MalformedDefinitionsNameTheirLine)
{
    std::istringstream noGrid("pitch 1.25\n");
    EXPECT_THROW(Maze::Parse(noGrid), std::runtime_error);
    EXPECT_THAT(ParseError(kSettings, ""), HasSubstr("odd number of lines"));
    EXPECT_THAT(ParseError("colour 3\n", kCorridor), HasSubstr("line 1: unknown setting colour"));
    EXPECT_THAT(ParseError("pitch wide\n", kCorridor), HasSubstr("bad value for pitch"));
    EXPECT_THAT(ParseError(kSettings, "+-+-+-+\n|S   \n+-+-+-+\n"), HasSubstr("line 8: grid lines differ"));
    EXPECT_THAT(ParseError(kSettings, "+-+-+-\n|S   |\n+-+-+-\n"), HasSubstr("odd width"));
    EXPECT_THAT(ParseError(kSettings, "+-+-+-+\n|S X  |\n+-+-+-+\n"), HasSubstr("unknown cell mark"));
    EXPECT_THAT(ParseError(kSettings, "+-+-+-+\n S    |\n+-+-+-+\n"), HasSubstr("line 8: expected '|'"));
    EXPECT_THAT(ParseError(kSettings, "+-+ +-+\n|S    |\n+-+-+-+\n"), HasSubstr("line 7: expected '-'"));
    EXPECT_THAT(ParseError("pitch 0.1\n", kCorridor), HasSubstr("pitch must exceed"));
}

TEST(MazeDefinition, OversizedGridIsRefused)
{
    std::string border = "+" + std::string(130, '-');
    for (size_t i = 0; i < border.size(); i += 2)
        border[i] = '+';
    std::string row = "|" + std::string(129, ' ') + "|";
    EXPECT_THAT(ParseError(kSettings, border + "\n" + row + "\n" + border + "\n"), HasSubstr("more than 64"));
}

TEST(MazeCheckerTest, FindsTheCorridorPath)
{
    Maze maze = Parse(kSettings, kCorridor);
    MazeReport report = MazeChecker(maze).Check();
    EXPECT_TRUE(report.fStartLegal);
    EXPECT_TRUE(report.fGoalReached);
    ASSERT_FALSE(report.path.empty());
    EXPECT_TRUE(maze.InGoal(report.path.back().x, report.path.back().y));
    EXPECT_EQ(report.nHolesBesidePath, 0);
    EXPECT_THAT(report.problems, ::testing::Contains(HasSubstr("fewer than 8 holes")));
}

TEST(MazeCheckerTest, HoleAcrossTheOnlyCorridorBlocksThePath)
{
    MazeReport report = MazeChecker(Parse(kSettings, "+-+-+-+\n|S O  |\n+-+-+-+\n")).Check();
    EXPECT_TRUE(report.fStartLegal);
    EXPECT_FALSE(report.fGoalReached);
    EXPECT_THAT(report.problems, ::testing::Contains(HasSubstr("no path")));
}

TEST(MazeCheckerTest, WallBetweenStartAndGoalBlocksThePath)
{
    MazeReport report = MazeChecker(Parse(kSettings, "+-+-+-+\n|S  | |\n+-+-+-+\n")).Check();
    EXPECT_FALSE(report.fGoalReached);
}

TEST(MazeCheckerTest, StartTooCloseToAWallIsIllegal)
{
    const std::string settings = std::string(kSettings) + "start 0.3 -0.6\n";
    MazeReport report = MazeChecker(Parse(settings, kCorridor)).Check();
    EXPECT_FALSE(report.fStartLegal);
    EXPECT_THAT(report.problems, ::testing::Contains(HasSubstr("start is not a legal")));
}

TEST(MazeCheckerTest, NarrowCorridorsAndHolesInWallsAreReported)
{
    const std::string settings = std::string(kSettings) + "wall 0.4\nhole_radius 0.5\n";
    MazeReport report = MazeChecker(Parse(settings, "+-+-+-+\n|S   O|\n+-+-+-+\n")).Check();
    EXPECT_THAT(report.problems, ::testing::Contains(HasSubstr("narrower than 0.9")));
    EXPECT_THAT(report.problems, ::testing::Contains(HasSubstr("cuts into a wall")));
}

} // namespace
