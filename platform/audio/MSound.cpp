#include "platform/audio/MSound.h"
#include <AL/alc.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include "base/Result.h"

namespace {

constexpr int32_t kSilence = -10000;

} // namespace

MSound::MSound(ALuint buffer, std::vector<ALuint> voices, uint32_t size)
    : nBuffer(buffer), rgnVoices(std::move(voices)), rglVolume(rgnVoices.size(), 0), nBufferSize(size)
{
    for (size_t i = 0; i < rgnVoices.size(); ++i) {
        alSourceRewind(rgnVoices[i]);
        ApplyGain(i);
    }
    rgpLive.push_back(this);
}

MSound::~MSound()
{
    std::erase(rgpLive, this);
    if (alcGetCurrentContext() == nullptr)
        return; // the device went first and took the voices with it
    alDeleteSources(ALsizei(rgnVoices.size()), rgnVoices.data());
    alDeleteBuffers(1, &nBuffer);
}

float MSound::GainOf(int32_t lVolume)
{
    return lVolume <= kSilence ? 0.0f : std::pow(10.0f, float(lVolume) / 2000.0f);
}

void MSound::SetEffectsVolume(int32_t lVolume)
{
    lEffectsVolume = std::clamp(lVolume, kSilence, 0);
    for (const MSound* sound : rgpLive)
        for (size_t i = 0; i < sound->rgnVoices.size(); ++i)
            sound->ApplyGain(i);
}

void MSound::ApplyGain(size_t i) const
{
    alSourcef(rgnVoices[i], AL_GAIN, GainOf(rglVolume[i]) * GainOf(lEffectsVolume));
}

bool MSound::IsVoicePlaying(ALuint voice) const
{
    ALint state = AL_STOPPED;
    alGetSourcei(voice, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

bool MSound::IsPlaying()
{
    return std::any_of(rgnVoices.begin(), rgnVoices.end(), [this](ALuint v) { return IsVoicePlaying(v); });
}

// The first voice that is not playing; when all are, any of them.
ALuint MSound::ChooseVoice() const
{
    for (ALuint voice : rgnVoices)
        if (!IsVoicePlaying(voice))
            return voice;
    return rgnVoices[size_t(std::rand()) % rgnVoices.size()];
}

int32_t MSound::Play(bool loop)
{
    if (rgnVoices.empty())
        return Result::kSoundPlayFailed;
    const ALuint voice = ChooseVoice();
    alGetError();
    alSourcei(voice, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    if (!IsVoicePlaying(voice))
        alSourcePlay(voice);
    if (alGetError() != AL_NO_ERROR)
        return Result::kSoundPlayFailed;
    fLoop = loop;
    return 0;
}

int32_t MSound::Stop()
{
    if (rgnVoices.empty())
        return Result::kNoSoundBuffer;
    alGetError();
    for (ALuint voice : rgnVoices)
        if (IsVoicePlaying(voice))
            alSourcePause(voice);
    return alGetError() == AL_NO_ERROR ? 0 : Result::kSoundStopFailed;
}

int32_t MSound::Halt()
{
    Stop();
    return 0;
}

int32_t MSound::Replay()
{
    Play(fLoop);
    return 0;
}

int32_t MSound::Toggle()
{
    if (IsPlaying())
        Stop();
    else
        Play(fLoop);
    return 0;
}

int32_t MSound::GetVolume() { return rglVolume.empty() ? 0 : rglVolume[0]; }

int32_t MSound::SetVolume(float factor)
{
    if (rgnVoices.empty())
        return 0;
    const float f = factor > 1.0f ? 1.0f : factor >= 0.0f ? factor : 0.0f; // NaN is silence
    rglVolume[0] = int32_t(f * 10000.0f - 10000.0f);
    ApplyGain(0);
    return 0;
}
