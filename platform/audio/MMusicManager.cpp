#include "platform/audio/MMusicManager.h"
#include "base/Trace.h"
#include "platform/audio/MMusicStream.h"
#include "platform/audio/MSoundManager.h"
#include <memory>

namespace {

std::unique_ptr<MMusicManager> pMusicManager;

} // namespace

MMusicManager* GetMusicManager()
{
    if (!pMusicManager)
        pMusicManager = std::make_unique<MMusicManager>();
    return pMusicManager.get();
}

void DestroyMusicManager() { pMusicManager.reset(); }

int32_t MMusicManager::Initialize(SDL_Window*, MSoundManager* pSound, uint32_t, uint32_t)
{
    fAudio = pSound != nullptr && pSound->IsInitialized();
    if (!fAudio) {
        Trace("Warning: No sound card found\n");
        return snd::DSERR_NODRIVER;
    }
    return 0;
}

int32_t MMusicManager::CreateStream(MMusicStream** ppStream, MFileMMIO* pFile)
{
    if (alcGetCurrentContext() == nullptr)
        return snd::CO_E_NOTINITIALIZED;
    if (ppStream == nullptr || pFile == nullptr)
        return snd::E_INVALIDARG;
    MSoundManager::Pcm pcm;
    if (const int32_t result = MSoundManager::ReadWave(pFile, &pcm); result != 0)
        return result;
    alGetError();
    ALuint voice = 0;
    std::array<ALuint, MMusicStream::kRingSize> ring{};
    alGenSources(1, &voice);
    if (alGetError() != AL_NO_ERROR)
        return snd::E_OUTOFMEMORY;
    alGenBuffers(ALsizei(ring.size()), ring.data());
    if (alGetError() != AL_NO_ERROR) {
        alDeleteSources(1, &voice);
        return snd::E_OUTOFMEMORY;
    }
    *ppStream = new MMusicStream(voice, ring, std::move(pcm.rgbData), pcm.nFormat, pcm.nRate);
    return 0;
}
