#include "platform/audio/MSoundManager.h"
#include "platform/audio/MSound.h"
#include "platform/audio/MWaveFile.h"
#include <AL/al.h>
#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr uint32_t kMinRate = 100;
constexpr uint32_t kMaxRate = 200000;
constexpr int32_t kSilence = -10000;

std::unique_ptr<MSoundManager> pSoundManager;

// The buffer format of a PCM WAVE, 0 for one we cannot play.
ALenum BufferFormat(const MWaveFormat& wfx)
{
    const bool pcm = wfx.wFormatTag == WAVE_FORMAT_PCM ||
                     (wfx.wFormatTag == WAVE_FORMAT_EXTENSIBLE && wfx.rgbExtra.size() >= 8 &&
                      wfx.rgbExtra[6] == WAVE_FORMAT_PCM && wfx.rgbExtra[7] == 0);
    if (!pcm || wfx.nSamplesPerSec < kMinRate || wfx.nSamplesPerSec > kMaxRate ||
        wfx.nBlockAlign != uint32_t(wfx.nChannels) * wfx.wBitsPerSample / 8)
        return 0;
    if (wfx.nChannels == 1)
        return wfx.wBitsPerSample == 8 ? AL_FORMAT_MONO8 : wfx.wBitsPerSample == 16 ? AL_FORMAT_MONO16 : 0;
    if (wfx.nChannels == 2)
        return wfx.wBitsPerSample == 8 ? AL_FORMAT_STEREO8 : wfx.wBitsPerSample == 16 ? AL_FORMAT_STEREO16 : 0;
    return 0;
}

} // namespace

MSoundManager* GetSoundManager()
{
    if (!pSoundManager)
        pSoundManager = std::make_unique<MSoundManager>();
    return pSoundManager.get();
}

void DestroySoundManager() { pSoundManager.reset(); }

MSoundManager::~MSoundManager() { Release(); }

void MSoundManager::Release()
{
    if (pContext != nullptr) {
        if (alcGetCurrentContext() == pContext)
            alcMakeContextCurrent(nullptr);
        alcDestroyContext(pContext);
        pContext = nullptr;
    }
    if (pDevice != nullptr) {
        alcCloseDevice(pDevice);
        pDevice = nullptr;
    }
}

int32_t MSoundManager::Initialize(SDL_Window*, uint32_t level, uint32_t channels, uint32_t rate, uint32_t bits)
{
    Release();
    pDevice = alcOpenDevice(nullptr);
    if (pDevice == nullptr)
        return snd::DSERR_NODRIVER;
    const bool normal = level == snd::DSSCL_NORMAL;
    if (!normal && (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate < kMinRate || rate > kMaxRate)) {
        Release();
        return snd::E_INVALIDARG;
    }
    const ALCint attributes[] = {ALC_FREQUENCY, ALCint(rate), 0};
    pContext = alcCreateContext(pDevice, normal ? nullptr : attributes);
    if (pContext == nullptr || alcMakeContextCurrent(pContext) != ALC_TRUE) {
        Release();
        return snd::E_FAIL;
    }
    return 0;
}

int32_t MSoundManager::VolumeOfPercent(int32_t lPercent)
{
    if (lPercent <= 0)
        return kSilence;
    const double hundredths = 1000.0 * std::log2(std::min(lPercent, 100) / 100.0);
    return std::max(kSilence, int32_t(std::lround(hundredths)));
}

int32_t MSoundManager::ReadWave(MFileMMIO* pFile, Pcm* pPcm)
{
    MWaveFile reader(pFile);
    if (reader.Open() != 0 || reader.GetSize() == 0)
        return snd::E_FAIL;
    const MWaveFormat& wfx = reader.GetFormat();
    pPcm->nFormat = BufferFormat(wfx);
    if (pPcm->nFormat == 0)
        return snd::DSERR_BADFORMAT;
    pPcm->nRate = wfx.nSamplesPerSec;
    const uint32_t size = reader.GetSize() - reader.GetSize() % wfx.nBlockAlign;
    uint32_t read = 0;
    try {
        pPcm->rgbData.resize(size);
    } catch (const std::bad_alloc&) {
        return snd::E_OUTOFMEMORY;
    }
    if (size == 0 || reader.Read(pPcm->rgbData.data(), size, &read) != 0)
        return snd::E_FAIL;
    return 0;
}

int32_t MSoundManager::CreateSound(MSound** ppSound, MFileMMIO* pFile, uint32_t, const void*, uint32_t nCount)
{
    if (pContext == nullptr)
        return snd::CO_E_NOTINITIALIZED;
    if (ppSound == nullptr || pFile == nullptr || nCount == 0)
        return snd::E_INVALIDARG;
    Pcm pcm;
    if (const int32_t result = ReadWave(pFile, &pcm); result != 0)
        return result;
    const uint32_t size = uint32_t(pcm.rgbData.size());
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, pcm.nFormat, pcm.rgbData.data(), ALsizei(size), ALsizei(pcm.nRate));
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return snd::E_FAIL;
    }
    std::vector<ALuint> voices(nCount);
    alGenSources(ALsizei(nCount), voices.data());
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return snd::E_OUTOFMEMORY;
    }
    for (ALuint voice : voices)
        alSourcei(voice, AL_BUFFER, ALint(buffer));
    *ppSound = new MSound(buffer, std::move(voices), size);
    return 0;
}
