#include "base/Rect.h"
#include <algorithm>

Rect Rect::Intersection(const Rect& r) const
{
    return {std::max(left, r.left), std::max(top, r.top), std::min(right, r.right), std::min(bottom, r.bottom)};
}

Rect Rect::Union(const Rect& r) const
{
    return {std::min(left, r.left), std::min(top, r.top), std::max(right, r.right), std::max(bottom, r.bottom)};
}

int32_t Rect::Subtract(const Rect& r, Rect out[4]) const
{
    if (!Overlaps(r)) {
        out[0] = *this;
        return 1;
    }
    const Rect cut = Intersection(r);
    const Rect bands[4] = {
        {left, top, right, cut.top},
        {left, cut.top, cut.left, cut.bottom},
        {cut.right, cut.top, right, cut.bottom},
        {left, cut.bottom, right, bottom},
    };
    int32_t n = 0;
    for (const Rect& band : bands) {
        if (!band.IsEmpty())
            out[n++] = band;
    }
    return n;
}
