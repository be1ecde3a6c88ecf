#include "platform/video/MTransforms.h"

MMatrix* MTransforms::Slot(int32_t state)
{
    switch (state) {
    case kTransformView: return &matView;
    case kTransformProjection: return &matProjection;
    case kTransformWorld: return &matWorld;
    default: return nullptr;
    }
}

void MTransforms::Set(int32_t state, const MMatrix& matrix)
{
    if (MMatrix* slot = Slot(state))
        *slot = matrix;
}

void MTransforms::Get(int32_t state, MMatrix* matrix) const
{
    if (const MMatrix* slot = const_cast<MTransforms*>(this)->Slot(state))
        *matrix = *slot;
}

void MTransforms::SetDefaultProjection()
{
    matProjection.SetPerspectiveFovLH(kFovY, kAspect, kNear, kFar);
}
