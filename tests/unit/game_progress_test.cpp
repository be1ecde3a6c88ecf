// The player's progress through the mazes and the archive's maze table: round
// trips, and damaged files and tables.
#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include "FileTestSupport.h"
#include "common/assets/CFileMM.h"
#include "game/maze/AMazeSet.h"
#include "game/records/AProgress.h"

namespace {

class ProgressTest : public testing::Test {
protected:
    void SetUp() override { setenv("XDG_STATE_HOME", home.Path().c_str(), 1); }
    std::string File() const { return home.Path() + "/Orvande/Rollavex/progress"; }
    void Store(const std::string& text) const
    {
        std::filesystem::create_directories(home.Path() + "/Orvande/Rollavex");
        WriteText(File(), text);
    }

    TempFolder home;
};

TEST_F(ProgressTest, WinsOpenTheNextMazeAndTheLastPlayedIsKeptAcrossRuns)
{
    AProgress progress;
    progress.Read(3);
    EXPECT_EQ(progress.GetUnlocked() * 10 + progress.GetLast(), 11) << "a first run: maze 1";
    progress.Played(2);
    EXPECT_EQ(progress.GetLast(), 1) << "a locked maze is not played";
    progress.Won(1);
    progress.Played(2);
    progress.Won(3);
    EXPECT_EQ(progress.GetUnlocked(), 2) << "the last win of the set opens nothing";
    progress.Won(2);
    progress.Won(1);
    EXPECT_EQ(ReadText(File()), "last 2\nunlocked 2\n") << "a win is written by Keep";
    progress.Keep();
    AProgress again;
    again.Read(3);
    EXPECT_EQ(again.GetUnlocked() * 10 + again.GetLast(), 32);
    EXPECT_EQ(ReadText(File()), "last 2\nunlocked 3\n");
    EXPECT_TRUE(again.IsUnlocked(3) && !again.IsUnlocked(4) && !again.IsUnlocked(0));
}

// Damaged or unreadable files open maze 1 only and say so; more mazes than
// the set holds are cut to the set, and never is everything opened.
TEST_F(ProgressTest, DamagedFilesOpenMazeOneOnlyAndLargeOnesAreCut)
{
    const struct {
        const char* text; // null: a folder where the file should be
        int unlocked, last;
        bool told;
    } cases[] = {
        {"unlocked 4\nlast 3\n", 4, 3, false},
        {"unlocked 99\nlast 50\n", 12, 12, false},
        {"unlocked 5\nlast 9\n", 5, 5, false},
        {"unlocked 4\n", 1, 1, true},
        {"unlocked 0\nlast 1\n", 1, 1, true},
        {"unlocked -3\nlast -3\n", 1, 1, true},
        {"unlocked 2147483647x\nlast 1\n", 1, 1, true},
        {"unlocked 12\nlast 1\ngarbage\n", 1, 1, true},
        {"\x01\xff\xfe", 1, 1, true},
        {"", 1, 1, true},
        {nullptr, 1, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "a folder");
        std::filesystem::remove_all(File());
        if (c.text)
            Store(c.text);
        else
            std::filesystem::create_directories(File());
        testing::internal::CaptureStderr();
        AProgress progress;
        progress.Read(12);
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(progress.GetUnlocked(), c.unlocked);
        EXPECT_EQ(progress.GetLast(), c.last);
        EXPECT_EQ(told.find("progress file") != std::string::npos, c.told) << told;
    }
}

// An archive whose entry 14 holds the maze table; the map has 20 entries.
Bytes TableArchive(const Bytes& table, const char* tag = "ezam")
{
    constexpr uint32_t kEntries = 20, kFirst = 12 + 8 + 4 + 4 * kEntries;
    return Archive(kEntries, std::vector<uint32_t>(kEntries, kFirst), Chunk(tag, table));
}

struct Record {
    uint32_t board = 15, frame = 16;
    float values[5] = {-4.0f, 4.0f, 1.0f, -1.0f, 0.2f};
    std::string name = "Switchback";
    size_t nameBytes = 32;
};

Bytes Table(uint32_t count, const std::vector<Record>& records)
{
    Bytes table;
    AppendLE32(&table, count);
    for (const Record& r : records) {
        AppendLE32(&table, r.board);
        AppendLE32(&table, r.frame);
        for (float v : r.values) {
            uint32_t bits;
            std::memcpy(&bits, &v, sizeof bits);
            AppendLE32(&table, bits);
        }
        Bytes name = Text(r.name);
        name.resize(r.nameBytes, 0);
        Append(&table, name);
    }
    return table;
}

Record With(void (*change)(Record&))
{
    Record r;
    change(r);
    return r;
}

TEST(MazeSet, ReadsItsTableAndRefusesADamagedOneNamingTheFault)
{
    const std::string source = "file: game/AMazeSetline: ";
    const struct {
        Bytes table;
        const char* tag;
        std::string thrown;
    } cases[] = {
        {Table(2, {Record(), With([](Record& r) { r.name = "Garden Path"; })}), "ezam", "nothing"},
        {Table(1, {Record()}), "hsem", source + "31"},
        {Table(0, {}), "ezam", source + "36"},
        {Table(100, {}), "ezam", source + "36"},
        {Table(2, {Record()}), "ezam", source + "36"},
        {Table(1, {With([](Record& r) { r.name = ""; })}), "ezam", source + "52"},
        {Table(1, {With([](Record& r) { r.name = std::string(32, 'x'); })}), "ezam", source + "52"},
        {Table(1, {With([](Record& r) { r.name = "Tab\there"; })}), "ezam", source + "52"},
        {Table(1, {With([](Record& r) { r.name = std::string("A\0B", 3); })}), "ezam", source + "52"},
        {Table(1, {With([](Record& r) { r.board = 14; })}), "ezam", source + "52"},
        {Table(1, {With([](Record& r) { r.frame = 20; })}), "ezam", source + "52"},
        {Table(1, {With([](Record& r) { r.board = 9; })}), "ezam", source + "52"},
        {Table(1, {With([](Record& r) { r.values[0] = NAN; })}), "ezam", source + "52"},
        {Table(1, {With([](Record& r) { r.values[3] = 1e9f; })}), "ezam", source + "52"},
        {Table(1, {With([](Record& r) { r.values[4] = 0.0f; })}), "ezam", source + "52"},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.thrown);
        WriteAllBytes(folder.File("t.mm"), TableArchive(c.table, c.tag));
        CFileMM archive;
        ASSERT_EQ(archive.Open(FileSpec(folder.Path().c_str(), "t.mm"), 2), 0);
        AMazeSet mazes;
        EXPECT_EQ(Thrown([&] { mazes.ReadFrom(&archive); }), c.thrown);
        if (c.thrown == "nothing") {
            ASSERT_EQ(mazes.Count(), 2);
            EXPECT_STREQ(mazes.Get(2).szName, "Garden Path");
            EXPECT_EQ(mazes.Get(1).nFrameEntry, 16u);
            EXPECT_FLOAT_EQ(mazes.Get(1).fGoalY, -1.0f);
        }
    }
}

} // namespace
