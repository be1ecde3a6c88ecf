#pragma once
#include <cstdint>

// Pixel rectangle; right and bottom are exclusive.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return left >= right || top >= bottom; }
    bool Contains(int32_t x, int32_t y) const { return left <= x && x < right && top <= y && y < bottom; }
    // Strict overlap: rectangles that only share an edge do not overlap.
    bool Overlaps(const Rect& r) const
    {
        return left < r.right && right > r.left && top < r.bottom && bottom > r.top;
    }
    bool ContainsRect(const Rect& r) const
    {
        return left <= r.left && r.right <= right && top <= r.top && r.bottom <= bottom;
    }
    Rect Intersection(const Rect& r) const;
    Rect Union(const Rect& r) const;
    // Writes this minus its intersection with r into out, in the order band
    // above, band left, band right, band below; returns how many it wrote.
    // Without an overlap the one piece is this rectangle itself.
    int32_t Subtract(const Rect& r, Rect out[4]) const;

    bool operator==(const Rect&) const = default;
};
