#include "FileTestSupport.h"
#include "base/CException.h"
#include "base/FileSpec.h"
#include "common/assets/CFileIFF.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t kRiff = ChunkId("RIFF");
constexpr uint32_t kForm = ChunkId("MMFL");

using CFileIFFTest = FolderTest;

// RIFF sizes are little-endian, other kinds' big-endian; ids are reversed in both.
TEST_F(CFileIFFTest, WriterReversesIdsPadsAndPatchesSizesInTheKindsByteOrder)
{
    const Bytes form = {'M', 'R', 'O', 'F', 0, 0, 0, 16, 'T', 'S', 'E', 'T', 'd', 'c', 'b', 'a', 0, 0, 0, 3,
                        1,   2,   3,   0};
    const struct { uint32_t kind, type; Bytes expected; } cases[] = {
        {kRiff, kForm, Form(Chunk("dcba", Bytes{1, 2, 3}))}, {ChunkId("FORM"), ChunkId("TEST"), form}};
    for (const auto& [kind, type, expected] : cases) {
        CFileIFF file(kind, type);
        EXPECT_EQ(file.GetSwap(), kind != kRiff);
        ASSERT_EQ(file.Open(SpecFor("out"), 5), 0);
        file.BeginChunk(ChunkId("abcd"), 0);
        file.Write("\x01\x02\x03", 3);
        EXPECT_EQ(file.EndChunk(), 0);
        file.Close();
        EXPECT_EQ(ReadAllBytes(folder.File("out")), expected);
    }
    CFileIFF reader(ChunkId("FORM"), 0);
    reader.Open(SpecFor("out"), 2);
    ChunkHeader header;
    reader.Descend(&header);
    EXPECT_EQ(header.size, 3u) << "read back big-endian";
}

// The pad byte of odd chunks is also read by the archive and loader tests.
TEST_F(CFileIFFTest, ReaderTakesTheKindFromTheFileAndCountsWhatRemains)
{
    Bytes bytes = Form(Chunk("1naa", Text("abc")));
    bytes[0] = 'X'; // the outermost id is anything at all
    CFileIFF file(kRiff, 0);
    file.Open(Make("odd.mm", bytes), 2);
    EXPECT_EQ(file.GetKind(), ChunkId("RIFX"));
    EXPECT_EQ(file.GetRemaining(), int32_t(bytes.size()) - 12) << "no open chunk: the rest of the file";
    ChunkHeader header;
    file.Descend(&header);
    EXPECT_EQ(file.GetChunkSize(), 3u);
    EXPECT_EQ(file.GetRemaining(), 4) << "with its pad byte";
    file.Ascend();
    file.Ascend();
    EXPECT_EQ(file.Tell(), int32_t(bytes.size())) << "ascending without a chunk leaves the form";
    EXPECT_EQ(file.GetRemaining(), 0);
}

TEST_F(CFileIFFTest, DamagedFilesAndMisuseThrowTheirFaultAndLeaveTheFileAsItWas)
{
    Bytes noPad = Form(Chunk("atad", Text("abc")));
    noPad.pop_back();
    noPad[4] -= 1; // the form ends with the odd chunk's data
    ChunkHeader header;
    const auto none = [](CFileIFF&) {};
    const auto descend = [&](CFileIFF& f) { f.Descend(&header); };
    struct Case { Bytes bytes; uint32_t mode; std::function<void(CFileIFF&)> then; bool opened; const char* fault; };
    const Case cases[] = {
        {Form(Chunk("atad", Text("tiny"), 0x7FFFFFF0)), 2, descend, true, "win32/MFileMMIOline: 177"},
        {Chunk("FFIR", Text("LFMM"), 0xFFFFFFFFu), 2, none, false, "win32/MFileMMIOline: 177"},
        {Text("FFIR"), 2, none, false, "win32/MFileMMIOline: 177"},
        {Form(Bytes()), 4, none, false, "win32/MFileMMIOline: 287"}, // a read-only mode taken as writing
        {noPad, 2, [&](CFileIFF& f) { f.Descend(&header), f.Ascend(); }, true, "common/CFileIFFline: 220"},
        {Form(Bytes()), 2, [](CFileIFF& f) { f.Ascend(), f.Ascend(); }, true, "common/CFileIFFline: 211"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CFileIFF file(kRiff, kForm);
        const auto openThen = [&] { file.Open(Make("bad.mm", c.bytes), c.mode), c.then(file); };
        EXPECT_EQ(Thrown(openThen), "file: " + std::string(c.fault));
        EXPECT_EQ(file.IsOpen(), c.opened);
        EXPECT_EQ(ReadAllBytes(folder.File("bad.mm")), c.bytes);
        file.Close();
        EXPECT_EQ(file.Open(Make("good.mm", Form(Bytes())), 2), 0) << "reusable";
    }
}

TEST_F(CFileIFFTest, CloseEndsEveryChunkLeftOpenEndChunkWithoutOneThrowsAndExistenceModeOpensNothing)
{
    CFileIFF file(kRiff, kForm);
    file.Open(SpecFor("open.mm"), 5);
    file.BeginChunk(ChunkId("outr"), 0);
    file.BeginChunk(ChunkId("innr"), 0);
    file.WriteByte(7);
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ReadAllBytes(folder.File("open.mm")), Form(Chunk("rtuo", Chunk("rnni", Bytes{7}))));
    file.Open(SpecFor("e.mm"), 5);
    file.EndChunk();
    EXPECT_EQ(Thrown([&] { file.EndChunk(); }), "file: common/CFileIFFline: 144");
    EXPECT_NO_THROW(file.Close());
    EXPECT_EQ(ReadAllBytes(folder.File("e.mm")), Form(Bytes()));
    // Mode 9 only asks whether the file exists.
    EXPECT_EQ(file.Open(SpecFor("none.mm"), 9), 8);
    EXPECT_EQ(file.Open(Make("some.mm", Text("not a chunk file")), 9), 0);
    EXPECT_FALSE(file.IsOpen());
}

} // namespace
