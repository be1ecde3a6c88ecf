#include "game/maze/ALeanFrame.h"

#include "game/maze/AClassMesh.h"
#include "game/maze/ALeanHost.h"
#include "platform/math/MPlane.h"

ALeanFrame::ALeanFrame(CScene* pScene, const MMatrix& placement) : CActorMesh(pScene, &placement, pClassMesh, 0)
{
    StartMotion();
    fShadow = 1;
}

int32_t ALeanFrame::Restart(int32_t, int32_t)
{
    StartMotion();
    matWorld = matHome;
    SetVelocity(0, 0, 0);
    return 0;
}

void ALeanFrame::FollowLean(const MMatrix& matLean) { matWorld.SetProduct(matLean, matHome); }

void ALeanFrame::LeanedBoardPlane(const MMatrix& matLean, float dz, MPlane* pPlane)
{
    // The board's surface z = -0.15, facing the viewer.
    const MPlane level(0.0f, 0.0f, 1.0f, 0.15f);
    MMatrix lower, placed, inverse, inverseTranspose;
    lower.SetTranslation(0.0f, 0.0f, dz);
    placed.SetProduct(matLean, lower);
    inverse.SetInverse(placed, nullptr);
    inverseTranspose.SetTranspose(inverse);
    pPlane->SetTransformed(level, inverseTranspose);
}

void ALeanFrame::DrawShadow()
{
    ALeanHost* host = ALeanHost::Running();
    if (host)
        LeanedBoardPlane(host->GetLeanMatrix(), -1.31f, &plShadow);
    CActorMesh::DrawShadow();
}

int32_t ALeanFrame::LoadAssets(CFileMM* pArchive, uint32_t nEntry)
{
    AClassMesh::Load(pClassMesh, pArchive, nEntry);
    return 0;
}

void ALeanFrame::UnloadAssets() { AClassMesh::Release(pClassMesh); }
