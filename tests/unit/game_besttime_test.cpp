// The best time of a maze, kept in a state file: wins, damaged files, folders
// and the maze's digest.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include "FileTestSupport.h"
#include "game/records/ABestTime.h"
#include "game/maze/AMazeSet.h"
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

// Old whole-second lines, hundredths, equal and faster wins, damaged lines:
// what each file reads as, what a win does to it, and what is kept.
TEST_F(BestTimeTest, ReadingAndKeepingWholeSecondsHundredthsEqualAndDamaged)
{
    const std::string other = "00000000000000ff 12\n";
    const std::string key(kLine);
    const struct {
        std::string text; // the file before, after the other maze's line
        int32_t read;     // hundredths, or None
        int32_t win;
        bool fBest;
        std::string kept; // the file after Keep, after the other maze's line
    } cases[] = {
        {"", ABestTime::None, 4000, true, key + ".h 4000\n"},
        {key + " 31\n", 3100, 3099, true, key + " 31\n" + key + ".h 3099\n"},
        {key + " 31\n", 3100, 3100, false, key + " 31\n"},
        {key + " 31\n" + key + ".h 3042\n", 3042, 3043, false, key + " 31\n" + key + ".h 3042\n"},
        {key + ".h 3042\n", 3042, 3041, true, key + ".h 3041\n"},
        {key + ".h 0\n", 0, 0, false, key + ".h 0\n"},
        {key + " 21474837\n", ABestTime::None, 50, true, key + " 21474837\n" + key + ".h 50\n"},
        {key + ".h -5\n", ABestTime::None, 40, true, key + ".h 40\n"},
        {"\x01\xff garbage", ABestTime::None, 40, true, key + ".h 40\n"},
        {key + " abc\n", ABestTime::None, 40, true, key + ".h 40\n"},
        {key + ".h 12 13\n", ABestTime::None, 40, true, key + ".h 40\n"},
        {key + ".h 99999999999\n", ABestTime::None, 40, true, key + ".h 40\n"},
        {key + "\t12\n", ABestTime::None, 40, true, key + ".h 40\n"},
    };
    std::filesystem::create_directories(Folder());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WriteText(Path(), other + c.text);
        best.Open(kMaze);
        EXPECT_EQ(best.Get(), c.read);
        EXPECT_EQ(best.OfferWin(c.win), c.fBest);
        EXPECT_EQ(best.GetPrevious(), c.fBest ? c.read : ABestTime::None);
        EXPECT_EQ(ReadText(Path()), other + c.text) << "nothing is written before Keep";
        best.Keep();
        EXPECT_EQ(ReadText(Path()), other + c.kept);
        ABestTime again;
        again.Open(kMaze);
        EXPECT_EQ(again.Get(), c.fBest ? c.win : c.read);
    }
}

TEST(BestTimeText, HundredthsAndDifferences)
{
    char text[24];
    const std::pair<int32_t, const char*> times[] = {{0, "00:00.00"}, {3127, "00:31.27"}, {8345, "01:23.45"},
                                                     {-5, "00:00.00"}, {600000, "100:00.00"}};
    for (const auto& [t, expected] : times) {
        ABestTime::Format(text, sizeof text, t);
        EXPECT_STREQ(text, expected);
    }
    const std::pair<int32_t, const char*> deltas[] = {{-42, "-0.42"}, {183, "+1.83"}, {0, "+0.00"}, {-6000, "-60.00"}};
    for (const auto& [d, expected] : deltas) {
        ABestTime::FormatDifference(text, sizeof text, d);
        EXPECT_STREQ(text, expected);
    }
}

TEST_F(BestTimeTest, RelativeStateHomeFallsBackToTheHomeFolderAndWithoutEitherTheBestIsNotKept)
{
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.Path().c_str(), 1);
    setenv("XDG_STATE_HOME", "relative/state", 1);
    best.Open(kMaze);
    EXPECT_TRUE(best.OfferWin(30));
    best.Keep();
    EXPECT_TRUE(std::filesystem::exists(home.Path() + "/.local/state/Orvande/Rollavex/best-times"));
    struct stat st {};
    ASSERT_EQ(stat((home.Path() + "/.local/state/Orvande/Rollavex").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "the folders are private to the player";
    unsetenv("HOME");
    best.Open(kMaze);
    EXPECT_EQ(best.Get(), ABestTime::None);
    EXPECT_TRUE(best.OfferWin(25)) << "still the best of this run";
    testing::internal::CaptureStderr();
    best.Keep();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be kept"), std::string::npos);
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
