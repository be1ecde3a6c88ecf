#pragma once
#include <cstdint>

// A 24.8 fixed value: 256 is one pixel or one unit of depth.
class Fixed {
public:
    static constexpr int32_t kOne = 256;

    constexpr Fixed() = default;
    static constexpr Fixed FromRaw(int32_t raw)
    {
        Fixed f;
        f.lRaw = raw;
        return f;
    }
    static constexpr Fixed FromInt(int32_t n) { return FromRaw(n * kOne); }
    // Halfway between whole a and whole b.
    static constexpr Fixed Mid(int32_t a, int32_t b) { return FromRaw((a + b) * (kOne / 2)); }
    // a / b, truncated, with the scaled dividend in 64 bits; b is not 0.
    static constexpr Fixed Ratio(int32_t a, int32_t b) { return FromRaw(int32_t(int64_t(a) * kOne / b)); }

    constexpr int32_t Raw() const { return lRaw; }
    // The whole part, rounded down.
    constexpr int32_t Whole() const { return lRaw >> 8; }

    constexpr Fixed operator+(Fixed other) const { return FromRaw(lRaw + other.lRaw); }
    // The product through 64 bits, shifted back arithmetically.
    constexpr Fixed operator*(Fixed other) const { return FromRaw(int32_t((int64_t(lRaw) * other.lRaw) >> 8)); }

private:
    int32_t lRaw = 0;
};
