#pragma once
#include <cstdint>

// A piece of background music and the performance that plays it.
// Calls return 0 on success, nonzero on failure.
class BMusicSegment {
public:
    static constexpr uint32_t FlagSecondary = 128;
    static constexpr uint32_t FlagBeat = 4096;
    static constexpr uint32_t RepeatForever = 0xFFFFFFFFu;

    virtual ~BMusicSegment() = default;
    virtual int32_t Play(uint32_t nFlags) = 0;
    virtual int32_t Stop(uint32_t nFlags) = 0;
    virtual int32_t IsPlaying() = 0;
    virtual int32_t SetRepeats(uint32_t nRepeats) = 0;
    // Master volume in hundredths of a decibel (-10000 silent, 0 full).
    virtual int32_t SetVolume(int32_t lVolume) = 0;
    // Called once a frame: keeps the playing music fed.
    virtual void Update() = 0;
};
