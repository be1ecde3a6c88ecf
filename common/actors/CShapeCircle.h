#pragma once
#include <cstdint>
#include "base/Rect.h"
#include "common/actors/CFixPoint.h"

class CActor;

// Circle inscribed in a bounding rectangle; centre and radius are fixed values.
class CShapeCircle {
public:
    CShapeCircle(const CFixPoint& centre, int32_t radius) : ptCentre(centre), lRadius(radius) {}

    // The circle of a shape-0 actor: its centre point, radius (w + h) * 64 - 64.
    static CShapeCircle OfActor(CActor* actor);
    // A circle given only by a rectangle: its middle, radius (w + h) * 64.
    static CShapeCircle OfRect(const Rect& r);
    // Radius of the actor circle inscribed in r.
    static int32_t ActorRadius(const Rect& r);

    // 1 when the centres are closer than the sum of the radii.
    int32_t Overlaps(const CShapeCircle& other) const;
    // 1 when the point (fixed values) lies within the radius, edge included.
    int32_t Reaches(const CFixPoint& pt) const;
    // The circle inscribed in c against the rectangle r.
    static int32_t TouchesRect(const Rect& c, const Rect& r);

private:
    CFixPoint ptCentre;
    int32_t lRadius;
};
