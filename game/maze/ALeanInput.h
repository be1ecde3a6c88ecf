#pragma once
#include <cstdint>

// The lean the keys and the pad ask for, in the board's counts (thousandths
// of a radian), on top of the mouse's. A held key moves its axis towards full
// lean at a steady rate (full in 0.4 s) and a released one back towards level;
// opposite keys cancel. The left stick leans in proportion.
class ALeanInput {
public:
    static constexpr int32_t FullLean = 100;
    // Fixed-point steps: 1/256 of a count; full lean in 102 ticks (0.4 s).
    static constexpr int32_t StepsPerCount = 256;
    static constexpr int32_t StepsPerTick = 250;

    // True when the key is one of the lean keys (arrows, W, A, S, D).
    bool Press(uint32_t nKey, bool fDown);
    // Stick position in thousandths, y positive downwards, after the dead zone.
    void SetStick(int32_t x, int32_t y);
    // Moves the key lean by the frame's ticks.
    void Update(int32_t dt);
    // Level again, the keys and the stick still as they are held.
    void Restart();

    int32_t GetX() const;
    int32_t GetY() const;

private:
    // One axis: the key lean moving towards its target.
    static int32_t Towards(int32_t nNow, int32_t nTarget, int32_t dt);
    bool IsHeld(uint32_t nDirection) const;
    int32_t Target(uint32_t nPlus, uint32_t nMinus) const;
    static int32_t Combined(int32_t nKeySteps, int32_t nStick);

    uint32_t nHeld = 0; // a bit per lean key
    int32_t nKeyX = 0;  // in steps
    int32_t nKeyY = 0;
    int32_t nStickX = 0;
    int32_t nStickY = 0;
};
