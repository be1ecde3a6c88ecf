// Plays sounds into the audio library's wave-file output and reads back
// what was written.
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

std::vector<int16_t> Tone(size_t frames, double amplitude)
{
    std::vector<int16_t> samples(2 * frames);
    for (size_t i = 0; i < frames; ++i)
        samples[2 * i] = samples[2 * i + 1] = int16_t(amplitude * std::sin(2 * M_PI * 441.0 * double(i) / 22050.0));
    return samples;
}

void PlayToEnd(MSound& sound)
{
    ASSERT_EQ(sound.Play(false), 0);
    for (int i = 0; i < 300 && sound.IsPlaying(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(150)); // a gap of silence
}

// Peaks of the stretches of sound, split at silences of 50 ms or more.
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
        if (quiet > 2 * 1102)
            peaks.push_back(0);
        quiet = 0;
        peaks.back() = std::max(peaks.back(), level);
    }
    return peaks;
}

TEST(SoundOutput, WrittenSamplesCarryTheSoundAtItsVolume)
{
    const auto output = TempPath("out.wav"), config = TempPath("alsoft.conf"), input = TempPath("in.wav");
    std::ofstream(config) << "[general]\ndrivers = wave\nchannels = stereo\nsample-type = int16\n"
                             "[wave]\nfile = " << output.string() << "\n";
    setenv("ALSOFT_CONF", config.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);

    ASSERT_EQ(GetSoundManager()->Initialize(nullptr, snd::DSSCL_PRIORITY, 2, 22050, 16), 0);
    WriteFile(input, Pcm16Wave(Tone(5512, 20000), 2, 22050));
    MFileMMIO file;
    file.Open(input.c_str(), 1, 1);
    MSound* raw = nullptr;
    ASSERT_EQ(GetSoundManager()->CreateSound(&raw, &file, snd::DSBCAPS_CTRLVOLUME, nullptr, 1), 0);
    std::unique_ptr<MSound> sound(raw);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    PlayToEnd(*sound);
    sound->SetVolume(0.9f); // -1000: a gain of 10^-0.5
    PlayToEnd(*sound);
    sound->SetVolume(0.0f);
    PlayToEnd(*sound);
    sound.reset();
    DestroySoundManager(); // the output file is complete once the device closes

    std::ifstream in(output, std::ios::binary);
    const Bytes written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(written.size(), 44u);
    EXPECT_EQ(Word(written, 22), 2);        // channels
    EXPECT_EQ(Dword(written, 24), 22050u); // rate
    EXPECT_EQ(Word(written, 34), 16);       // bits
    uint32_t size = 0;
    const size_t data = FindChunk(written, "data", &size);
    ASSERT_NE(data, 0u);
    std::vector<int16_t> samples(std::min<size_t>(size, written.size() - data) / 2);
    std::memcpy(samples.data(), written.data() + data, samples.size() * 2);

    const std::vector<int> peaks = BurstPeaks(samples);
    ASSERT_EQ(peaks.size(), 2u) << "full volume, -10 dB, then silence";
    EXPECT_NEAR(double(peaks[1]) / peaks[0], std::pow(10.0, -0.5), 0.01);
    EXPECT_GT(peaks[0], 10000);
    for (const auto& p : {output, config, input})
        std::filesystem::remove(p);
}

} // namespace
