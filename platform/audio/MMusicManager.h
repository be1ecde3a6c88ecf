#pragma once
#include <cstdint>

class MSoundManager;
struct SDL_Window;

constexpr uint32_t DMUS_APATH_DYNAMIC_STEREO = 8;

// Background music start-up. No segment is ever loaded, so this only
// records whether audio could be initialised on the sound manager's device.
class MMusicManager {
public:
    // 0, or snd::DSERR_NODRIVER when the sound manager has no device.
    int32_t Initialize(SDL_Window* pWindow, MSoundManager* pSound, uint32_t nChannels,
                       uint32_t nPathType);
    bool IsAudioInitialized() const { return fAudio; }

private:
    bool fAudio = false;
};

// The process-wide music manager, created on first use.
MMusicManager* GetMusicManager();
void DestroyMusicManager();
