#include "platform/audio/MSound.h"
#include "platform/io/MFileMMIO.h"
#include "platform/audio/MMusicManager.h"
#include "platform/audio/MMusicStream.h"
#include "platform/audio/MSoundManager.h"
#include "tests/unit/WaveBytes.h"
#include "tests/unit/VoiceGain.h"
#include <gtest/gtest.h>
#include <chrono>
#include <climits>
#include <cmath>
#include <functional>
#include <memory>
#include <thread>

using namespace wavebytes;

namespace {

class Sound : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("ALSOFT_DRIVERS", "null", 0);
        ASSERT_EQ(GetSoundManager()->Initialize(nullptr, snd::DSSCL_PRIORITY, 2, 22050, 16), 0);
    }
    static void TearDownTestSuite() { DestroySoundManager(); }

    // The file of a WAVE, open for reading.
    std::unique_ptr<MFileMMIO> Open(const Bytes& wave)
    {
        WriteAllBytes(folder.File("sound.wav"), wave);
        auto file = std::make_unique<MFileMMIO>();
        file->Open(folder.File("sound.wav").c_str(), 1, 1);
        return file;
    }
    int32_t Create(const Bytes& wave, std::unique_ptr<MSound>* sound, uint32_t count = 1,
                   MSoundManager* manager = GetSoundManager())
    {
        MSound* raw = nullptr;
        const int32_t result = manager->CreateSound(&raw, Open(wave).get(), snd::DSBCAPS_CTRLVOLUME, nullptr, count);
        sound->reset(raw);
        return result;
    }
    int32_t CreateStream(const Bytes& wave, std::unique_ptr<MMusicStream>* stream)
    {
        MMusicStream* raw = nullptr;
        const int32_t result = GetMusicManager()->CreateStream(&raw, Open(wave).get());
        stream->reset(raw);
        return result;
    }

    TempFolder folder;
};

// The wave reader finds the format and the data in any order among other
// chunks and cuts data longer than the RIFF; the sound manager plays PCM only
// and makes one buffer of the whole sound, in whole frames, for all voices.
TEST_F(Sound, WavesThatCannotBeReadOrPlayedAreRefusedOthersMakeOneBuffer)
{
    const Bytes data(16, 0), fmt = Chunk("fmt ", Format(1, 1, 22050, 16)), four = Chunk("data", {1, 2, 3, 4});
    Bytes extensible(22, 0);
    extensible[6] = 1; // PCM sub-format
    const struct { Bytes wave; uint32_t count; int32_t result; uint32_t nSize; } cases[] = {
        {Pcm16Wave({1, 2}, 1, 22050), 0, snd::E_INVALIDARG, 0},
        {Bytes(40, 'x'), 1, snd::E_FAIL, 0},
        {Bytes{'R', 'I', 'F'}, 1, snd::E_FAIL, 0},
        {Chunk("RIFX", Riff({fmt, four})), 1, snd::E_FAIL, 0},
        {Riff({fmt, four}, "AVI "), 1, snd::E_FAIL, 0},
        {Riff({fmt, four}, "WAVE", 4000), 1, snd::E_FAIL, 0},           // RIFF larger than the file
        {Riff({four}), 1, snd::E_FAIL, 0},                               // no format
        {Riff({fmt}), 1, snd::E_FAIL, 0},                                // no data
        {Riff({fmt, Chunk("data", {})}), 1, snd::E_FAIL, 0},
        {Riff({Chunk("fmt ", Bytes(14, 0)), four}), 1, snd::E_FAIL, 0}, // format too short
        {Riff({Chunk("fmt ", Bytes(17, 0)), four}), 1, snd::E_FAIL, 0}, // no room for the extra size
        {Riff({Chunk("fmt ", Format(2, 1, 22050, 4, Bytes(2, 0)), 18), four}), 1, snd::E_FAIL, 0}, // extras past it
        {Riff({Chunk("fmt ", Format(0x11, 1, 22050, 4, {0xF9, 1})), Chunk("data", data)}), 1, snd::DSERR_BADFORMAT, 0},
        {Riff({Chunk("fmt ", Format(1, 6, 22050, 16)), Chunk("data", data)}), 1, snd::DSERR_BADFORMAT, 0},
        {Riff({Chunk("LIST", {9, 9, 9}), four, Chunk("fact", data), fmt}), 1, 0, 4},
        {Riff({fmt, Chunk("data", {1, 2, 3, 4}, 1000)}), 1, 0, 4},
        {Riff({Chunk("fmt ", Format(1, 1, 11025, 8)), Chunk("data", Bytes(101, 128))}), 1, 0, 101},
        {Riff({Chunk("fmt ", Format(0xFFFE, 2, 22050, 16, extensible)), Chunk("data", Bytes(10, 0))}), 1, 0, 8},
        {Pcm16Wave({1, 2, 3, 4}, 2, 22050), 3, 0, 8},
    };
    std::unique_ptr<MSound> sound;
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(Create(cases[i].wave, &sound, cases[i].count), cases[i].result) << i;
        EXPECT_EQ(sound ? sound->GetBufferSize() : 0, cases[i].nSize) << i;
        EXPECT_EQ(sound ? sound->GetVoiceCount() : 0, cases[i].nSize ? cases[i].count : 0) << i;
    }
    MSoundManager uninitialised;
    EXPECT_EQ(Create(Pcm16Wave({1, 2}, 1, 22050), &sound, 1, &uninitialised), snd::CO_E_NOTINITIALIZED);
    MSound* raw = nullptr;
    EXPECT_EQ(GetSoundManager()->CreateSound(&raw, nullptr, 0, nullptr, 1), snd::E_INVALIDARG);
    EXPECT_EQ(raw, nullptr);
}

// Hundredths of a decibel (-7500: an amplitude of 10^(-3.75)), clamped; the gain follows.
TEST_F(Sound, VolumePlayStopAndToggle)
{
    std::unique_ptr<MSound> sound;
    ASSERT_EQ(Create(Pcm16Wave(std::vector<int16_t>(22050, 1000), 1, 22050), &sound, 2), 0); // one second
    const ALuint voice = sound->GetVoice(0);
    EXPECT_EQ(sound->GetVolume(), 0);
    const struct { float factor; int32_t volume; float gain; } cases[] = {
        {0.0f, -10000, 0.0f}, {0.25f, -7500, 1.778279e-4f}, {1.5f, 0, 1.0f}, {-2, -10000, 0.0f}, {NAN, -10000, 0.0f}};
    for (const auto& [factor, volume, expected] : cases) {
        EXPECT_EQ(sound->SetVolume(factor), 0);
        EXPECT_EQ(sound->GetVolume(), volume) << factor;
        EXPECT_FLOAT_EQ(Gain(voice), expected);
    }
    EXPECT_EQ(sound->Play(true), 0);
    EXPECT_EQ(sound->Toggle(), 0);
    EXPECT_FALSE(sound->IsPlaying());
    EXPECT_EQ(sound->Toggle(), 0);
    ALint looping = 0, state = 0;
    alGetSourcei(voice, AL_LOOPING, &looping);
    EXPECT_EQ(looping, AL_TRUE);
    EXPECT_EQ(sound->Stop(), 0);
    EXPECT_FALSE(sound->IsPlaying());
    EXPECT_EQ(sound->Replay(), 0);
    EXPECT_TRUE(sound->IsPlaying());
    sound->Play(false); // the second voice
    alGetSourcei(sound->GetVoice(1), AL_SOURCE_STATE, &state);
    EXPECT_EQ(state, AL_PLAYING);
    EXPECT_EQ(sound->Halt(), 0);
    EXPECT_FALSE(sound->IsPlaying());
}

// Music needs the sound device; only mono and stereo of 8 or 16 bits play.
TEST(SoundStartUp, MusicNeedsTheSoundDeviceAndUnplayableFormatsAreRefused)
{
    MSoundManager manager;
    EXPECT_EQ(GetMusicManager()->Initialize(nullptr, &manager, 64, DMUS_APATH_DYNAMIC_STEREO), snd::DSERR_NODRIVER);
    EXPECT_FALSE(GetMusicManager()->IsAudioInitialized());
    setenv("ALSOFT_DRIVERS", "null", 0);
    EXPECT_EQ(manager.Initialize(nullptr, snd::DSSCL_PRIORITY, 3, 22050, 16), snd::E_INVALIDARG);
    EXPECT_FALSE(manager.IsInitialized());
    EXPECT_EQ(manager.Initialize(nullptr, snd::DSSCL_PRIORITY, 2, 22050, 24), snd::E_INVALIDARG);
    ASSERT_EQ(manager.Initialize(nullptr, snd::DSSCL_PRIORITY, 2, 22050, 16), 0);
    EXPECT_EQ(GetMusicManager()->Initialize(nullptr, &manager, 64, DMUS_APATH_DYNAMIC_STEREO), 0);
    EXPECT_TRUE(GetMusicManager()->IsAudioInitialized());
    DestroyMusicManager();
}

// Percent by ear: each halving is 10 dB quieter, 0 and below silent. The
// effects volume multiplies each voice's own gain, in the sounds there are
// and in those made later, whichever of the two is set last.
TEST_F(Sound, EffectsVolumeByEarMultipliesEveryVoicesOwnGain)
{
    const struct { int32_t percent, volume; } curve[] = {
        {100, 0}, {150, 0}, {50, -1000}, {25, -2000}, {20, -2322}, {1, -6644}, {0, -10000}, {-1, -10000}, {INT_MIN, -10000}};
    for (const auto& [percent, volume] : curve)
        EXPECT_EQ(MSoundManager::VolumeOfPercent(percent), volume) << percent;

    const Bytes wave = Pcm16Wave({1, 2, 3, 4}, 1, 22050);
    std::unique_ptr<MSound> quieter, full, later;
    ASSERT_EQ(Create(wave, &quieter, 2), 0);
    ASSERT_EQ(Create(wave, &full), 0);
    quieter->SetVolume(0.8f); // -20 dB: a tenth
    const struct { int32_t percent; float effects; } cases[] = {{50, 0.31623f}, {20, 0.06902f}, {0, 0.0f}, {100, 1.0f}};
    for (const auto& [percent, effects] : cases) {
        SCOPED_TRACE(percent);
        MSound::SetEffectsVolume(MSoundManager::VolumeOfPercent(percent));
        ASSERT_EQ(Create(wave, &later), 0);
        EXPECT_NEAR(Gain(quieter->GetVoice(0)), 0.1f * effects, 1e-5f);
        EXPECT_NEAR(Gain(quieter->GetVoice(1)), effects, 1e-4f);
        EXPECT_NEAR(Gain(later->GetVoice(0)), effects, 1e-4f);
        full->SetVolume(0.9f); // -10 dB
        EXPECT_NEAR(Gain(full->GetVoice(0)), 0.31623f * effects, 1e-5f);
        full->SetVolume(1.0f);
    }
}

// Polls `done` for up to five seconds of the device's playing.
bool Within5s(const std::function<bool()>& done)
{
    for (int i = 0; i < 500; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

ALint Queued(const MMusicStream& stream)
{
    ALint queued = -1;
    alGetSourcei(stream.GetVoice(), AL_BUFFERS_QUEUED, &queued);
    return queued;
}

// The ring is queued from the start, a loop leading back into it; fed, the
// stream plays on, its ring full; a single play ends by itself and goes back
// to the start, all of the sound queued once.
TEST_F(Sound, MusicStreamLoopsThroughItsRingAndASinglePlayEndsAtItsStart)
{
    std::unique_ptr<MMusicStream> stream;
    EXPECT_EQ(CreateStream(Bytes(40, 'x'), &stream), snd::E_FAIL);
    EXPECT_EQ(GetMusicManager()->CreateStream(nullptr, Open(Pcm16Wave({1, 2}, 1, 22050)).get()), snd::E_INVALIDARG);
    // 20000 bytes of 8-bit mono at 192 kHz: a buffer of the ring lasts 43 ms.
    const Bytes wave = Riff({Chunk("fmt ", Format(1, 1, 192000, 8)), Chunk("data", Bytes(20000, 100))});
    ASSERT_EQ(CreateStream(wave, &stream), 0);
    EXPECT_EQ(Queued(*stream), 4);
    EXPECT_EQ(stream->GetNextOffset(), 4u * MMusicStream::kPieceBytes % 20000u);
    EXPECT_EQ(stream->SetVolume(-2000), 0);
    EXPECT_NEAR(Gain(stream->GetVoice()), 0.1f, 1e-6f);

    ASSERT_EQ(stream->Play(BMusicSegment::FlagBeat), 0);
    int laps = 0;
    size_t last = stream->GetNextOffset();
    EXPECT_TRUE(Within5s([&] {
        stream->Update();
        laps += stream->GetNextOffset() < last;
        last = stream->GetNextOffset();
        EXPECT_EQ(Queued(*stream), 4);
        return laps == 2;
    }));
    EXPECT_TRUE(stream->IsPlaying());

    stream->SetRepeats(0);
    EXPECT_TRUE(Within5s([&] {
        stream->Update();
        return !stream->IsPlaying();
    }));
    EXPECT_EQ(Queued(*stream), 3);
    EXPECT_EQ(stream->GetNextOffset(), 20000u);
}

} // namespace
