#include <gtest/gtest.h>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>
#include "common/screen/CInputRecorder.h"
#include "FileTestSupport.h"

static long g_nAllocations = 0;

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

void operator delete(void* p) noexcept { std::free(p); }

void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Collects replayed events in order: the record's letter, then its values.
struct SinkLog : CInputRecorder::Sink {
    void DeliverMouse(uint32_t type, uint16_t x, uint16_t y) override { log.insert(log.end(), {'M', int(type), x, y}); }
    int DeliverKey(int kind, int key) override
    {
        log.insert(log.end(), {'K', kind, key});
        return 1;
    }
    void DeliverStage(int32_t stage) override { log.insert(log.end(), {'S', stage}); }
    std::vector<int> log;
};

const CScene* const kGame = reinterpret_cast<const CScene*>(0x1000);
const CScene* const kOther = reinterpret_cast<const CScene*>(0x2000);

std::string TempPath(const char* name) { return testing::TempDir() + name; }

// What the recorder's file errors throw, before the line that identifies each.
const std::string kThrown = "file: common/CInputRecorderline: ";

} // namespace

TEST(InputRecorder, RecordThenReplayFeedsTheSameTicksAndEvents)
{
    const std::string path = TempPath("rvx_roundtrip.rec");
    CInputRecorder rec;
    rec.StartRecording(path.c_str());
    rec.Attach(kGame, nullptr);
    rec.Stage(kGame, 4);
    rec.Stage(kOther, 5);
    rec.PassMouse(3, 100, 200);
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 16), 16);
    int32_t leanX = 5, leanY = -3;
    for (int i = 0; i < 2; ++i)
        rec.Lean(kGame, &leanX, &leanY); // written once, as it changes
    rec.Lean(kOther, &leanY, &leanX);
    EXPECT_EQ(rec.Ticks(kOther, CInputRecorder::kUpdatePass, 5), 5);
    rec.Ticks(kGame, CInputRecorder::kTickPass, 17);
    rec.PassKey(CInputRecorder::kKeyUp, 78);
    rec.Stage(kGame, 2);
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, -3), 0) << "a frame gets no fewer than none";
    rec.Detach(kOther); // not the attached scene: the recording goes on
    rec.Ticks(kGame, CInputRecorder::kTickPass, 25);
    // Each frame reaches the file at once, so a killed game keeps its recording.
    EXPECT_EQ(ReadText(path), "RVXREC 3\nS 4\nM 3 100 200\nU 16\nL 5 -3\nT 17\nK 2 78\nS 2\nU 0\nT 25\n");
    rec.Detach(kGame);

    SinkLog sink;
    setenv("RVX_REPLAY", path.c_str(), 1);
    setenv("RVX_RECORD", TempPath("rvx_env_out.rec").c_str(), 1);
    rec.StartFromEnvironment();
    unsetenv("RVX_REPLAY");
    unsetenv("RVX_RECORD");
    rec.Attach(kGame, &sink);
    EXPECT_EQ(rec.GetReplayStartStage(), 4);
    EXPECT_EQ(rec.PassMouse(3, 1, 1), 0) << "live input is dropped";
    EXPECT_EQ(rec.PassKey(CInputRecorder::kKeyDown, 27), 0);
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 1), 16);
    leanX = leanY = 0;
    rec.Lean(kGame, &leanX, &leanY);
    EXPECT_EQ(leanX * 100 + leanY, 5 * 100 - 3) << "the recorded lean replaces the live one";
    EXPECT_EQ(rec.Ticks(kOther, CInputRecorder::kUpdatePass, 9), 9);
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kTickPass, 1), 17);
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 1), 0);
    leanX = 40;
    rec.Lean(kGame, &leanX, &leanY);
    EXPECT_EQ(leanX, 5) << "and holds until the next L line";
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kTickPass, 1), 25);
    EXPECT_EQ(sink.log, (std::vector<int>{'S', 4, 'M', 3, 100, 200, 'K', 2, 78, 'S', 2}));
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 7), 7) << "the end hands control back";
    EXPECT_EQ(rec.GetMode(), CInputRecorder::kOff);
    EXPECT_EQ(rec.PassMouse(3, 1, 1), 1);

    WriteText(path, "RVXREC 1\nT 4\nU 5\n");
    rec.StartReplay(path.c_str());
    EXPECT_EQ(rec.GetReplayStartStage(), 1) << "an old recording plays the first stage";
    rec.Attach(kGame, nullptr);
    rec.Lean(kGame, &leanX, &leanY);
    EXPECT_EQ(leanX * 100 + leanY, 0) << "an old recording has no lean of the keys";
    EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 9), 9);
    EXPECT_EQ(rec.GetMode(), CInputRecorder::kOff);
    EXPECT_NE(rec.GetError().find("out of step"), std::string::npos);
}

// A replay that cannot be used throws, names its first bad line and leaves the recorder off.
TEST(InputRecorder, UnusableFilesThrowNamingTheFirstBadLine)
{
    const std::string path = TempPath("rvx_parse.rec");
    const struct { std::string text; size_t line; const char* why; } cases[] = {
        {"RVXREC 1\r\n# comment\n\nU 3\r\nK 4 121\nM 8 65535 0", 0, ""},
        {"", 1, "empty"},
        {"RVXREC 2\nU 1\nL -100 100\nL 0 0\n", 0, ""},
        {"RVXREC 3\nS 12\nU 1\nS 9999\n", 0, ""},
        {"RVXREC 4\nU 1\n", 1, "not a replay"},
        {"RVXREC 3\nS 0\n", 2, "stage"},
        {"RVXREC 3\nS 10000\n", 2, "stage"},
        {"RVXREC 2\nL 101 0\n", 2, "lean"},
        {"RVXREC 2\nL 5\n", 2, "lean"},
        {"RVXREC 1\nU\n", 2, "tick count"},
        {"RVXREC 1\nU 1x\n", 2, "tick count"},
        {"RVXREC 1\nT 26\n", 2, "tick count"},
        {"RVXREC 1\nU -1\n", 2, "tick count"},
        {"RVXREC 1\nU 1\nM 9 1 1\n", 3, "mouse event"},
        {"RVXREC 1\nM 3 1 70000\n", 2, "mouse event"},
        {"RVXREC 1\nM 3 -1 5\n", 2, "mouse event"},
        {"RVXREC 1\nK 5 78\n", 2, "key event"},
        {"RVXREC 1\nK 1\n", 2, "key event"},
        {"RVXREC 1\nU 1 2\n", 2, "after the record"},
        {"RVXREC 1\nZ 1\n", 2, "unknown"},
        {std::string("RVXREC 1\nU 1\nU \0 1\n", 19), 3, "binary"},
        // Replays found by fuzzing that once overflowed the intro countdown and the scene time.
        {ReadText(RVX_SOURCE_DIR "/tests/fuzz/regressions/replay/int_min_ticks.txt"), 2, "tick count"},
        {ReadText(RVX_SOURCE_DIR "/tests/fuzz/regressions/replay/negative_ticks.txt"), 2, "tick count"},
    };
    CInputRecorder rec;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WriteText(path, c.text);
        EXPECT_EQ(Thrown([&] { rec.StartReplay(path.c_str()); }), c.line ? kThrown + "88" : "nothing");
        const std::string& error = rec.GetError();
        const std::string where = c.line ? "line " + std::to_string(c.line) + ": " : "";
        EXPECT_TRUE(error.find(where) != std::string::npos && error.find(c.why) != std::string::npos) << error;
    }
    EXPECT_EQ(Thrown([&] { rec.StartReplay(TempPath("rvx_none.rec").c_str()); }), kThrown + "74");
    EXPECT_NE(rec.GetError().find("cannot read"), std::string::npos);
    EXPECT_EQ(Thrown([&] { rec.StartRecording("/nonexistent-dir/x.rec"); }), kThrown + "61");
    EXPECT_EQ(rec.GetMode(), CInputRecorder::kOff);
}

// Many frames: the write buffer fills and is written out, and no frame allocates.
TEST(InputRecorder, LongGamesAreRecordedAndReplayedWholeWithoutAllocating)
{
    const std::string path = TempPath("rvx_long.rec");
    CInputRecorder rec;
    setenv("RVX_RECORD", path.c_str(), 1);
    rec.StartFromEnvironment();
    unsetenv("RVX_RECORD");
    rec.Attach(kGame, nullptr);
    const long before = g_nAllocations;
    for (int i = 0; i < 5000; ++i) {
        rec.PassMouse(1, static_cast<uint16_t>(i), 3);
        rec.PassKey(CInputRecorder::kKeyDown, 37);
        rec.Ticks(kGame, CInputRecorder::kUpdatePass, 16);
    }
    EXPECT_EQ(g_nAllocations - before, 0);
    rec.Stop();

    rec.StartReplay(path.c_str());
    rec.Attach(kGame, nullptr);
    const long replayBefore = g_nAllocations;
    for (int i = 0; i < 5000; ++i)
        EXPECT_EQ(rec.Ticks(kGame, CInputRecorder::kUpdatePass, 1), 16);
    EXPECT_EQ(g_nAllocations - replayBefore, 0);
    EXPECT_EQ(rec.GetReplayPosition(), rec.GetReplayLength());
}

// A recording that cannot be written is told once, when the first frame
// fails to reach the file, and stays failed after it ends.
TEST(InputRecorder, ARecordingToAFullDiskIsToldAtOnce)
{
    CInputRecorder rec;
    rec.StartRecording("/dev/full");
    rec.Attach(kGame, nullptr);
    testing::internal::CaptureStderr();
    rec.Ticks(kGame, CInputRecorder::kUpdatePass, 5);
    EXPECT_FALSE(rec.HasWriteFailed()) << "nothing written before the frame ends";
    rec.Ticks(kGame, CInputRecorder::kTickPass, 5);
    EXPECT_TRUE(rec.HasWriteFailed());
    rec.Ticks(kGame, CInputRecorder::kTickPass, 5);
    rec.Detach(kGame);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(told, "Rollavex: /dev/full: the recording could not be written: No space left on device\n");
    EXPECT_TRUE(rec.HasWriteFailed());
}
