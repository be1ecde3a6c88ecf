#include "FileTestSupport.h"
#include "base/CException.h"
#include "base/FileSpec.h"
#include "platform/MFileMMIO.h"
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

TEST(FileSpec, StartsEmptyAndKeepsAtMost255Characters)
{
    FileSpec fileSpec;
    EXPECT_STREQ(fileSpec.szFolder, "");
    EXPECT_STREQ(fileSpec.szName, "");
    const std::string longName(300, 'n');
    fileSpec.SetName(longName.c_str());
    EXPECT_EQ(std::strlen(fileSpec.szName), 255u);
    EXPECT_EQ(fileSpec.szName[255], '\0');
}

TEST_F(MFileMMIOTest, MissingFileThrowsInEveryOpeningMode)
{
    const std::string missing = folder.File("missing");
    for (uint32_t mode : {1u, 2u, 3u, 4u}) {
        EXPECT_EQ(Thrown([&] { file.Open(missing.c_str(), mode, 1); }), Error(109)) << mode;
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_EQ(Thrown([&] { file.Open(folder.Path().c_str(), 2, 1); }), Error(109));
}

TEST_F(MFileMMIOTest, BackslashesAndForwardSlashesOpenTheSameFile)
{
    Make("data.bin", Text("same"));
    std::string windowsPath = folder.File("data.bin");
    for (char& c : windowsPath)
        if (c == '/')
            c = '\\';
    char got[4];
    file.Open(windowsPath.c_str(), 2, 1);
    file.Read(got, 4);
    EXPECT_EQ(std::string(got, 4), "same");
    file.Close();

    file.Open(FileSpec(folder.Path().c_str(), "data.bin"), 2, 1);
    file.Read(got, 4);
    EXPECT_EQ(std::string(got, 4), "same");
}

TEST_F(MFileMMIOTest, CurrentFolderSpecOpensTheFileThere)
{
    Make("RollavexAssets.mm", Text("here"));
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder.Path().c_str()), 0);
    const int32_t result = file.Open(FileSpec(".\\", "RollavexAssets.mm"), 2, 1);
    const int32_t size = file.GetSize();
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(size, 4);
}

TEST_F(MFileMMIOTest, ReadsPastTheEndThrowButReadLongDoesNot)
{
    file.Open(Make("short", Text("abcdef")).c_str(), 1, 1);
    char buffer[8];
    EXPECT_EQ(Thrown([&] { file.Read(buffer, 8); }), Error(177));
    file.Seek(0, 0);
    EXPECT_EQ(Thrown([&] { file.ReadBytes(buffer, 7); }), Error(189));

    file.Seek(4, 0);
    uint32_t value = 0x11223344;
    EXPECT_EQ(file.ReadLong(&value), 2);
    EXPECT_EQ(value, 0x11226665u); // "ef" read, the top two bytes untouched
    EXPECT_EQ(file.ReadLong(&value), 0);
    EXPECT_EQ(value, 0x11226665u);
    EXPECT_TRUE(file.IsEOF());
}

TEST_F(MFileMMIOTest, ReadLineReturnsPiecesAndKeepsTheNewline)
{
    file.Open(Make("lines", Text("abcdefg\nxy\nlast")).c_str(), 1, 1);
    const struct {
        int32_t capacity;
        int32_t count;
        const char* text;
    } reads[] = {{1, 0, ""},    {4, 3, "abc"},  {4, 3, "def"}, {4, 1, "g\n"},
                 {8, 2, "xy\n"}, {8, 4, "last"}, {8, 0, ""}};
    for (const auto& read : reads) {
        char line[8] = "zzzzzzz";
        EXPECT_EQ(file.ReadLine(line, read.capacity), read.count) << read.text;
        EXPECT_STREQ(line, read.text);
    }
}

TEST_F(MFileMMIOTest, SeekOriginsAndSizes)
{
    file.Open(Make("ten", Text("0123456789")).c_str(), 1, 1);
    EXPECT_EQ(file.Seek(3, 0), 3);
    EXPECT_EQ(file.Seek(2, 1), 5);
    EXPECT_EQ(file.Seek(-1, 2), 9);
    EXPECT_EQ(file.Seek(4, 7), 4); // an unknown origin counts from the start
    EXPECT_EQ(file.GetSize(), 10);
    EXPECT_EQ(file.Tell(), 4);
    EXPECT_EQ(file.GetRemaining(), 6);
    EXPECT_FALSE(file.IsEOF());
    EXPECT_EQ(Thrown([&] { file.Seek(11, 0); }), Error(157));
    EXPECT_EQ(file.Tell(), 4);
}

TEST_F(MFileMMIOTest, WritesFollowTheSwapFlag)
{
    const std::string path = folder.File("values");
    file.Open(path.c_str(), 5, 0); // byte order 0: big-endian values
    EXPECT_TRUE(file.GetSwap());
    EXPECT_FALSE(file.WriteLong(0x01020304));
    EXPECT_FALSE(file.WriteShort(0x0506));
    EXPECT_FALSE(file.WriteULong(0x0708090A));
    EXPECT_FALSE(file.WriteByte(0x0B));
    EXPECT_FALSE(file.WriteString("hi"));
    EXPECT_FALSE(file.WriteBlock("\x0C\x0D", 2));
    file.Close();
    EXPECT_EQ(ReadAllBytes(path), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 'h', 'i', 12, 13}));

    file.Open(path.c_str(), 1, 0);
    uint32_t value = 0;
    EXPECT_EQ(file.ReadValue(&value, 4), 4);
    EXPECT_EQ(value, 0x01020304u);
    uint8_t one = 0;
    file.Seek(10, 0);
    EXPECT_EQ(file.ReadValue(&one, 1), 1);
    EXPECT_EQ(one, 11);
    file.Close();

    file.Open(path.c_str(), 1, 1); // little-endian
    EXPECT_FALSE(file.GetSwap());
    file.ReadLong(&value);
    EXPECT_EQ(value, 0x04030201u);
}

TEST_F(MFileMMIOTest, ByteOrderOutsideZeroToTwoKeepsTheFlag)
{
    const std::string path = Make("any", Text("abcd"));
    file.Open(path.c_str(), 1, 0);
    file.Close();
    file.Open(path.c_str(), 1, 3);
    EXPECT_TRUE(file.GetSwap());
    file.Close();
    file.Open(path.c_str(), 1, 2);
    EXPECT_FALSE(file.GetSwap());
}

TEST_F(MFileMMIOTest, SwapFieldsReversesEachFieldOnlyWhenSwapping)
{
    file.Open(Make("any", Text("abcd")).c_str(), 1, 1);
    const uint8_t layout[] = {3, 2, 1, 4};
    uint8_t record[] = {1, 2, 3, 4, 5, 6, 7};
    file.SwapFields(record, layout);
    EXPECT_EQ(Bytes(record, record + 7), (Bytes{1, 2, 3, 4, 5, 6, 7}));
    file.Close();
    file.Open(Make("other", Text("abcd")).c_str(), 1, 0);
    file.SwapFields(record, layout);
    EXPECT_EQ(Bytes(record, record + 7), (Bytes{2, 1, 3, 7, 6, 5, 4}));
}

TEST_F(MFileMMIOTest, ReadBackAcrossBufferBoundariesAfterSeeksAndPatches)
{
    const std::string path = folder.File("big");
    Bytes expected(3 * MBufferedFile::kBufferSize + 123);
    for (size_t i = 0; i < expected.size(); ++i)
        expected[i] = uint8_t(i * 7 + i / 251);
    file.Open(path.c_str(), 5, 1);
    file.Write(expected.data(), 5000);
    file.Write(expected.data() + 5000, int32_t(expected.size() - 5000));
    // Patch bytes far behind the buffer, then carry on at the end.
    file.Seek(10, 0);
    file.WriteLong(0x7F7E7D7C);
    expected[10] = 0x7C, expected[11] = 0x7D, expected[12] = 0x7E, expected[13] = 0x7F;
    file.Seek(0, 2);
    file.WriteByte(0xAA);
    expected.push_back(0xAA);
    file.Close();
    ASSERT_EQ(ReadAllBytes(path), expected);

    file.Open(path.c_str(), 1, 1);
    Bytes got(expected.size());
    for (int32_t at : {9000, 3, 8190, 20000, 0}) {
        file.Seek(at, 0);
        const int32_t n = std::min<int32_t>(9000, int32_t(expected.size()) - at);
        file.Read(got.data(), n);
        EXPECT_TRUE(std::equal(got.begin(), got.begin() + n, expected.begin() + at)) << at;
    }
}

TEST_F(MFileMMIOTest, WrittenBytesReadBackBeforeClosing)
{
    const std::string path = folder.File("rw");
    file.Open(path.c_str(), 7, 1);
    file.Write("0123456789", 10);
    file.Seek(2, 0);
    char got[4];
    file.Read(got, 4);
    EXPECT_EQ(std::string(got, 4), "2345");
    file.Write("ab", 2); // overwrites 6 and 7
    file.Seek(0, 2);
    file.Write("!", 1);
    EXPECT_EQ(file.GetSize(), 11);
    file.Seek(5, 0);
    char rest[6];
    file.Read(rest, 6);
    EXPECT_EQ(std::string(rest, 6), "5ab89!");
    file.Close();
    EXPECT_EQ(ReadAllBytes(path), Text("012345ab89!"));
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
    EXPECT_EQ(Thrown([&] { file.Open(path.c_str(), 2, 1); }), Error(59));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(Thrown([&] { file.Write("zz", 2); }), Error(287));
    EXPECT_EQ(Thrown([&] { file.WriteLong(1); }), Error(364));
    EXPECT_EQ(Thrown([&] { file.WriteByte(1); }), Error(336));
    EXPECT_NO_THROW(file.Close());
    EXPECT_EQ(ReadAllBytes(path), Text("abcd"));
}

// The standard RIFF functions the sound loader uses on the same handle.
class RiffHandleTest : public MFileMMIOTest {
protected:
    void SetUp() override
    {
        Bytes samples(20000);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = uint8_t(i % 253);
        data = samples;
        Bytes wave = Text("WAVE");
        Append(&wave, Chunk("fmt ", Bytes(16, 1)));
        Append(&wave, Chunk("LIST", Text("INFOodd")));
        Append(&wave, Chunk("data", samples));
        Bytes bytes = Text("head");
        Append(&bytes, Chunk("RIFF", wave));
        file.Open(Make("sound.wav", bytes).c_str(), 2, 1);
        file.Seek(4, 0);
        handle = file.GetHandle();
    }

    MBufferedFile* handle = nullptr;
    Bytes data;
};

TEST_F(RiffHandleTest, DescendFindsChunksInsideTheParent)
{
    MChunkInfo riff;
    ASSERT_EQ(handle->Descend(&riff, nullptr, 0), 0);
    EXPECT_EQ(riff.ckid, MakeFourCC('R', 'I', 'F', 'F'));
    EXPECT_EQ(riff.fccType, MakeFourCC('W', 'A', 'V', 'E'));
    EXPECT_EQ(riff.dwDataOffset, 12u);
    EXPECT_EQ(handle->Seek(0, 1), 16);

    MChunkInfo chunk;
    chunk.ckid = MakeFourCC('d', 'a', 't', 'a');
    ASSERT_EQ(handle->Descend(&chunk, &riff, MMIO_FINDCHUNK), 0);
    EXPECT_EQ(chunk.cksize, 20000u);
    EXPECT_EQ(handle->Ascend(&chunk), 0);
    EXPECT_EQ(handle->Seek(0, 1), handle->GetSize());

    handle->Seek(16, 0);
    chunk.ckid = MakeFourCC('c', 'u', 'e', ' ');
    EXPECT_EQ(handle->Descend(&chunk, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    handle->Seek(16, 0);
    chunk.fccType = MakeFourCC('I', 'N', 'F', 'O');
    ASSERT_EQ(handle->Descend(&chunk, &riff, MMIO_FINDLIST), 0);
    EXPECT_EQ(chunk.cksize, 7u);
    handle->Ascend(&chunk);
    chunk.ckid = MakeFourCC('d', 'a', 't', 'a');
    EXPECT_EQ(handle->Descend(&chunk, &riff, MMIO_FINDCHUNK), 0); // behind the pad byte
}

TEST_F(RiffHandleTest, BufferAccessCopiesTheWholeChunk)
{
    MChunkInfo riff, chunk;
    handle->Descend(&riff, nullptr, 0);
    chunk.ckid = MakeFourCC('d', 'a', 't', 'a');
    handle->Descend(&chunk, &riff, MMIO_FINDCHUNK);

    Bytes got;
    MIOInfo info;
    ASSERT_EQ(handle->GetInfo(&info), 0);
    while (got.size() < chunk.cksize) {
        if (info.pchNext == info.pchEndRead) {
            ASSERT_EQ(handle->Advance(&info), 0);
            ASSERT_LT(info.pchNext, info.pchEndRead);
        }
        got.push_back(uint8_t(*info.pchNext++));
    }
    handle->SetInfo(&info);
    EXPECT_EQ(got, data);
    EXPECT_EQ(handle->Seek(0, 1), handle->GetSize());
    ASSERT_EQ(handle->Advance(&info), 0);
    EXPECT_EQ(info.pchNext, info.pchEndRead); // nothing left
}

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
