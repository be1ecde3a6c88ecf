#include "FileTestSupport.h"
#include "base/CException.h"
#include "base/FileSpec.h"
#include "platform/io/MFileMMIO.h"
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

std::string Error(int line)
{
    return "file: win32/MFileMMIOline: " + std::to_string(line);
}

class MFileMMIOTest : public ::testing::Test {
protected:
    std::string Make(const std::string& name, const Bytes& bytes)
    {
        const std::string path = folder.File(name);
        WriteAllBytes(path, bytes);
        return path;
    }

    TempFolder folder;
    MFileMMIO file;
};

// Windows paths, the current folder as ".\", and names cut to 255 characters.
TEST_F(MFileMMIOTest, OpeningFindsTheFileByAnySpellingAndThrows109WithoutOne)
{
    for (uint32_t mode : {1u, 2u, 3u, 4u}) {
        EXPECT_EQ(Thrown([&] { file.Open(folder.File("missing").c_str(), mode, 1); }), Error(109)) << mode;
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_EQ(Thrown([&] { file.Open(folder.Path().c_str(), 2, 1); }), Error(109));
    std::string windowsPath = Make("RollavexAssets.mm", Text("same"));
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    file.Open(windowsPath.c_str(), 2, 1);
    EXPECT_EQ(file.GetSize(), 4);
    EXPECT_EQ(Thrown([&] { file.Open(windowsPath.c_str(), 2, 1); }), Error(59));
    EXPECT_TRUE(file.IsOpen());
    file.Close();
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder.Path().c_str()), 0);
    const int32_t result = file.Open(FileSpec(".\\", "RollavexAssets.mm"), 2, 1);
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_EQ(result, 0);
    FileSpec fileSpec;
    fileSpec.SetName(std::string(300, 'n').c_str());
    EXPECT_EQ(std::strlen(fileSpec.szName), 255u);
}

TEST_F(MFileMMIOTest, ReadsSeeksAndLinesAtTheEnd)
{
    file.Open(Make("lines", Text("abcdefg\nxy\nlast")).c_str(), 1, 1);
    char buffer[16];
    EXPECT_EQ(Thrown([&] { file.Read(buffer, 16); }), Error(177));
    file.Seek(0, 0);
    EXPECT_EQ(file.ReadBytes(buffer, 3), 3);
    EXPECT_EQ(Thrown([&] { file.ReadBytes(buffer, 16); }), Error(189));
    EXPECT_EQ(file.Seek(3, 0), 3);
    EXPECT_EQ(file.Seek(2, 1), 5);
    EXPECT_EQ(file.Seek(-1, 2), 14);
    EXPECT_EQ(file.Seek(0, 7), 0); // an unknown origin counts from the start
    EXPECT_EQ(Thrown([&] { file.Seek(16, 0); }), Error(157));
    EXPECT_EQ(file.Tell(), 0);
    const struct { int32_t capacity, count; const char* text; } reads[] = {
        {1, 0, ""}, {4, 3, "abc"}, {4, 3, "def"}, {4, 1, "g\n"}, {8, 2, "xy\n"}, {3, 2, "la"}};
    for (const auto& read : reads) {
        char line[8] = "zzzzzzz";
        EXPECT_EQ(file.ReadLine(line, read.capacity), read.count) << read.text;
        EXPECT_STREQ(line, read.text);
    }
    EXPECT_EQ(file.GetRemaining(), 2);
    EXPECT_FALSE(file.IsEOF());
    uint32_t value = 0x11223344;
    EXPECT_EQ(file.ReadLong(&value), 2);
    EXPECT_EQ(value, 0x11227473u); // "st" read, the top two bytes untouched
    EXPECT_EQ(file.ReadLong(&value), 0);
    EXPECT_TRUE(file.IsEOF());
}

TEST_F(MFileMMIOTest, ValuesFollowTheByteOrderAndSwapFieldsOnlyWhenSwapping)
{
    const std::string path = folder.File("values");
    file.Open(path.c_str(), 5, 0); // byte order 0: big-endian values
    EXPECT_FALSE(file.WriteLong(0x01020304));
    EXPECT_FALSE(file.WriteShort(0x0506));
    EXPECT_FALSE(file.WriteULong(0x0708090A));
    EXPECT_FALSE(file.WriteByte(0x0B));
    EXPECT_FALSE(file.WriteString("hi"));
    EXPECT_FALSE(file.WriteBlock("\x0C\x0D", 2));
    file.Close();
    EXPECT_EQ(ReadAllBytes(path), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 'h', 'i', 12, 13}));
    const uint8_t layout[] = {3, 2, 1, 4};
    for (uint32_t order : {0u, 3u, 2u}) { // outside 0 to 2 the flag stays
        file.Open(path.c_str(), 1, order);
        EXPECT_EQ(file.GetSwap(), order != 2);
        uint32_t value = 0;
        EXPECT_EQ(file.ReadValue(&value, 4), 4);
        EXPECT_EQ(value, order != 2 ? 0x01020304u : 0x04030201u);
        uint8_t record[] = {1, 2, 3, 4, 5, 6, 7};
        file.SwapFields(record, layout);
        const Bytes swapped = {2, 1, 3, 7, 6, 5, 4}, kept = {1, 2, 3, 4, 5, 6, 7};
        EXPECT_EQ(Bytes(record, record + 7), order != 2 ? swapped : kept);
        file.Close();
    }
}

TEST_F(MFileMMIOTest, MisuseThrowsItsFaultAndLeavesTheFileAsItWas)
{
    char buffer[4];
    EXPECT_EQ(Thrown([&] { file.Read(buffer, 4); }), Error(177));
    EXPECT_EQ(Thrown([&] { file.Write(buffer, 4); }), Error(287));
    EXPECT_EQ(Thrown([&] { file.Flush(); }), Error(374));
    EXPECT_NO_THROW(file.Close());
    const std::string path = Make("ro", Text("abcd"));
    file.Open(path.c_str(), 1, 1);
    EXPECT_EQ(Thrown([&] { file.Write("zz", 2); }), Error(287));
    EXPECT_EQ(Thrown([&] { file.WriteLong(1); }), Error(364));
    EXPECT_EQ(Thrown([&] { file.WriteByte(1); }), Error(336));
    file.Close();
    EXPECT_EQ(ReadAllBytes(path), Text("abcd"));
}

// The RIFF functions the sound loader uses on the same handle; a chunk size
// past the end ends the search.
TEST_F(MFileMMIOTest, DescendWithAHostileSizeStopsAtTheEnd)
{
    Bytes bytes = Text("junk");
    AppendLE32(&bytes, 0xFFFFFFF0u);
    Append(&bytes, Text("data"));
    file.Open(Make("hostile", bytes).c_str(), 1, 1);
    MChunkInfo chunk;
    chunk.ckid = MakeFourCC('d', 'a', 't', 'a');
    EXPECT_EQ(file.GetHandle()->Descend(&chunk, nullptr, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    file.Seek(0, 0);
    ASSERT_EQ(file.GetHandle()->Descend(&chunk, nullptr, 0), 0);
    EXPECT_EQ(file.GetHandle()->Ascend(&chunk), MMIOERR_CANNOTSEEK);
}

} // namespace
