#include "platform/audio/MMusicManager.h"
#include "base/Trace.h"
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
