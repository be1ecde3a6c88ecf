#include "game/maze/ALeanBase.h"

#include "game/maze/AClassMesh.h"
#include "platform/math/MVector3.h"

ALeanBase::ALeanBase(CScene* pScene, const MMatrix& placement) : CActorMesh(pScene, &placement, pClassMesh, 0)
{
    StartMotion();
    fShadow = 1;
    // The floor at z = 1.49.
    plShadow.SetFromPointNormal(MVector3(0.0f, 1.0f, 1.49f), MVector3(0.0f, 0.0f, 1.0f));
    plShadow.Normalize();
}

int32_t ALeanBase::Restart(int32_t, int32_t)
{
    StartMotion();
    matWorld = matHome;
    SetVelocity(0, 0, 0);
    return 0;
}

int32_t ALeanBase::LoadAssets(CFileMM* pArchive)
{
    AClassMesh::Load(pClassMesh, pArchive, 9);
    return 0;
}

void ALeanBase::UnloadAssets() { AClassMesh::Release(pClassMesh); }
