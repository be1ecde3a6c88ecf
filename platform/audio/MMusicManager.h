#pragma once
#include <cstdint>

class MFileMMIO;
class MMusicStream;
class MSoundManager;
struct SDL_Window;

constexpr uint32_t DMUS_APATH_DYNAMIC_STEREO = 8;

// Background music: whether it can play on the sound manager's device, and
// the streams that play it.
class MMusicManager {
public:
    // 0, or snd::DSERR_NODRIVER when the sound manager has no device.
    int32_t Initialize(SDL_Window* pWindow, MSoundManager* pSound, uint32_t nChannels,
                       uint32_t nPathType);
    bool IsAudioInitialized() const { return fAudio; }
    // A stream of the RIFF WAVE at the file's position, stopped at its start,
    // on the sound manager's device; the file is left wherever the reader
    // stopped. 0 or a failure code.
    int32_t CreateStream(MMusicStream** ppStream, MFileMMIO* pFile);

private:
    bool fAudio = false;
};

// The process-wide music manager, created on first use.
MMusicManager* GetMusicManager();
void DestroyMusicManager();
