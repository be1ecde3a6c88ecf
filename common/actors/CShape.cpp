#include "common/actors/CShape.h"
#include "common/actors/CActor.h"
#include "common/actors/CShapeCircle.h"
#include "common/actors/CShapeMask.h"

namespace {
bool IsKind(int32_t shape)
{
    return shape >= CShape::kCircle && shape <= CShape::kMask;
}
} // namespace

int32_t CShape::Collide(CActor* a, CActor* b)
{
    if (!b || !IsKind(a->GetShape()) || !IsKind(b->GetShape()))
        return 0;
    const Rect& ra = a->GetBounds();
    const Rect& rb = b->GetBounds();
    switch (a->GetShape() * 3 + b->GetShape()) {
    case kRect * 3 + kRect:
        return ra.Overlaps(rb);
    case kMask * 3 + kMask:
        return CShapeMask::AgainstMask(a, b);
    case kRect * 3 + kMask:
        return CShapeMask::AgainstRect(b, ra);
    case kMask * 3 + kRect:
        return CShapeMask::AgainstRect(a, rb);
    case kCircle * 3 + kCircle:
        return CShapeCircle::OfActor(a).Overlaps(CShapeCircle::OfActor(b));
    case kRect * 3 + kCircle:
        return CShapeCircle::TouchesRect(rb, ra);
    case kCircle * 3 + kRect:
        return CShapeCircle::TouchesRect(ra, rb);
    case kCircle * 3 + kMask:
        return CShapeMask::AgainstCircle(b, ra);
    case kMask * 3 + kCircle:
        return CShapeMask::AgainstCircle(a, rb);
    default:
        return 0;
    }
}
