#include "FileTestSupport.h"
#include "base/CException.h"
#include "base/FileSpec.h"
#include "common/CFileMM.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct TestChunk {
    uint32_t id;
    std::string data;
};
using Group = std::vector<TestChunk>;

class CFileMMTest : public FolderTest {
protected:
    // Writes an archive with the chunk writer: the map, then each group,
    // then the entry offsets patched into the map.
    FileSpec WriteArchive(const std::string& name, const std::vector<Group>& groups)
    {
        CFileIFF out(ChunkId("RIFF"), ChunkId("MMFL"));
        out.Open(SpecFor(name), 5);
        out.BeginChunk(ChunkId("map "), 0);
        out.WriteULong(uint32_t(groups.size()));
        for (size_t i = 0; i < groups.size(); ++i)
            out.WriteULong(0);
        out.EndChunk();
        std::vector<int32_t> offsets;
        for (const Group& group : groups) {
            offsets.push_back(out.Tell());
            for (const TestChunk& chunk : group) {
                out.BeginChunk(chunk.id, 0);
                out.Write(chunk.data.data(), int32_t(chunk.data.size()));
                out.EndChunk();
            }
        }
        for (size_t i = 0; i < offsets.size(); ++i) {
            out.Seek(24 + 4 * int32_t(i), 0);
            out.WriteULong(uint32_t(offsets[i]));
        }
        out.Seek(0, 2);
        out.Close();
        return SpecFor(name);
    }

    static std::string ReadChunk(CFileMM& mm, uint32_t expectedId)
    {
        ChunkHeader header;
        mm.Descend(&header);
        EXPECT_EQ(header.id, expectedId);
        std::string data(size_t(mm.GetRemaining()), '\0');
        mm.Read(data.data(), int32_t(data.size()));
        mm.Ascend();
        return data.substr(0, header.size);
    }

    // "FFIR" size "LFMM", a map chunk with count and offsets, then more.
    static Bytes Archive(uint32_t count, const std::vector<uint32_t>& offsets, const Bytes& after)
    {
        Bytes map;
        AppendLE32(&map, count);
        for (uint32_t offset : offsets)
            AppendLE32(&map, offset);
        Bytes data = Text("LFMM");
        Append(&data, Chunk(" pam", map));
        Append(&data, after);
        return Chunk("FFIR", data);
    }

    CFileMM mm;
};

TEST_F(CFileMMTest, WrittenArchiveReadsBackEntryByEntry)
{
    std::vector<Group> groups(14, Group{{ChunkId("fill"), ""}});
    groups[1] = {{ChunkId("wave"), "intro"}, {ChunkId("wave"), "goal!"}, {ChunkId("wave"), "fall"}};
    groups[2] = {{ChunkId("anim"), "buttons"}, {ChunkId("rgba"), "pic"}, {ChunkId("mesh"), "table"}};
    groups[13] = {{ChunkId("mesh"), "ball"}};
    ASSERT_EQ(mm.Open(WriteArchive("game.mm", groups), 2), 0);
    ASSERT_EQ(mm.GetEntryCount(), 14);
    EXPECT_EQ(mm.GetEntryOffset(0), 20u + 4 + 14 * 4);

    mm.SeekEntryPoint(13);
    EXPECT_EQ(ReadChunk(mm, ChunkId("mesh")), "ball");
    mm.SeekEntryPoint(1);
    EXPECT_EQ(ReadChunk(mm, ChunkId("wave")), "intro");
    EXPECT_EQ(ReadChunk(mm, ChunkId("wave")), "goal!");
    EXPECT_EQ(ReadChunk(mm, ChunkId("wave")), "fall");
    EXPECT_EQ(mm.Tell(), int32_t(mm.GetEntryOffset(2)));
    for (int pass = 0; pass < 2; ++pass) {
        mm.SeekEntryPoint(2);
        EXPECT_EQ(ReadChunk(mm, ChunkId("anim")), "buttons");
        EXPECT_EQ(ReadChunk(mm, ChunkId("rgba")), "pic");
        EXPECT_EQ(ReadChunk(mm, ChunkId("mesh")), "table");
    }
    EXPECT_EQ(mm.GetDepth(), 1u);
    mm.Close();
    EXPECT_FALSE(mm.IsOpen());
}

TEST_F(CFileMMTest, EntryIndexOutOfRangeThrows)
{
    mm.Open(WriteArchive("three.mm", std::vector<Group>(3)), 2);
    EXPECT_EQ(Thrown([&] { mm.SeekEntryPoint(3); }), "file: common/CFileMMline: 152");
    EXPECT_EQ(Thrown([&] { mm.SeekEntryPoint(0xFFFFFFFFu); }), "file: common/CFileMMline: 152");
    EXPECT_NO_THROW(mm.SeekEntryPoint(2));
}

TEST_F(CFileMMTest, EmptyMapOpensButEverySeekThrows)
{
    ASSERT_EQ(mm.Open(Make("empty.mm", Archive(0, {}, {})), 2), 0);
    EXPECT_EQ(mm.GetEntryCount(), 0);
    EXPECT_EQ(Thrown([&] { mm.SeekEntryPoint(0); }), "file: common/CFileMMline: 152");
}

TEST_F(CFileMMTest, FirstFourBytesAreNotChecked)
{
    Bytes bytes = Archive(1, {24}, {});
    bytes[0] = 'Z', bytes[1] = 'Z', bytes[2] = 'Z', bytes[3] = 'Z';
    EXPECT_EQ(mm.Open(Make("any.mm", bytes), 2), 0);
    EXPECT_EQ(mm.GetEntryCount(), 1);
}

TEST_F(CFileMMTest, OddMapChunkIsLeftBehindItsPadByte)
{
    Bytes map;
    AppendLE32(&map, 1);
    AppendLE32(&map, 30);
    map.push_back('x');
    Bytes data = Text("LFMM");
    Append(&data, Chunk(" pam", map));
    Append(&data, Chunk("hsem", Text("ok")));
    mm.Open(Make("oddmap.mm", Chunk("FFIR", data)), 2);
    EXPECT_EQ(mm.Tell(), 30);
    mm.SeekEntryPoint(0);
    EXPECT_EQ(ReadChunk(mm, ChunkId("mesh")), "ok");
}

TEST_F(CFileMMTest, ExistenceModeDoesNotReadTheMap)
{
    EXPECT_EQ(mm.Open(SpecFor("nowhere.mm"), 9), 8);
    EXPECT_EQ(mm.Open(Make("junk.mm", Text("junk")), 9), 0);
    EXPECT_FALSE(mm.IsOpen());
    EXPECT_EQ(mm.GetEntryCount(), 0);
}

TEST_F(CFileMMTest, EntryOffsetOutsideTheFileThrows)
{
    mm.Open(Make("far.mm", Archive(2, {28, 0x10000000u}, {})), 2);
    EXPECT_EQ(Thrown([&] { mm.SeekEntryPoint(1); }), "file: common/CFileMMline: 158");
    EXPECT_NO_THROW(mm.SeekEntryPoint(0));
}

TEST_F(CFileMMTest, DamagedArchiveThrowsItsFaultAndLeavesTheNextOneReadable)
{
    const auto changed = [](size_t at, uint8_t value) {
        Bytes bytes = Archive(1, {24}, {});
        bytes[at] = value;
        return bytes;
    };
    Bytes cut = Archive(1, {24}, {});
    cut.resize(22);
    const struct {
        Bytes bytes;
        const char* fault;
    } cases[] = {{changed(8, 'X'), "common/CFileMMline: 84"},   // form type
                 {changed(12, 'X'), "common/CFileMMline: 92"},  // map id
                 {Archive(0x40000000u, {}, {}), "win32/MFileMMIOline: 177"},
                 {cut, "win32/MFileMMIOline: 177"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Thrown([&] { mm.Open(Make("bad.mm", c.bytes), 2); }), std::string("file: ") + c.fault);
        EXPECT_FALSE(mm.IsOpen());
    }
    EXPECT_EQ(Thrown([&] { mm.Open(SpecFor("absent.mm"), 2); }), "file: win32/MFileMMIOline: 109");
    ASSERT_EQ(mm.Open(Make("good.mm", Archive(1, {24}, {})), 2), 0);
    EXPECT_FALSE(mm.GetSwap());
    EXPECT_EQ(mm.GetEntryCount(), 1);
}

} // namespace
