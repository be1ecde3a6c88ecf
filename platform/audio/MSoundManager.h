#pragma once
#include <AL/al.h>
#include <AL/alc.h>
#include <cstdint>
#include <vector>

class MFileMMIO;
class MSound;
struct SDL_Window;

// Result codes and flags of the sound interface.
namespace snd {
constexpr int32_t E_FAIL = int32_t(0x80004005);
constexpr int32_t E_INVALIDARG = int32_t(0x80070057);
constexpr int32_t E_OUTOFMEMORY = int32_t(0x8007000E);
constexpr int32_t CO_E_NOTINITIALIZED = int32_t(0x800401F0);
constexpr int32_t DSERR_NODRIVER = int32_t(0x88780078);
constexpr int32_t DSERR_BADFORMAT = int32_t(0x88780064);

constexpr uint32_t DSSCL_NORMAL = 1;
constexpr uint32_t DSSCL_PRIORITY = 2;
constexpr uint32_t DSBCAPS_CTRLVOLUME = 0x80;
} // namespace snd

// The process's audio output: one OpenAL device and context.
class MSoundManager {
public:
    MSoundManager() = default;
    MSoundManager(const MSoundManager&) = delete;
    MSoundManager& operator=(const MSoundManager&) = delete;
    ~MSoundManager();

    // Opens the default device with a context of the given rate. Level
    // DSSCL_NORMAL keeps the device's own format. 0 or a failure code
    // (snd::DSERR_NODRIVER without a device).
    int32_t Initialize(SDL_Window* pWindow, uint32_t nLevel, uint32_t nChannels,
                       uint32_t nSamplesPerSec, uint32_t nBitsPerSample);
    // Reads the RIFF WAVE at the file's position into one static buffer with
    // nCount voices. The file is left wherever the reader stopped.
    int32_t CreateSound(MSound** ppSound, MFileMMIO* pFile, uint32_t nFlags, const void* pGuid,
                        uint32_t nCount);

    // Whether sounds can be heard: a device is open.
    bool IsInitialized() const { return pContext != nullptr; }
    ALCdevice* GetDevice() const { return pDevice; }

    // Hundredths of a decibel of a volume in percent, by ear: each halving
    // is 10 dB quieter, 100 and above full, 0 and below silent.
    static int32_t VolumeOfPercent(int32_t lPercent);

    // The sound data of the RIFF WAVE at the file's position, in whole frames, with
    // its buffer format and rate: 0 or a failure code (snd::DSERR_BADFORMAT when
    // it cannot be played).
    struct Pcm {
        std::vector<uint8_t> rgbData;
        ALenum nFormat = 0;
        uint32_t nRate = 0;
    };
    static int32_t ReadWave(MFileMMIO* pFile, Pcm* pPcm);

private:
    void Release();

    ALCdevice* pDevice = nullptr;
    ALCcontext* pContext = nullptr;
};

// The process-wide sound manager, created on first use.
MSoundManager* GetSoundManager();
void DestroySoundManager();
