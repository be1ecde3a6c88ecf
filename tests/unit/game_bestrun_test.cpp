// The best run: its file read and written, damaged files, and where it was
// at the clock's ticks.
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include "FileTestSupport.h"
#include "game/records/ABestRun.h"

namespace {

constexpr uint64_t kMaze = 0xABCDEFull;

class BestRunTest : public testing::Test {
protected:
    void SetUp() override { setenv("XDG_STATE_HOME", home.Path().c_str(), 1); }
    std::string Path() const { return home.Path() + "/Orvande/Rollavex/best-run-0000000000abcdef"; }

    TempFolder home;
};

TEST_F(BestRunTest, ARunTakenIsKeptAndFollowedByTheClock)
{
    ABestRun run;
    run.Open(kMaze);
    EXPECT_FALSE(run.HasBest());
    run.StartRun();
    for (int32_t t = 0; t <= 40; ++t) // noted a step apart, whatever the frames
        run.Note(t, MVector3(float(t), 2.0f * float(t), -1.0f));
    run.Note(41, MVector3(50.0f, 0.0f, 0.0f), true); // the goal, noted at once
    run.TakeRun();
    EXPECT_FALSE(std::filesystem::exists(Path())) << "written by Keep, after the winning frame";
    run.Keep();
    ABestRun again;
    again.Open(kMaze);
    ASSERT_TRUE(again.HasBest());
    EXPECT_EQ(again.GetBestTicks(), 41);
    const struct {
        int32_t ticks;
        float x, y;
    } places[] = {{-5, 0, 0}, {0, 0, 0}, {4, 4, 8}, {6, 6, 12}, {38, 38, 76}, {40, 40, 80}, {41, 50, 0}, {900, 50, 0}};
    for (const auto& p : places) {
        SCOPED_TRACE(p.ticks);
        const MVector3 at = again.At(p.ticks);
        EXPECT_FLOAT_EQ(at.x, p.x);
        EXPECT_FLOAT_EQ(at.y, p.y);
    }
    EXPECT_EQ(ReadText(Path()).rfind("RVXRUN 1\n0 0.0000 0.0000 -1.0000\n4 4.0000 8.0000 -1.0000\n", 0), 0u);
}

// A damaged file is told on standard error and shows no ghost.
TEST_F(BestRunTest, DamagedFilesAreToldAndIgnored)
{
    const std::string good = "RVXRUN 1\n0 1 2 3\n4 1 2 3\n";
    const struct {
        std::string text;
        bool fBest;
    } cases[] = {
        {good, true},
        {"RVXRUN 2\n0 1 2 3\n", false},
        {"RVXRUN 1\n", false},
        {"RVXRUN 1\n4 1 2 3\n", false},
        {"RVXRUN 1\n0 1 2 3\n0 1 2 3\n", false},
        {"RVXRUN 1\n0 1 2 3\n8 1 2 nan\n", false},
        {"RVXRUN 1\n0 1 2 3\n8 1 2 1e9\n", false},
        {"RVXRUN 1\n0 1 2\n", false},
        {"RVXRUN 1\n0 1 2 3 4\n", false},
        {std::string("RVXRUN 1\n0 1\0 2 3\n", 19), false},
    };
    std::filesystem::create_directories(home.Path() + "/Orvande/Rollavex");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WriteText(Path(), c.text);
        testing::internal::CaptureStderr();
        ABestRun run;
        run.Open(kMaze);
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(run.HasBest(), c.fBest);
        EXPECT_EQ(told.find("is damaged") != std::string::npos, !c.fBest) << told;
    }
}

} // namespace
