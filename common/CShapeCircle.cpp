#include "common/CShapeCircle.h"
#include "common/CActor.h"

int32_t CShapeCircle::ActorRadius(const Rect& r)
{
    return (r.Width() + r.Height()) * 64 - 64;
}

CShapeCircle CShapeCircle::OfActor(CActor* actor)
{
    return CShapeCircle(actor->GetCentrePoint(), ActorRadius(actor->GetBounds()));
}

CShapeCircle CShapeCircle::OfRect(const Rect& r)
{
    const int32_t w = r.Width();
    const int32_t h = r.Height();
    return CShapeCircle(CFixPoint(r.left * 256 + w * 128, r.top * 256 + h * 128), (w + h) * 64);
}

int32_t CShapeCircle::Overlaps(const CShapeCircle& other) const
{
    return ptCentre.Distance(other.ptCentre) < lRadius + other.lRadius;
}

int32_t CShapeCircle::Reaches(const CFixPoint& pt) const
{
    return ptCentre.Distance(pt) <= lRadius;
}

int32_t CShapeCircle::TouchesRect(const Rect& c, const Rect& r)
{
    const int32_t mx = c.left + c.Width() / 2;
    const int32_t my = c.top + c.Height() / 2;
    if (r.Contains(c.left, my) || r.Contains(c.right - 1, my) || r.Contains(mx, c.top) ||
        r.Contains(mx, c.bottom - 1))
        return 1;

    const CFixPoint centre((c.left + c.right) * 128, (c.top + c.bottom) * 128);
    const int32_t radius = ActorRadius(c);
    const CFixPoint corners[4] = {
        {r.left * 256, r.top * 256},
        {r.right * 256, r.top * 256},
        {r.right * 256, r.bottom * 256},
        {r.left * 256, r.bottom * 256},
    };
    for (const CFixPoint& corner : corners)
        if (centre.Distance(corner) < radius)
            return 1;
    return 0;
}
