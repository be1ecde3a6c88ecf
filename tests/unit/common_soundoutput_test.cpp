// Plays the ball's bump from the game's archive into the audio library's
// wave-file output and reads back what was written.
#include "common/CFileMM.h"
#include "base/FileSpec.h"
#include "platform/MFileMMIO.h"
#include "platform/MSound.h"
#include "platform/MSoundManager.h"
#include "tests/unit/WaveBytes.h"
#include <gtest/gtest.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

using namespace wavebytes;

namespace {

std::filesystem::path TempPath(const char* name)
{
    return std::filesystem::temp_directory_path() / ("rvx_" + std::to_string(getpid()) + "_" + name);
}

// Peaks of the stretches of sound, split at silences of 100 ms or more.
std::vector<int> BurstPeaks(const std::vector<int16_t>& samples)
{
    std::vector<int> peaks;
    size_t quiet = SIZE_MAX;
    for (int16_t s : samples) {
        const int level = std::abs(int(s));
        if (level <= 2) {
            ++quiet;
            continue;
        }
        if (quiet > 2 * 2205)
            peaks.push_back(0);
        quiet = 0;
        peaks.back() = std::max(peaks.back(), level);
    }
    return peaks;
}

class SoundOutput : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::ofstream(config) << "[general]\ndrivers = wave\nchannels = stereo\nsample-type = int16\n"
                                 "[wave]\nfile = " << output.string() << "\n";
        setenv("ALSOFT_CONF", config.c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
    }
    static void TearDownTestSuite() { std::filesystem::remove(config); }
    void SetUp() override { ASSERT_EQ(GetSoundManager()->Initialize(nullptr, snd::DSSCL_PRIORITY, 2, 22050, 16), 0); }
    void TearDown() override { std::filesystem::remove(output); }

    // Plays the sound to its end once at each volume, with silence between.
    static void PlayAtVolumes(MSound& sound, std::initializer_list<float> volumes)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        for (float volume : volumes) {
            sound.SetVolume(volume);
            ASSERT_EQ(sound.Play(false), 0);
            for (int i = 0; i < 500 && sound.IsPlaying(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
    }
    // What the device wrote, once it is closed.
    static Bytes Written()
    {
        DestroySoundManager();
        std::ifstream in(output, std::ios::binary);
        return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    static std::vector<int16_t> Samples(const Bytes& written)
    {
        uint32_t size = 0;
        const size_t data = FindChunk(written, "data", &size);
        std::vector<int16_t> samples(data == 0 ? 0 : std::min<size_t>(size, written.size() - data) / 2);
        std::memcpy(samples.data(), written.data() + data, samples.size() * 2);
        return samples;
    }

    static inline const std::filesystem::path output = TempPath("out.wav");
    static inline const std::filesystem::path config = TempPath("alsoft.conf");
};

// Entry 12 holds the ball's sounds: roll, drop start, drop end, bump.
TEST_F(SoundOutput, ArchiveSoundsPlayAtTheirVolumes)
{
    const std::filesystem::path path(RVX_RUN_DIR "/RollavexAssets.mm");
    CFileMM archive;
    archive.Open(FileSpec(path.parent_path().c_str(), path.filename().c_str()), 2);
    archive.SeekEntryPoint(12);
    std::unique_ptr<MSound> sounds[4];
    for (auto& sound : sounds) {
        ChunkHeader header;
        archive.Descend(&header);
        ASSERT_EQ(header.id, ChunkId("wave"));
        MSound* raw = nullptr;
        ASSERT_EQ(GetSoundManager()->CreateSound(&raw, &archive, snd::DSBCAPS_CTRLVOLUME, nullptr, 1), 0);
        sound.reset(raw);
        archive.Ascend();
    }
    archive.SeekEntryPoint(13);
    ChunkHeader next;
    archive.Descend(&next);
    EXPECT_EQ(next.id, ChunkId("mesh"));
    PlayAtVolumes(*sounds[3], {1.0f, 0.8f}); // 0 and -2000: a tenth
    for (auto& sound : sounds)
        sound.reset();

    const std::vector<int> peaks = BurstPeaks(Samples(Written()));
    ASSERT_EQ(peaks.size(), 2u);
    EXPECT_GT(peaks[0], 3000);
    EXPECT_NEAR(double(peaks[1]) / peaks[0], 0.1, 0.01);
}

} // namespace
