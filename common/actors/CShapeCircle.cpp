#include "common/actors/CShapeCircle.h"
#include "base/Fixed.h"
#include "common/actors/CActor.h"

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
    return CShapeCircle(CFixPoint(Fixed::Mid(r.left, r.right).Raw(), Fixed::Mid(r.top, r.bottom).Raw()), (w + h) * 64);
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

    const CFixPoint centre(Fixed::Mid(c.left, c.right).Raw(), Fixed::Mid(c.top, c.bottom).Raw());
    const int32_t radius = ActorRadius(c);
    const CFixPoint corners[4] = {
        {Fixed::FromInt(r.left).Raw(), Fixed::FromInt(r.top).Raw()},
        {Fixed::FromInt(r.right).Raw(), Fixed::FromInt(r.top).Raw()},
        {Fixed::FromInt(r.right).Raw(), Fixed::FromInt(r.bottom).Raw()},
        {Fixed::FromInt(r.left).Raw(), Fixed::FromInt(r.bottom).Raw()},
    };
    for (const CFixPoint& corner : corners)
        if (centre.Distance(corner) < radius)
            return 1;
    return 0;
}
