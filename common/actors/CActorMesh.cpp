#include "common/actors/CActorMesh.h"
#include "base/Fixed.h"
#include "common/assets/CMesh.h"
#include "platform/video/MDeviceManager.h"

CActorMesh::CActorMesh(CScene* pScene, const MMatrix* pWorld, CMesh* pMesh, int32_t fRedrawOnDepth)
    : CActor(pScene, 0, 0, Fixed::FromInt(100).Raw(), 2, 1), matHome(*pWorld), matWorld(*pWorld), pMesh(pMesh)
{
    this->fRedrawOnDepth = fRedrawOnDepth;
    UpdateBounds();
    if (!fHidden)
        InvalidateBounds();
}

// A mesh has no 2D centre.
void CActorMesh::GetCentre(int32_t*, int32_t*) {}

CFixPoint CActorMesh::GetCentrePoint() { return CFixPoint(0, 0); }

void CActorMesh::UpdateBounds()
{
    if (pMesh)
        rcBounds = ImageBounds(*pMesh);
}

void CActorMesh::PostUpdate()
{
    CActor::PostUpdate();
    if (matWorld == matNoted && fShadow == fShadowNoted)
        return;
    matNoted = matWorld;
    fShadowNoted = fShadow;
    NoteDrawnChange();
}

// The device the mesh is drawn on; null without a mesh or a device.
MDeviceManager* CActorMesh::DrawingDevice() const
{
    if (!pMesh)
        return nullptr;
    MDeviceManager* device = GetDeviceManager();
    return device->HasDevice() ? device : nullptr;
}

void CActorMesh::Draw(const Rect*)
{
    MDeviceManager* device = DrawingDevice();
    if (!device)
        return;
    device->SaveWorldTransform();
    device->SetWorldTransform(matWorld);
    pMesh->GetMesh()->Draw(fOpacity);
    device->RestoreWorldTransform();
}

void CActorMesh::DrawShadow()
{
    MDeviceManager* device = fShadow ? DrawingDevice() : nullptr;
    if (!device)
        return;
    device->SaveWorldTransform();
    pMesh->GetMesh()->DrawShadow(vLight, matWorld, plShadow, fShadowDarkness);
    device->RestoreWorldTransform();
}
