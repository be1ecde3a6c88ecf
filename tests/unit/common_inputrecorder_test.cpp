#include <gtest/gtest.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "base/CException.h"
#include "common/CInputRecorder.h"
#include "common/CScene.h"

namespace {
std::atomic<long> g_nAllocations{0};
} // namespace

// Counts every allocation of the test program. The replacements pair malloc with
// free themselves, which the compiler cannot see through.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    ++g_nAllocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

// Collects replayed events in order.
class SinkLog : public CInputRecorder::Sink {
public:
    void DeliverMouse(uint32_t type, uint16_t x, uint16_t y) override
    {
        log.push_back("M" + std::to_string(type) + "," + std::to_string(x) + "," + std::to_string(y));
        // A replayed event goes through the dispatch hook like a live one.
        passed.push_back(recorder->PassMouse(type, x, y));
    }
    int DeliverKey(int kind, int key) override
    {
        log.push_back("K" + std::to_string(kind) + "," + std::to_string(key));
        passed.push_back(recorder->PassKey(kind, key));
        return 1;
    }
    CInputRecorder* recorder = nullptr;
    std::vector<std::string> log;
    std::vector<int> passed;
};

const CScene* const kGame = reinterpret_cast<const CScene*>(0x1000);
const CScene* const kOther = reinterpret_cast<const CScene*>(0x2000);

std::string TempPath(const char* name)
{
    return testing::TempDir() + name;
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Plays one fixed session through the hooks: what a scene engine would do.
std::vector<int> PlaySession(CInputRecorder& rec)
{
    std::vector<int> ticks;
    rec.PassMouse(3, 100, 200);
    ticks.push_back(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 16));
    ticks.push_back(rec.Ticks(kOther, CInputRecorder::kUpdatePass, 5));
    ticks.push_back(rec.Ticks(kGame, CInputRecorder::kTickPass, 17));
    rec.PassMouse(1, 110, 190);
    rec.PassKey(CInputRecorder::kKeyDown, 78);
    rec.PassKey(CInputRecorder::kKeyUp, 78);
    ticks.push_back(rec.Ticks(kGame, CInputRecorder::kUpdatePass, -3));
    ticks.push_back(rec.Ticks(kGame, CInputRecorder::kTickPass, 25));
    return ticks;
}

TEST(InputRecorder, RecordThenReplayFeedsTheSameTicksAndEvents)
{
    const std::string path = TempPath("rvx_roundtrip.rec");
    SinkLog sink;
    {
        CInputRecorder rec;
        rec.StartRecording(path.c_str());
        rec.Attach(kGame, &sink);
        EXPECT_EQ(PlaySession(rec), (std::vector<int>{16, 5, 17, 0, 25})) << "a frame gets no fewer than none";
        rec.Detach(kGame);
    }
    EXPECT_EQ(ReadFile(path), "RVXREC 1\nM 3 100 200\nU 16\nT 17\nM 1 110 190\nK 1 78\nK 2 78\nU 0\nT 25\n");

    CInputRecorder rec;
    sink.recorder = &rec;
    rec.StartReplay(path.c_str());
    rec.Attach(kGame, &sink);
    ASSERT_EQ(rec.GetMode(), CInputRecorder::kReplaying);
    // Live input is dropped while replaying.
    EXPECT_EQ(rec.PassMouse(3, 1, 1), 0);
    EXPECT_EQ(rec.PassKey(CInputRecorder::kKeyDown, 27), 0);
    // Measured ticks are replaced by the recorded ones; other scenes keep theirs.
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 1), 16);
    EXPECT_EQ(sink.log, (std::vector<std::string>{"M3,100,200"}));
    EXPECT_EQ(rec.Ticks(kOther, CInputRecorder::kUpdatePass, 9), 9);
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kTickPass, 1), 17);
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 1), 0);
    EXPECT_EQ(sink.log, (std::vector<std::string>{"M3,100,200", "M1,110,190", "K1,78", "K2,78"}));
    EXPECT_EQ(sink.passed, (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kTickPass, 1), 25);
    // The end of the file hands control back to the player.
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 7), 7);
    EXPECT_EQ(rec.GetMode(), CInputRecorder::kOff);
    EXPECT_EQ(rec.PassMouse(3, 1, 1), 1);
}

TEST(InputRecorder, ReplayOutOfStepStopsAndGivesBackControl)
{
    const std::string path = TempPath("rvx_step.rec");
    WriteFile(path, "RVXREC 1\nT 4\nU 5\n");
    CInputRecorder rec;
    rec.StartReplay(path.c_str());
    rec.Attach(kGame, nullptr);
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 9), 9);
    EXPECT_EQ(rec.GetMode(), CInputRecorder::kOff);
    EXPECT_NE(rec.GetError().find("out of step"), std::string::npos);
}

TEST(InputRecorder, ParseSkipsCommentsBlankLinesAndCarriageReturns)
{
    std::vector<CInputRecorder::Record> out;
    std::string why;
    EXPECT_EQ(CInputRecorder::Parse("RVXREC 1\r\n# a comment\n\nU 3\r\nK 4 121\nM 8 65535 0", out, why), 0u);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].cKind, 'U');
    EXPECT_EQ(out[0].lValue, 3);
    EXPECT_EQ(out[1].cKind, 'K');
    EXPECT_EQ(out[1].wX, 121);
    EXPECT_EQ(out[2].wX, 65535);
}

struct BrokenCase {
    const char* text;
    size_t line;
    const char* why;
};

class BrokenReplay : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenReplay, NamesTheBadLine)
{
    std::vector<CInputRecorder::Record> out;
    std::string why;
    EXPECT_EQ(CInputRecorder::Parse(GetParam().text, out, why), GetParam().line);
    EXPECT_NE(why.find(GetParam().why), std::string::npos) << why;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenReplay,
    testing::Values(BrokenCase{"", 1, "empty"}, BrokenCase{"RVXREC 2\nU 1\n", 1, "not a replay"},
                    BrokenCase{"RVXREC 1\nU\n", 2, "tick count"}, BrokenCase{"RVXREC 1\nU 1x\n", 2, "tick count"},
                    BrokenCase{"RVXREC 1\nU 99999999999\n", 2, "tick count"},
                    BrokenCase{"RVXREC 1\nT 26\n", 2, "tick count"}, BrokenCase{"RVXREC 1\nU -1\n", 2, "tick count"},
                    BrokenCase{"RVXREC 1\nU 1\nM 9 1 1\n", 3, "mouse event"},
                    BrokenCase{"RVXREC 1\nM 3 1 70000\n", 2, "mouse event"},
                    BrokenCase{"RVXREC 1\nM 3 -1 5\n", 2, "mouse event"},
                    BrokenCase{"RVXREC 1\nK 5 78\n", 2, "key event"}, BrokenCase{"RVXREC 1\nK 1\n", 2, "key event"},
                    BrokenCase{"RVXREC 1\nU 1 2\n", 2, "after the record"}, BrokenCase{"RVXREC 1\nZ 1\n", 2, "unknown"},
                    BrokenCase{"RVXREC 1\nU 1\n\x01\x02garbage", 3, "unknown"}));

// Replays that once overflowed the intro countdown and the scene time.
TEST(InputRecorder, ParseRejectsTheNegativeTicksFoundByFuzzing)
{
    for (const char* name : {"int_min_ticks.txt", "negative_ticks.txt"}) {
        std::vector<CInputRecorder::Record> out;
        std::string why;
        const std::string text = ReadFile(std::string(RVX_SOURCE_DIR) + "/tests/fuzz/regressions/replay/" + name);
        EXPECT_EQ(CInputRecorder::Parse(text, out, why), 2u) << name;
    }
}

TEST(InputRecorder, ParseRejectsBinaryData)
{
    std::vector<CInputRecorder::Record> out;
    std::string why;
    EXPECT_EQ(CInputRecorder::Parse(std::string("RVXREC 1\nU 1\nU \0 1\n", 19), out, why), 3u);
    EXPECT_NE(why.find("binary"), std::string::npos);
}

TEST(InputRecorder, BrokenReplayFileThrowsWithAClearReason)
{
    const std::string path = TempPath("rvx_broken.rec");
    WriteFile(path, "RVXREC 1\nU 16\nM 3 100\n");
    CInputRecorder rec;
    try {
        rec.StartReplay(path.c_str());
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_STREQ(e.GetSource(), "common/CInputRecorder");
    }
    EXPECT_NE(rec.GetError().find("line 3: expected a mouse event"), std::string::npos) << rec.GetError();
    EXPECT_EQ(rec.GetMode(), CInputRecorder::kOff);
    EXPECT_EQ(rec.PassMouse(3, 1, 1), 1);
}

TEST(InputRecorder, MissingReplayFileThrows)
{
    CInputRecorder rec;
    EXPECT_THROW(rec.StartReplay(TempPath("rvx_does_not_exist.rec").c_str()), CFileException);
    EXPECT_NE(rec.GetError().find("cannot read"), std::string::npos);
}

TEST(InputRecorder, UnwritableRecordingThrows)
{
    CInputRecorder rec;
    EXPECT_THROW(rec.StartRecording("/nonexistent-dir/x.rec"), CFileException);
    EXPECT_EQ(rec.GetMode(), CInputRecorder::kOff);
}

TEST(InputRecorder, EnvironmentChoosesTheMode)
{
    const std::string path = TempPath("rvx_env.rec");
    WriteFile(path, "RVXREC 1\nU 2\n");
    setenv("RVX_REPLAY", path.c_str(), 1);
    setenv("RVX_RECORD", TempPath("rvx_env_out.rec").c_str(), 1);
    CInputRecorder rec;
    rec.StartFromEnvironment();
    EXPECT_EQ(rec.GetMode(), CInputRecorder::kReplaying);
    unsetenv("RVX_REPLAY");
    CInputRecorder rec2;
    rec2.StartFromEnvironment();
    EXPECT_EQ(rec2.GetMode(), CInputRecorder::kRecording);
    unsetenv("RVX_RECORD");
}

TEST(InputRecorder, EachFrameReachesTheFileAtOnce)
{
    const std::string path = TempPath("rvx_flush.rec");
    CInputRecorder rec;
    rec.StartRecording(path.c_str());
    rec.Attach(kGame, nullptr);
    rec.PassKey(CInputRecorder::kKeyUp, 27);
    rec.Ticks(kGame, CInputRecorder::kUpdatePass, 3);
    rec.Ticks(kGame, CInputRecorder::kTickPass, 4);
    EXPECT_EQ(ReadFile(path), "RVXREC 1\nK 2 27\nU 3\nT 4\n");
}

TEST(InputRecorder, LongRecordingIsWrittenCompletely)
{
    const std::string path = TempPath("rvx_long.rec");
    {
        CInputRecorder rec;
        rec.StartRecording(path.c_str());
        rec.Attach(kGame, nullptr);
        for (int i = 0; i < 20000; ++i)
            rec.PassMouse(1, static_cast<uint16_t>(i), 7);
    }
    std::vector<CInputRecorder::Record> out;
    std::string why;
    ASSERT_EQ(CInputRecorder::Parse(ReadFile(path), out, why), 0u) << why;
    ASSERT_EQ(out.size(), 20000u);
    EXPECT_EQ(out.back().wX, 19999);
}

// Replays into nothing.
class NullSink : public CInputRecorder::Sink {
public:
    void DeliverMouse(uint32_t, uint16_t, uint16_t) override {}
    int DeliverKey(int, int) override { return 1; }
};

TEST(InputRecorder, FramesAllocateNothingWhileRecordingOrReplaying)
{
    const std::string path = TempPath("rvx_alloc.rec");
    NullSink sink;
    CInputRecorder rec;
    rec.StartRecording(path.c_str());
    rec.Attach(kGame, &sink);
    const long before = g_nAllocations;
    for (int i = 0; i < 5000; ++i) {
        rec.PassMouse(1, static_cast<uint16_t>(i), 3);
        rec.PassKey(CInputRecorder::kKeyDown, 37);
        rec.Ticks(kGame, CInputRecorder::kUpdatePass, 16);
        rec.Ticks(kGame, CInputRecorder::kTickPass, 16);
    }
    EXPECT_EQ(g_nAllocations - before, 0);
    rec.Stop();

    rec.StartReplay(path.c_str());
    rec.Attach(kGame, &sink);
    const long replayBefore = g_nAllocations;
    for (int i = 0; i < 5000; ++i) {
        EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 1), 16);
        rec.Ticks(kGame, CInputRecorder::kTickPass, 1);
    }
    EXPECT_EQ(g_nAllocations - replayBefore, 0);
    EXPECT_EQ(rec.GetReplayPosition(), rec.GetReplayLength());
}

} // namespace
