#pragma once
#include <cstdint>

// Deterministic noise for the generators (no library random numbers, so the
// same sources give the same bytes everywhere).
class Noise {
public:
    explicit Noise(uint32_t seed) : nSeed(seed) {}

    // Integer hash to [0, 1).
    float Hash(int32_t x, int32_t y) const;
    // Smooth value noise in [0, 1); repeats every periodX (periodY) units
    // along x (y) when that period is above 0.
    float Value(float x, float y, int32_t periodX = 0, int32_t periodY = 0) const;
    // Sum of octaves of value noise, normalised to [0, 1), with the same periods.
    float Fractal(float x, float y, int octaves, int32_t periodX = 0, int32_t periodY = 0) const;
    // Next number of a simple sequence in [0, 1).
    float Next();

private:
    uint32_t nSeed;
    uint32_t nState = 0;
};
