#include "common/scene/CInputRouter.h"
#include "base/Fixed.h"
#include "common/actors/CActor.h"
#include "common/screen/CInputRecorder.h"
#include "common/scene/CScene.h"
#include "common/scene/CSceneStack.h"
#include "common/assets/CSprite.h"

namespace {

// Actors this deep or deeper never take the mouse.
constexpr int32_t kNoMouseDepth = Fixed::FromInt(10000).Raw();

CScene* g_pKeyDown = nullptr;
CScene* g_pButtonDown = nullptr;
CScene* g_pCaptureScene = nullptr;
CActor* g_pCaptureActor = nullptr;

} // namespace

void CInputRouter::SetCapture(CActor* pActor)
{
    g_pCaptureActor = pActor;
    g_pCaptureScene = pActor ? pActor->GetScene() : nullptr;
}

void CInputRouter::CancelCapture()
{
    CActor* pHolder = g_pCaptureActor;
    SetCapture(nullptr);
    if (pHolder)
        pHolder->OnCaptureLost();
}

CActor* CInputRouter::GetCaptureActor() { return g_pCaptureActor; }

void CInputRouter::Forget(const CScene* pScene)
{
    if (g_pKeyDown == pScene)
        g_pKeyDown = nullptr;
    if (g_pButtonDown == pScene)
        g_pButtonDown = nullptr;
}

int32_t CInputRouter::DispatchKey(int nKind, uint32_t nKey)
{
    const bool fDown = nKind == CInputRecorder::kKeyDown || nKind == CInputRecorder::kSysKeyDown;
    const bool fSystem = nKind == CInputRecorder::kSysKeyDown || nKind == CInputRecorder::kSysKeyUp;
    CScene* pTop = CSceneStack::GetTop();
    if (!pTop)
        return 1;
    if (fDown)
        g_pKeyDown = pTop;
    else if (pTop != g_pKeyDown)
        return 1;
    if (fSystem)
        return fDown ? pTop->OnSysKeyDown(nKey) : pTop->OnSysKeyUp(nKey);
    return fDown ? pTop->OnKeyDown(nKey) : pTop->OnKeyUp(nKey);
}

int32_t CInputRouter::DispatchMouse(const MouseEvent* e)
{
    if (g_pCaptureScene)
        return g_pCaptureActor->OnMouse(e);
    CScene* pTarget = CSceneStack::GetTop();
    if (!pTarget)
        return 0;
    int32_t nResult = 0;
    // A release whose press the scene took itself is the scene's, whatever lies under the pointer.
    const bool fOwnRelease = (e->nType == MouseEvent::LeftUp && pTarget->fLeftHeld) ||
                             (e->nType == MouseEvent::RightUp && pTarget->fRightHeld);
    if (e->nType != MouseEvent::Move && !fOwnRelease && RouteToActors(pTarget, e, &nResult))
        return nResult;
    return HandleOwnMouse(pTarget, e);
}

bool CInputRouter::RouteToActors(CScene* pScene, const MouseEvent* e, int32_t* pnResult)
{
    for (CActor* a = pScene->GetFirstActor(); a; a = a->GetNext()) {
        const Rect& rc = a->GetBounds();
        if (a->IsHidden() || a->GetZ() >= kNoMouseDepth || !rc.Contains(e->wX, e->wY))
            continue;
        CSprite* pImage = a->GetImage();
        if (!a->WantsMouse(e))
            continue;
        if (pImage) {
            const int32_t nMirror = a->GetMirror();
            const int32_t fFlipH = nMirror == CActor::MirrorH || nMirror == CActor::MirrorBoth;
            const int32_t fFlipV = nMirror == CActor::MirrorV || nMirror == CActor::MirrorBoth;
            if (pImage->IsTransparentAt(e->wX - rc.left, e->wY - rc.top, fFlipV, fFlipH))
                continue;
        }
        *pnResult = a->OnMouse(e);
        return true;
    }
    return false;
}

int32_t CInputRouter::HandleOwnMouse(CScene* pScene, const MouseEvent* e)
{
    static constexpr ButtonHandlers kLeft{&CScene::OnLeftButtonDown, &CScene::OnLeftButtonUp,
                                          &CScene::OnLeftDoubleClick};
    static constexpr ButtonHandlers kRight{&CScene::OnRightButtonDown, &CScene::OnRightButtonUp,
                                           &CScene::OnRightDoubleClick};
    switch (e->nType) {
    case MouseEvent::Move:
        pScene->OnMouseMove(e->wX, e->wY);
        return 1;
    case MouseEvent::NonClientMove:
        pScene->OnNonClientMouseMove(e->wX, e->wY);
        return 1;
    case MouseEvent::LeftDown:
    case MouseEvent::LeftUp:
    case MouseEvent::LeftDoubleClick:
        HandleButton(pScene, e, e->nType - MouseEvent::LeftDown, &pScene->fLeftHeld, kLeft);
        return 1;
    case MouseEvent::RightDown:
    case MouseEvent::RightUp:
    case MouseEvent::RightDoubleClick:
        HandleButton(pScene, e, e->nType - MouseEvent::RightDown, &pScene->fRightHeld, kRight);
        return 1;
    default:
        return 0;
    }
}

// nStep: 0 press, 1 release, 2 double click.
void CInputRouter::HandleButton(CScene* pScene, const MouseEvent* e, uint32_t nStep, int32_t* pfHeld,
                                const ButtonHandlers& handlers)
{
    *pfHeld = nStep == 0;
    if (nStep == 1) {
        if (g_pButtonDown == pScene)
            (pScene->*handlers.pUp)(e->wX, e->wY);
        return;
    }
    g_pButtonDown = pScene;
    (pScene->*(nStep == 0 ? handlers.pDown : handlers.pDouble))(e->wX, e->wY);
}
