#include "FileTestSupport.h"
#include "base/CException.h"
#include "base/FileSpec.h"
#include "common/assets/CFileMM.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class CFileMMTest : public FolderTest {
protected:
    std::string ReadChunk(uint32_t expectedId)
    {
        ChunkHeader header;
        mm.Descend(&header);
        EXPECT_EQ(header.id, expectedId);
        std::string data(size_t(mm.GetRemaining()), '\0');
        mm.Read(data.data(), int32_t(data.size()));
        mm.Ascend();
        return data.substr(0, header.size);
    }
    CFileMM mm;
};

// Three entry points after the map of 24 + 3 * 4 + 2 bytes: two sounds, an animation, a mesh.
TEST_F(CFileMMTest, EntryPointsLeadToTheirGroupsInAnyOrder)
{
    Bytes groups = Chunk("evaw", Text("intro"));
    Append(&groups, Chunk("evaw", Text("goal!")));
    Append(&groups, Chunk("mina", Text("buttons")));
    Append(&groups, Chunk("hsem", Text("ball")));
    Bytes bytes = Archive(3, {38, 66, 82}, groups, Bytes{'x'}); // an odd map, padded
    bytes[0] = 'Z', bytes[1] = 'Z', bytes[2] = 'Z', bytes[3] = 'Z'; // not checked
    ASSERT_EQ(mm.Open(Make("game.mm", bytes), 2), 0);
    ASSERT_EQ(mm.GetEntryCount(), 3);
    EXPECT_EQ(mm.Tell(), 38) << "left behind the map's pad byte";
    EXPECT_FALSE(mm.GetSwap());
    mm.SeekEntryPoint(2);
    EXPECT_EQ(ReadChunk(ChunkId("mesh")), "ball");
    mm.SeekEntryPoint(0);
    EXPECT_EQ(ReadChunk(ChunkId("wave")), "intro");
    EXPECT_EQ(ReadChunk(ChunkId("wave")), "goal!");
    EXPECT_EQ(mm.Tell(), int32_t(mm.GetEntryOffset(1)));
    mm.SeekEntryPoint(1);
    EXPECT_EQ(ReadChunk(ChunkId("anim")), "buttons");
    EXPECT_EQ(mm.GetDepth(), 1u);
}

TEST_F(CFileMMTest, EntryIndexOrOffsetOutOfRangeThrows)
{
    mm.Open(Make("far.mm", Archive(2, {28, 0x10000000u}, {})), 2);
    EXPECT_EQ(Thrown([&] { mm.SeekEntryPoint(2); }), "file: common/CFileMMline: 152");
    EXPECT_EQ(Thrown([&] { mm.SeekEntryPoint(0xFFFFFFFFu); }), "file: common/CFileMMline: 152");
    EXPECT_EQ(Thrown([&] { mm.SeekEntryPoint(1); }), "file: common/CFileMMline: 158");
    EXPECT_NO_THROW(mm.SeekEntryPoint(0));
    mm.Close();
    ASSERT_EQ(mm.Open(Make("empty.mm", Archive(0, {}, {})), 2), 0);
    EXPECT_EQ(Thrown([&] { mm.SeekEntryPoint(0); }), "file: common/CFileMMline: 152");
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
    EXPECT_EQ(mm.Open(Make("junk.mm", Text("junk")), 9), 0) << "mode 9 does not read the map";
    EXPECT_EQ(mm.GetEntryCount(), 0);
    ASSERT_EQ(mm.Open(Make("good.mm", Archive(1, {24}, {})), 2), 0);
    EXPECT_EQ(mm.GetEntryCount(), 1);
}

} // namespace
