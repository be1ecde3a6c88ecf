// The maze definition and the checker that proves it playable.
#include "tools/content/Maze.h"
#include "tools/content/MazeChecker.h"
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

const std::string kSettings = "pitch 1.25\norigin 0 0\nwall 0.2\nstart 0.6 -0.6\ngoal 3.1 -0.6 0.2\n";
// Three cells in a row, start in the first, goal in the last.
const std::string kCorridor = "+-+-+-+\n|S    |\n+-+-+-+\n";

Maze Parse(const std::string& settings, const std::string& grid)
{
    std::istringstream in(settings + "grid\n" + grid);
    return Maze::Parse(in);
}

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

TEST(MazeDefinition, MalformedDefinitionsNameTheirLine)
{
    std::string border = "+" + std::string(130, '-'), row = "|" + std::string(129, ' ') + "|";
    for (size_t i = 0; i < border.size(); i += 2)
        border[i] = '+';
    const struct {
        std::string settings, grid, error;
    } cases[] = {
        {kSettings, "", "odd number of lines"},
        {"colour 3\n", kCorridor, "line 1: unknown setting colour"},
        {"pitch wide\n", kCorridor, "bad value for pitch"},
        {kSettings, "+-+-+-+\n|S   \n+-+-+-+\n", "line 8: grid lines differ"},
        {kSettings, "+-+-+-+\n|S X  |\n+-+-+-+\n", "unknown cell mark"},
        {kSettings, "+-+ +-+\n|S    |\n+-+-+-+\n", "line 7: expected '-'"},
        {kSettings, border + "\n" + row + "\n" + border + "\n", "more than 64"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        try {
            Parse(c.settings, c.grid);
            ADD_FAILURE() << "accepted";
        } catch (const std::runtime_error& e) {
            EXPECT_THAT(e.what(), HasSubstr(c.error));
        }
    }
}

TEST(MazeCheckerTest, PathsBlockedByHolesAndWallsAndLayoutFaultsAreReported)
{
    const struct {
        std::string settings, grid;
        bool fStartLegal, fGoalReached;
        const char* problem;
    } cases[] = {
        {kSettings, kCorridor, true, true, "fewer than 8 holes"},
        {kSettings, "+-+-+-+\n|S O  |\n+-+-+-+\n", true, false, "no path"},
        {kSettings, "+-+-+-+\n|S  | |\n+-+-+-+\n", true, false, "no path"},
        {kSettings + "start 0.3 -0.6\n", kCorridor, false, false, "start is not a legal"},
        {kSettings + "wall 0.4\nhole_radius 0.5\n", "+-+-+-+\n|S   O|\n+-+-+-+\n", true, false, "narrower than 0.9"},
        {kSettings + "wall 0.4\nhole_radius 0.5\n", "+-+-+-+\n|S   O|\n+-+-+-+\n", true, false, "cuts into a wall"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        Maze maze = Parse(c.settings, c.grid);
        MazeReport report = MazeChecker(maze).Check();
        EXPECT_EQ(report.fStartLegal, c.fStartLegal);
        EXPECT_EQ(report.fGoalReached, c.fGoalReached);
        EXPECT_THAT(report.problems, Contains(HasSubstr(c.problem)));
        if (c.fGoalReached) {
            EXPECT_TRUE(maze.InGoal(report.path.back().x, report.path.back().y));
        }
    }
}

} // namespace
