#include "platform/MWaveFile.h"
#include "platform/MFileMMIO.h"
#include "platform/MSoundManager.h"
#include "tests/unit/WaveBytes.h"
#include <gtest/gtest.h>
#include <unistd.h>

using namespace wavebytes;

namespace {

class WaveFile : public ::testing::Test {
protected:
    void TearDown() override
    {
        file.Close();
        std::filesystem::remove(path);
    }
    // Opens a file of junk followed by the bytes, positioned at the bytes.
    MWaveFile& Reader(const Bytes& bytes)
    {
        Bytes content(7, 0xEE);
        content.insert(content.end(), bytes.begin(), bytes.end());
        WriteAllBytes(path, content);
        file.Open(path.c_str(), 1, 1);
        file.Seek(7, 0);
        reader = std::make_unique<MWaveFile>(&file);
        return *reader;
    }

    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("rvx_wave_" + std::to_string(getpid()) + ".bin");
    MFileMMIO file;
    std::unique_ptr<MWaveFile> reader;
};

const Bytes kFourBytes = {1, 2, 3, 4};

// Other chunks are skipped, the format may follow the data, other formats keep
// their extra bytes, and data longer than the RIFF is cut.
TEST_F(WaveFile, FormatAndDataAreFoundInAnyOrder)
{
    const Bytes extra = {0xF9, 0x01};
    const struct {
        Bytes wave;
        uint16_t wFormatTag, nChannels;
        Bytes rgbExtra;
    } cases[] = {
        {Riff({Chunk("fmt ", Format(1, 2, 22050, 16)), Chunk("data", kFourBytes)}), 1, 2, {}},
        {Riff({Chunk("LIST", {9, 9, 9}), Chunk("data", kFourBytes), Chunk("fact", kFourBytes),
               Chunk("fmt ", Format(1, 1, 11025, 8))}), 1, 1, {}},
        {Riff({Chunk("fmt ", Format(0x11, 1, 22050, 4, extra)), Chunk("data", kFourBytes)}), 0x11, 1, extra},
        {Riff({Chunk("fmt ", Format(1, 1, 22050, 8)), Chunk("data", kFourBytes, 1000)}), 1, 1, {}},
    };
    for (const auto& c : cases) {
        MWaveFile& wave = Reader(c.wave);
        ASSERT_EQ(wave.Open(), 0);
        EXPECT_EQ(wave.GetFormat().wFormatTag, c.wFormatTag);
        EXPECT_EQ(wave.GetFormat().nChannels, c.nChannels);
        EXPECT_EQ(wave.GetFormat().rgbExtra, c.rgbExtra);
        EXPECT_EQ(wave.GetSize(), 4u);
        uint8_t out[8] = {};
        uint32_t read = 0;
        ASSERT_EQ(wave.Read(out, 8, &read), 0);
        EXPECT_EQ(Bytes(out, out + read), kFourBytes);
        EXPECT_EQ(wave.Read(out, 8, &read), 0);
        EXPECT_EQ(read, 0u);
        file.Close();
    }
}

TEST_F(WaveFile, MalformedDataFails)
{
    const Bytes fmt = Chunk("fmt ", Format(1, 1, 22050, 16));
    const Bytes data = Chunk("data", kFourBytes);
    const std::vector<Bytes> cases = {
        Chunk("RIFX", Riff({fmt, data})),                     // not RIFF
        Riff({fmt, data}, "AVI "),                            // not WAVE
        Riff({data}),                                         // no format
        Riff({Chunk("fmt ", Bytes(14, 0)), data}),            // format too short
        Riff({fmt}),                                          // no data
        Riff({Chunk("fmt ", Format(2, 1, 22050, 4, Bytes(2, 0)), 18), data}), // extra bytes beyond the chunk
        Riff({Chunk("fmt ", Bytes(17, 0)), data}),            // no room for the extra size
        Riff({fmt, data}, "WAVE", 4000),                      // RIFF larger than the file
        Bytes{'R', 'I', 'F'},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Reader(cases[i]).Open(), snd::E_FAIL);
        EXPECT_EQ(reader->GetFormat().nChannels, 0);
        file.Close();
    }
}

TEST_F(WaveFile, ReadsAcrossTheFileBufferAndRewinds)
{
    Bytes data(3 * MBufferedFile::kBufferSize + 17);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i * 7 + i / 251);
    MWaveFile& wave = Reader(Riff({Chunk("fmt ", Format(1, 1, 22050, 8)), Chunk("data", data)}));
    ASSERT_EQ(wave.Open(), 0);
    for (int pass = 0; pass < 2; ++pass) {
        Bytes out(data.size());
        uint32_t total = 0, read = 0;
        while (total < out.size()) {
            ASSERT_EQ(wave.Read(out.data() + total, 3001, &read), 0);
            ASSERT_GT(read, 0u);
            total += read;
        }
        EXPECT_EQ(out, data);
        ASSERT_EQ(wave.Rewind(), 0);
    }
}

} // namespace
