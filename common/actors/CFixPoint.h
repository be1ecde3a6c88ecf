#pragma once
#include <cstdint>

// 2D point of two fixed values (units of 1/256).
class CFixPoint {
public:
    CFixPoint() = default;
    CFixPoint(int32_t lX, int32_t lY) : x(lX), y(lY) {}
    CFixPoint(const CFixPoint&) = default;
    CFixPoint& operator=(const CFixPoint&) = default;
    virtual ~CFixPoint() = default;

    // Euclidean distance as a fixed value, truncated.
    int32_t Distance(const CFixPoint& other) const;

    int32_t x = 0;
    int32_t y = 0;
};
