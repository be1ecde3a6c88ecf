#pragma once
#include <cstdint>

// A sound effect that can be played once or looped at a set volume.
// Operations return 0 or a small failure code.
class BSound {
public:
    virtual ~BSound() = default;
    virtual bool IsPlaying() = 0;
    virtual int32_t Play(bool fLoop) = 0;
    virtual int32_t Stop() = 0;
    virtual int32_t Halt() = 0;
    virtual int32_t Replay() = 0;
    virtual int32_t Toggle() = 0;
    // Hundredths of a decibel: 0 full volume, -10000 silence.
    virtual int32_t GetVolume() = 0;
    // 1.0 full volume, 0.0 silence.
    virtual int32_t SetVolume(float fFactor) = 0;
};
