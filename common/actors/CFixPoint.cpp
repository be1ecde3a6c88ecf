#include "common/actors/CFixPoint.h"
#include <cmath>

int32_t CFixPoint::Distance(const CFixPoint& other) const
{
    const double dx = (x - other.x) * (1.0 / 256.0);
    const double dy = (y - other.y) * (1.0 / 256.0);
    return static_cast<int32_t>(std::sqrt(dx * dx + dy * dy) * 256.0);
}
