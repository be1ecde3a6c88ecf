#include "game/maze/ALeanBoard.h"

#include <algorithm>
#include <memory>
#include "base/Result.h"
#include "common/scene/CScene.h"
#include "common/screen/CInputRecorder.h"
#include "common/screen/CScreen.h"
#include "common/assets/CMesh.h"
#include "game/maze/AClassMesh.h"
#include "game/maze/ALeanFrame.h"
#include "game/maze/ALeanHost.h"

namespace {
constexpr float kRadiansPerCount = 0.001f;
constexpr int32_t kPercent = 100;

int32_t ClampLean(int32_t n, int32_t nUnit)
{
    return std::clamp(n, -ALeanBoard::MaxLean * nUnit, ALeanBoard::MaxLean * nUnit);
}
} // namespace

ALeanBoard::ALeanBoard(CScene* pScene, const MMatrix& placement) : CActorMesh(pScene, &placement, pClassMesh, 0)
{
    StartMotion();
    pFrame = new ALeanFrame(pScene, placement);
}

int32_t ALeanBoard::Restart(int32_t, int32_t)
{
    nLeanX = nLeanY = nMouseX = nMouseY = nOtherX = nOtherY = 0;
    leanInput.Restart();
    StartMotion();
    matWorld = matHome;
    matLean.SetIdentity();
    SetVelocity(0, 0, 0);
    return 0;
}

int32_t ALeanBoard::OnMouse(const MouseEvent* e) { return ALeanHost::TakeLeanMouse(this, e); }

int32_t ALeanBoard::WantsMouse(const MouseEvent* e) { return ALeanHost::WantsLeanMouse(this, e); }

void ALeanBoard::BeginLean(int32_t, int32_t)
{
    CScreen* screen = pScene ? pScene->GetScreen() : nullptr;
    if (!screen)
        return;
    BWindow::Point cursor{};
    screen->GetCursorPosition(&cursor);
    nLastMouseX = cursor.x;
    nLastMouseY = cursor.y;
}

bool ALeanBoard::IsLocked()
{
    const ALeanHost* host = ALeanHost::Running();
    return host && host->IsLeanLocked();
}

void ALeanBoard::SetMouseFeel(int32_t nPercent, bool fInvert)
{
    nSensitivity = nPercent;
    fInvertY = fInvert;
}

void ALeanBoard::LeanTo(int32_t x, int32_t y)
{
    const int32_t mx = x & 0xFFFF;
    const int32_t my = y & 0xFFFF;
    if (!IsLocked()) {
        const int32_t dy = fInvertY ? my - nLastMouseY : nLastMouseY - my;
        nMouseX = ClampLean(nMouseX + (nLastMouseX - mx) * nSensitivity, kPercent);
        nMouseY = ClampLean(nMouseY + dy * nSensitivity, kPercent);
        ApplyLean();
    }
    nLastMouseX = mx;
    nLastMouseY = my;
}

void ALeanBoard::Update(int32_t dt)
{
    CActorMesh::Update(dt);
    if (IsLocked())
        return;
    leanInput.Update(dt);
    int32_t x = leanInput.GetX(), y = leanInput.GetY();
    GetInputRecorder()->Lean(pScene, &x, &y);
    if (x == nOtherX && y == nOtherY)
        return;
    nOtherX = x;
    nOtherY = y;
    ApplyLean();
}

void ALeanBoard::ApplyLean()
{
    nLeanX = ClampLean(nMouseX / kPercent + nOtherX, 1);
    nLeanY = ClampLean(nMouseY / kPercent + nOtherY, 1);
    // The y rotation comes first (row vectors).
    matWork.SetRotationY(float(nLeanX) * kRadiansPerCount);
    matStep.SetRotationX(float(nLeanY) * kRadiansPerCount);
    matLean.SetProduct(matWork, matStep);
    matWorld.SetProduct(matLean, matHome);
    if (pFrame)
        pFrame->FollowLean(matLean);
}

float ALeanBoard::GetSurfaceZ(float x, float y)
{
    matWork.SetTranslation(x, y, matHome(3, 2));
    matStep.SetRotationY(float(nLeanX) * kRadiansPerCount);
    matWork.SetProduct(matWork, matStep);
    matStep.SetRotationX(float(nLeanY) * kRadiansPerCount);
    matWork.SetProduct(matWork, matStep);
    return matWork(3, 2);
}

int32_t ALeanBoard::LoadAssets(CFileMM* pArchive, uint32_t nBoardEntry, uint32_t nFrameEntry)
{
    std::unique_ptr<CMesh> board(AClassMesh::Read(pArchive, nBoardEntry));
    if (ALeanFrame::LoadAssets(pArchive, nFrameEntry) != 0)
        return Result::kLoaderFailed;
    AClassMesh::Release(pClassMesh);
    pClassMesh = board.release();
    return 0;
}

void ALeanBoard::TakeClassMeshes()
{
    SetMesh(pClassMesh);
    if (pFrame)
        pFrame->SetMesh(ALeanFrame::GetClassMesh());
}

void ALeanBoard::UnloadAssets()
{
    ALeanFrame::UnloadAssets();
    AClassMesh::Release(pClassMesh);
}
