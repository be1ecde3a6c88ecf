#include "FileTestSupport.h"
#include "base/CException.h"
#include "base/FileSpec.h"
#include "common/CFileIFF.h"
#include <gtest/gtest.h>

namespace {

constexpr uint32_t kRiff = ChunkId("RIFF");
constexpr uint32_t kForm = ChunkId("MMFL");

class CFileIFFTest : public FolderTest {
protected:
    // "FFIR", size, "LFMM", then the chunks.
    static Bytes Form(const Bytes& chunks)
    {
        Bytes data = Text("LFMM");
        Append(&data, chunks);
        return Chunk("FFIR", data);
    }
};

TEST_F(CFileIFFTest, WriterProducesReversedIdsAndPatchedSizes)
{
    CFileIFF file(kRiff, kForm);
    EXPECT_FALSE(file.GetSwap());
    ASSERT_EQ(file.Open(SpecFor("out.mm"), 5), 0);
    file.BeginChunk(ChunkId("map "), 0);
    file.Write("\x01\x02\x03\x04", 4);
    EXPECT_EQ(file.EndChunk(), 0);
    file.Close();

    Bytes expected = Text("FFIR");
    AppendLE32(&expected, 16);
    Append(&expected, Text("LFMM pam"));
    AppendLE32(&expected, 4);
    Append(&expected, Bytes{1, 2, 3, 4});
    EXPECT_EQ(ReadAllBytes(folder.File("out.mm")), expected);
}

TEST_F(CFileIFFTest, OtherKindsWriteBigEndianSizesAndStillReverseIds)
{
    CFileIFF file(ChunkId("FORM"), ChunkId("TEST"));
    EXPECT_TRUE(file.GetSwap());
    file.Open(SpecFor("be.iff"), 7);
    file.BeginChunk(ChunkId("abcd"), 0);
    file.Write("xyz", 3);
    file.EndChunk();
    file.Close();

    const Bytes expected = {'M', 'R', 'O', 'F', 0, 0, 0, 16, 'T', 'S', 'E', 'T', 'd', 'c', 'b', 'a', 0, 0, 0, 3,
                            'x', 'y', 'z', 0};
    EXPECT_EQ(ReadAllBytes(folder.File("be.iff")), expected);

    CFileIFF reader(ChunkId("FORM"), 0);
    reader.Open(SpecFor("be.iff"), 2);
    EXPECT_EQ(reader.GetFormType(), ChunkId("TEST"));
    ChunkHeader header;
    reader.Descend(&header);
    EXPECT_EQ(header.id, ChunkId("abcd"));
    EXPECT_EQ(header.size, 3u);
}

TEST_F(CFileIFFTest, OddChunkCountsItsPadByteAndAscendSkipsIt)
{
    Bytes chunks = Chunk("1naa", Text("abc"));
    Append(&chunks, Chunk("2naa", Text("de")));
    CFileIFF file(kRiff, 0);
    file.Open(Make("odd.mm", Form(chunks)), 2);
    EXPECT_EQ(file.GetKind(), kRiff);
    EXPECT_EQ(file.GetFormType(), kForm);
    EXPECT_EQ(file.GetDepth(), 1u);

    ChunkHeader header;
    file.Descend(&header);
    EXPECT_EQ(header.id, ChunkId("aan1"));
    EXPECT_EQ(file.GetChunkSize(), 3u);
    EXPECT_EQ(file.GetRemaining(), 4);
    char one;
    file.Read(&one, 1);
    EXPECT_EQ(file.GetRemaining(), 3);
    file.Ascend();
    EXPECT_EQ(file.Tell(), 12 + 12);
    file.Descend(&header);
    EXPECT_EQ(header.id, ChunkId("aan2"));
    EXPECT_EQ(file.GetChunkSize(), 2u);
    file.Ascend();
    EXPECT_EQ(file.GetChunkSize(), 2u); // not restored by Ascend
}

TEST_F(CFileIFFTest, AscendWithoutDescendLeavesTheFormThenThrows)
{
    CFileIFF file(kRiff, kForm);
    const Bytes bytes = Form(Chunk("atad", Text("12345678")));
    file.Open(Make("a.mm", bytes), 2);
    file.Ascend();
    EXPECT_EQ(file.Tell(), int32_t(bytes.size()));
    EXPECT_EQ(Thrown([&] { file.Ascend(); }), "file: common/CFileIFFline: 211");
}

TEST_F(CFileIFFTest, ReaderTakesTheKindFromTheFile)
{
    Bytes bytes = Form(Bytes());
    bytes[0] = 'X'; // the outermost id is anything at all
    CFileIFF file(kRiff, 0);
    file.Open(Make("k.mm", bytes), 1);
    EXPECT_EQ(file.GetKind(), ChunkId("RIFX"));
    EXPECT_EQ(file.GetMode(), 1u);
}

TEST_F(CFileIFFTest, CloseEndsAndPadsEveryChunkTheWriterLeftOpen)
{
    CFileIFF file(kRiff, kForm);
    file.Open(SpecFor("open.mm"), 5);
    file.BeginChunk(ChunkId("outr"), 0);
    file.BeginChunk(ChunkId("innr"), 0);
    file.WriteByte(7);
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ReadAllBytes(folder.File("open.mm")), Form(Chunk("rtuo", Chunk("rnni", Bytes{7}))));
}

TEST_F(CFileIFFTest, EndChunkWithoutAChunkThrows)
{
    CFileIFF file(kRiff, kForm);
    file.Open(SpecFor("e.mm"), 5);
    file.EndChunk();
    EXPECT_EQ(Thrown([&] { file.EndChunk(); }), "file: common/CFileIFFline: 144");
    EXPECT_NO_THROW(file.Close());
    EXPECT_EQ(ReadAllBytes(folder.File("e.mm")), Form(Bytes()));
}

TEST_F(CFileIFFTest, ExistenceModeNeitherOpensNorReads)
{
    CFileIFF file(kRiff, kForm);
    EXPECT_EQ(file.Open(SpecFor("none.mm"), 9), 8);
    EXPECT_EQ(file.Open(Make("some.mm", Text("not a chunk file")), 9), 0);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.GetMode(), 9u);
}

TEST_F(CFileIFFTest, ChunkClaimingMoreThanTheFileHoldsThrows)
{
    Bytes chunk = Text("atad");
    AppendLE32(&chunk, 0x7FFFFFF0u);
    Append(&chunk, Text("tiny"));
    CFileIFF file(kRiff, kForm);
    file.Open(Make("big.mm", Form(chunk)), 2);
    ChunkHeader header;
    EXPECT_EQ(Thrown([&] { file.Descend(&header); }), "file: win32/MFileMMIOline: 177");
    EXPECT_EQ(file.GetDepth(), 1u);

    Bytes form = Text("FFIR");
    AppendLE32(&form, 0xFFFFFFFFu);
    Append(&form, Text("LFMM"));
    CFileIFF other(kRiff, kForm);
    EXPECT_EQ(Thrown([&] { other.Open(Make("form.mm", form), 2); }), "file: win32/MFileMMIOline: 177");
}

TEST_F(CFileIFFTest, FailedOpenLeavesTheObjectClosedAndReusable)
{
    CFileIFF file(kRiff, kForm);
    EXPECT_EQ(Thrown([&] { file.Open(Make("short.mm", Text("FFIR")), 2); }), "file: win32/MFileMMIOline: 177");
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Open(Make("good.mm", Form(Bytes())), 2), 0);
    EXPECT_TRUE(file.IsOpen());
}

TEST_F(CFileIFFTest, ReadOnlyModesTreatedAsWritingFailCleanly)
{
    CFileIFF file(kRiff, kForm);
    const Bytes bytes = Form(Bytes());
    EXPECT_EQ(Thrown([&] { file.Open(Make("four.mm", bytes), 4); }), "file: win32/MFileMMIOline: 287");
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ReadAllBytes(folder.File("four.mm")), bytes);
}

TEST_F(CFileIFFTest, MissingFinalPadByteMakesAscendThrow)
{
    Bytes bytes = Form(Chunk("atad", Text("abc")));
    bytes.pop_back();
    bytes[4] -= 1; // the form ends with the odd chunk's data
    CFileIFF file(kRiff, kForm);
    file.Open(Make("nopad.mm", bytes), 2);
    ChunkHeader header;
    file.Descend(&header);
    EXPECT_EQ(Thrown([&] { file.Ascend(); }), "file: common/CFileIFFline: 220");
}

TEST_F(CFileIFFTest, RemainingWithNoOpenChunkIsTheRestOfTheFile)
{
    CFileIFF file(kRiff, kForm);
    const Bytes bytes = Form(Chunk("atad", Text("abcd")));
    file.Open(Make("r.mm", bytes), 2);
    EXPECT_EQ(file.GetRemaining(), int32_t(bytes.size()) - 12);
    file.Ascend();
    file.Seek(2, 0);
    EXPECT_EQ(file.GetRemaining(), int32_t(bytes.size()) - 2);
}

} // namespace
