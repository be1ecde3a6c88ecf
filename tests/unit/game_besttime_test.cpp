// The best time of a maze, kept in a state file: wins, damaged files, folders
// and the maze's digest.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include "FileTestSupport.h"
#include "game/ABestTime.h"
#include "game/AMazeSet.h"
#include "game_fakes.h"

namespace {

constexpr uint64_t kMaze = 0x0123456789ABCDEFull;
constexpr const char* kLine = "0123456789abcdef";

class BestTimeTest : public testing::Test {
protected:
    void SetUp() override { setenv("XDG_STATE_HOME", home.Path().c_str(), 1); }

    std::string Folder() const { return home.Path() + "/Orvande/Rollavex"; }
    std::string Path() const { return Folder() + "/best-times"; }

    TempFolder home;
    ABestTime best;
};

TEST_F(BestTimeTest, FirstWinSetsTheBestOnlyFasterWinsReplaceItAndItIsKeptInAPrivateFolder)
{
    best.Open(kMaze);
    const struct {
        int32_t seconds;
        bool fNewBest;
        int32_t best;
    } wins[] = {{90, true, 90}, {95, false, 90}, {90, false, 90}, {0, true, 0}, {1, false, 0}};
    for (const auto& win : wins) {
        EXPECT_EQ(best.OfferWin(win.seconds), win.fNewBest) << win.seconds;
        EXPECT_EQ(best.Get(), win.best);
        ABestTime again;
        again.Open(kMaze);
        EXPECT_EQ(again.Get(), win.best);
    }
    EXPECT_EQ(ReadText(Path()), std::string(kLine) + " 0\n");
    struct stat st {};
    ASSERT_EQ(stat(Folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "the folders are private to the player";
}

TEST_F(BestTimeTest, DamagedLinesReadAsNoBestAndTheNextWinReplacesThemKeepingOtherMazes)
{
    const std::string other = "00000000000000ff 12\n";
    std::filesystem::create_directories(Folder());
    for (const std::string& text : {std::string(), std::string("\x01\xff garbage"), std::string(kLine) + " abc\n",
                                    std::string(kLine) + " -5\n", std::string(kLine) + " 12 13\n",
                                    std::string(kLine) + " 99999999999\n", std::string(kLine) + " ",
                                    std::string(kLine) + "\t12\n", std::string(" ") + kLine + " 12\n"}) {
        WriteText(Path(), other + text);
        best.Open(kMaze);
        EXPECT_EQ(best.Get(), ABestTime::None) << text;
        EXPECT_TRUE(best.OfferWin(40));
        EXPECT_EQ(ReadText(Path()), other + kLine + " 40\n");
    }
}

TEST_F(BestTimeTest, RelativeStateHomeFallsBackToTheHomeFolderAndWithoutEitherTheBestIsNotKept)
{
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.Path().c_str(), 1);
    setenv("XDG_STATE_HOME", "relative/state", 1);
    best.Open(kMaze);
    EXPECT_TRUE(best.OfferWin(30));
    EXPECT_TRUE(std::filesystem::exists(home.Path() + "/.local/state/Orvande/Rollavex/best-times"));
    unsetenv("HOME");
    best.Open(kMaze);
    EXPECT_EQ(best.Get(), ABestTime::None);
    EXPECT_TRUE(best.OfferWin(25)) << "still the best of this run";
    EXPECT_EQ(best.Get(), 25);
    setenv("HOME", savedHome.c_str(), 1);
}

TEST(MazeKey, DiffersForTwoMazesAndIsTheSameForTheSameBytes)
{
    const auto board = gamefakes::Boxes().Add(-5, -5, 0, 5, 5, 0.2f).Build();
    const auto frame = gamefakes::Boxes().Add(-5, -5, -1, -4, 5, 0).Build();
    const auto otherFrame = gamefakes::Boxes().Add(-5, -5, -1, -4, 4, 0).Build();
    auto key = [](const MMesh& b, const MMesh& f) { return AMazeSet::Key(b.GetDigest(), f.GetDigest()); };
    const uint64_t maze = key(*board, *frame);
    EXPECT_EQ(key(*board, *gamefakes::Boxes().Add(-5, -5, -1, -4, 5, 0).Build()), maze);
    EXPECT_NE(key(*board, *otherFrame), maze);
    EXPECT_NE(key(*frame, *board), maze);
}

} // namespace
