#pragma once
#include "base/BSound.h"
#include <AL/al.h>
#include <cstddef>
#include <cstdint>
#include <vector>

// One sound held in a static buffer, played through one or more voices.
// Each voice sounds at its own volume times the effects volume that all
// sounds share. Codes: 61 no voice could be used, 63 no voices or the play
// was refused, 66 a stop failed.
class MSound : public BSound {
public:
    // Takes the buffer and the voices (each already bound to the buffer).
    MSound(ALuint nBuffer, std::vector<ALuint> rgnVoices, uint32_t nBufferSize);
    MSound(const MSound&) = delete;
    MSound& operator=(const MSound&) = delete;
    ~MSound() override;

    bool IsPlaying() override;
    // A voice that is already playing keeps its position and plays on.
    int32_t Play(bool fLoop) override;
    // Pauses every voice; the next Play goes on from there.
    int32_t Stop() override;
    int32_t Halt() override;
    int32_t Replay() override;
    int32_t Toggle() override;
    int32_t GetVolume() override;
    int32_t SetVolume(float fFactor) override;

    uint32_t GetBufferSize() const { return nBufferSize; }
    uint32_t GetVoiceCount() const { return uint32_t(rgnVoices.size()); }
    ALuint GetVoice(uint32_t i) const { return rgnVoices[i]; }

    // Gain of a volume in hundredths of a decibel (silence at -10000).
    static float GainOf(int32_t lVolume);
    // The volume of every sound effect, in hundredths of a decibel; applied at once
    // to the sounds there are and to those made later.
    static void SetEffectsVolume(int32_t lVolume);
    // Every sound there is, in the order they were made.
    static const std::vector<MSound*>& GetAllSounds() { return rgpLive; }

private:
    bool IsVoicePlaying(ALuint nVoice) const;
    ALuint ChooseVoice() const;
    void ApplyGain(size_t nVoice) const;

    static inline int32_t lEffectsVolume = 0;
    static inline std::vector<MSound*> rgpLive;

    ALuint nBuffer;
    std::vector<ALuint> rgnVoices;
    std::vector<int32_t> rglVolume;
    uint32_t nBufferSize;
    bool fLoop = false;
};
