#include "common/scene/CScene.h"
#include <algorithm>
#include "base/BDevice.h"
#include "base/Fixed.h"
#include "base/Trace.h"
#include "common/actors/CActor.h"
#include "common/actors/CActorFade.h"
#include "common/scene/CCollisionMgr.h"
#include "common/screen/CInputRecorder.h"
#include "common/scene/CInputRouter.h"
#include "common/scene/CSceneStack.h"
#include "common/screen/CScreen.h"
#include "platform/window/AppTimer.h"
#include "platform/text/MFontSet.h"

namespace {

enum : uint32_t {
    kKeyPause = 19,
    kKeyEscape = 27,
    kKeyPageUp = 33,
    kKeyPageDown = 34,
    kKeyPad3 = 99,
    kKeyPad9 = 105,
};

} // namespace

CScene::CScene(CScreen* pOwner, int32_t lOrgX, int32_t lOrgY, int32_t nMode, int32_t fOnTop, int32_t lRes,
               int32_t nCollisionMode)
    : lReserved(lRes), lOriginX(lOrgX), lOriginY(lOrgY), pScreen(pOwner)
{
    const Rect rc{0, 0, pScreen ? pScreen->GetClientWidth() : 0, pScreen ? pScreen->GetClientHeight() : 0};
    SetRect(rc, nMode, 1);
    pCollisionMgr = new CCollisionMgr(this, nCollisionMode);
    Trace("Size of pCollisionMgr object = %d.\n", static_cast<int>(sizeof(CCollisionMgr)));
    CSceneStack::Link(this, fOnTop != 0);
    CInputRouter::CancelCapture();
    AppTimer(TimerReset);
    AppTimer(TimerStart);
}

CScene::~CScene()
{
    DeleteActors();
    CScene* pWasBelow = pBelow;
    CSceneStack::Unlink(this);
    CInputRouter::Forget(this);
    if (pWasBelow)
        pWasBelow->Invalidate();
    delete pCollisionMgr;
}

void CScene::DeleteActors()
{
    while (pFirstActor)
        delete pFirstActor;
}

BDevice* CScene::GetDevice() const
{
    return pScreen ? pScreen->GetDevice() : nullptr;
}

void CScene::SetRect(const Rect& rc, int32_t nMode, int32_t fInvalidate)
{
    rcScene = rc;
    if (nMode != KeepRedrawMode)
        nRedrawMode = nMode;
    const int32_t w = rc.Width();
    const int32_t h = rc.Height();
    const BDevice* pDevice = GetDevice();
    const int32_t nBackWidth = pDevice ? pDevice->GetBackBufferWidth() : w;
    const int32_t nBackHeight = pDevice ? pDevice->GetBackBufferHeight() : h;
    if ((w == nBackWidth && h == nBackHeight) || (w == 0 && h == 0)) {
        fScaled = 0;
        lXScale = lYScale = Fixed::kOne;
    } else {
        fScaled = 1;
        nRedrawMode = RedrawWhole;
        lXScale = w ? Fixed::Ratio(nBackWidth, w).Raw() : Fixed::kOne;
        lYScale = h ? Fixed::Ratio(nBackHeight, h).Raw() : Fixed::kOne;
    }
    if (fInvalidate)
        Invalidate();
}

void CScene::InvalidateRect(const Rect*) { fRepaintPending = 1; }

void CScene::Invalidate() { InvalidateRect(&rcScene); }

// ---- actor list ----

void CScene::AddActor(CActor* pActor)
{
    CActor* pAt = pFirstActor;
    while (pAt && pActor->lZ > pAt->lZ)
        pAt = pAt->pNext;
    pActor->pNext = pAt;
    pActor->pPrev = pAt ? pAt->pPrev : pLastActor;
    (pActor->pPrev ? pActor->pPrev->pNext : pFirstActor) = pActor;
    (pAt ? pAt->pPrev : pLastActor) = pActor;
}

void CScene::RemoveActor(CActor* pActor)
{
    (pActor->pPrev ? pActor->pPrev->pNext : pFirstActor) = pActor->pNext;
    (pActor->pNext ? pActor->pNext->pPrev : pLastActor) = pActor->pPrev;
    pActor->pPrev = pActor->pNext = nullptr;
}

int32_t CScene::ReorderActor(CActor* pActor)
{
    const bool fBefore = pActor->pPrev && pActor->lZ <= pActor->pPrev->lZ;
    const bool fAfter = pActor->pNext && pActor->lZ > pActor->pNext->lZ;
    if (!fBefore && !fAfter)
        return 0;
    RemoveActor(pActor);
    AddActor(pActor);
    return 1;
}

// ---- time ----

int32_t CScene::NowTicks() { return TicksAt(AppTimer(TimerAppTime)); }

int32_t CScene::TicksAt(double dSeconds)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(dSeconds * 256.0)));
}

int32_t CScene::TicksBetween(int32_t lFrom, int32_t lTo)
{
    return static_cast<int32_t>(static_cast<uint32_t>(lTo) - static_cast<uint32_t>(lFrom));
}

bool CScene::IsTimeFrozen() const
{
    if (fSuspended || fMenuFrozen)
        return true;
    return pScreen && (!pScreen->IsActive() || pScreen->IsMinimised());
}

int32_t CScene::MeasureElapsed(int32_t* plStamp) const
{
    const int32_t lNow = NowTicks();
    if (IsTimeFrozen())
        *plStamp = lNow;
    const int32_t lElapsed = TicksBetween(*plStamp, lNow);
    *plStamp = lNow;
    // Another scene's construction resets the clock: time never runs back.
    return lElapsed < 0 ? 0 : (lElapsed > MaxElapsed ? MaxElapsed : lElapsed);
}

int32_t CScene::TakeElapsed(int32_t* plStamp, int nPass)
{
    return GetInputRecorder()->Ticks(this, nPass, MeasureElapsed(plStamp));
}

// ---- frame passes ----

void CScene::UpdateAllScenes() { CSceneStack::UpdateAll(); }

void CScene::DrawAllScenes() { CSceneStack::DrawAll(); }

void CScene::TickAllScenes() { CSceneStack::TickAll(); }

void CScene::UpdatePass()
{
    lUpdateElapsed = TakeElapsed(&lUpdateStamp, CInputRecorder::kUpdatePass);
    lSceneTime += lUpdateElapsed;
    UpdateActors();
    ReapActors();
    pCollisionMgr->ResetDrawn();
}

void CScene::UpdateActors()
{
    for (CActor* a = pFirstActor; a;) {
        CActor* pNextActor = a->pNext;
        if (!a->fDead && !a->fUpdated) {
            a->Update(lUpdateElapsed);
            a->fUpdated = 1;
        }
        a = pNextActor;
    }
}

void CScene::ReapActors()
{
    for (CActor* a = pFirstActor; a;) {
        CActor* pNextActor = a->pNext;
        if (a->fDead) {
            delete a;
        } else {
            a->PostUpdate();
            a->fUpdated = 0;
            a->fDrawn = 0;
        }
        a = pNextActor;
    }
}

int32_t CScene::TicksToNextChange()
{
    int32_t lTicks = NoChange;
    for (CActor* a = pFirstActor; a; a = a->pNext) {
        if (!a->fDead)
            lTicks = std::min(lTicks, a->TicksToNextChange());
    }
    return lTicks;
}

void CScene::Tick()
{
    lTickElapsed = TakeElapsed(&lTickStamp, CInputRecorder::kTickPass);
}

void CScene::Draw()
{
    BDevice* pDevice = GetDevice();
    if (!pDevice)
        return;
    const Rect clip{0, 0, pDevice->GetBackBufferWidth(), pDevice->GetBackBufferHeight()};
    DrawMeshes(clip);
    if (pDevice->BeginSprites() != 0)
        return;
    DrawSprites(clip);
    pDevice->EndSprites();
}

// The meshes in actor order (mesh actors share one depth, so that is the
// order they were made in); then their shadows, in the reverse order, over them.
void CScene::DrawMeshes(const Rect& clip)
{
    bool fAny = false;
    for (CActor* a = pFirstActor; a; a = a->pNext) {
        if (a->IsMeshActor() && !a->fHidden && a->lZ > 0) {
            DrawActor(a, clip.Intersection(a->rcBounds));
            fAny = true;
        }
    }
    for (CActor* a = fAny ? pLastActor : nullptr; a; a = a->pPrev) {
        if (a->IsMeshActor() && !a->fHidden && a->lZ > 0)
            a->DrawShadow();
    }
}

void CScene::DrawSprites(const Rect& clip)
{
    for (CActor* a = pLastActor; a; a = a->pPrev) {
        if (!a->IsMeshActor() && !a->fHidden && a->lZ > 0 && clip.Overlaps(a->rcBounds))
            DrawActor(a, clip.Intersection(a->rcBounds));
    }
}

void CScene::DrawActor(CActor* pActor, const Rect& clip)
{
    pActor->Draw(&clip);
    pActor->fDrawn = 1;
    pCollisionMgr->AddDrawn();
}

// ---- input ----

void CScene::SetMouseCapture(CActor* pActor) { CInputRouter::SetCapture(pActor); }

CActor* CScene::GetCaptureActor() { return CInputRouter::GetCaptureActor(); }

int32_t CScene::DispatchMouseEvent(const MouseEvent* e) { return CInputRouter::DispatchMouse(e); }

int32_t CScene::DispatchKeyDown(uint32_t nKey) { return CInputRouter::DispatchKey(CInputRecorder::kKeyDown, nKey); }

int32_t CScene::DispatchKeyUp(uint32_t nKey) { return CInputRouter::DispatchKey(CInputRecorder::kKeyUp, nKey); }

int32_t CScene::DispatchSysKeyDown(uint32_t nKey)
{
    return CInputRouter::DispatchKey(CInputRecorder::kSysKeyDown, nKey);
}

int32_t CScene::DispatchSysKeyUp(uint32_t nKey) { return CInputRouter::DispatchKey(CInputRecorder::kSysKeyUp, nKey); }

// ---- scene operations ----

void CScene::OnLeftButtonDown(uint16_t, uint16_t) {}
void CScene::OnLeftDoubleClick(uint16_t, uint16_t) {}
void CScene::OnRightButtonDown(uint16_t, uint16_t) {}
void CScene::OnRightDoubleClick(uint16_t, uint16_t) {}
void CScene::OnLeftButtonUp(uint16_t, uint16_t) {}
void CScene::OnRightButtonUp(uint16_t, uint16_t) {}
void CScene::OnMouseMove(uint16_t, uint16_t) {}
void CScene::OnNonClientMouseMove(uint16_t, uint16_t) {}
void CScene::OnDialogResult(CScene*, int32_t) {}
void CScene::OnDialogClosed(CScene*, int32_t) {}

void CScene::OnMenuEnter() { fMenuFrozen = 1; }

void CScene::OnMenuExit()
{
    lUpdateStamp = lTickStamp = NowTicks();
    fMenuFrozen = 0;
}

int32_t CScene::OnSysKeyUp(uint32_t) { return 0; }

int32_t CScene::OnSysKeyDown(uint32_t) { return 0; }

int32_t CScene::OnKeyUp(uint32_t) { return 1; }

int32_t CScene::OnKeyDown(uint32_t nKey)
{
    switch (nKey) {
    case kKeyPause:
        if (fCanPause) {
            fUserPaused = !fUserPaused;
            ToggleSuspend(1);
            if (pScreen)
                pScreen->ToggleMusic();
        }
        return 1;
    case kKeyEscape:
        return OnEscape();
    case kKeyPageUp:
    case kKeyPad9:
        if (fPanel1Shown)
            PageUp();
        return 1;
    case kKeyPageDown:
    case kKeyPad3:
        if (fPanel1Shown)
            PageDown();
        return 1;
    default:
        return 0;
    }
}

int32_t CScene::Load() { return 0; }

int32_t CScene::Begin() { return 0; }

int32_t CScene::Unload() { return 0; }

void CScene::SetSoundVolume(float) {}

int32_t CScene::ShowPanel2()
{
    fPanel2Shown = 1;
    return 0;
}

int32_t CScene::PageUp()
{
    fPanel1Shown = 1;
    return 0;
}

int32_t CScene::PageDown()
{
    fPanel1Shown = 1;
    return 0;
}

void CScene::ClosePanel2() { fPanel2Shown = 0; }

void CScene::ClosePanel1() { fPanel1Shown = 0; }

int32_t CScene::OnEscape()
{
    if (fPanel1Shown) {
        ClosePanel1();
        if (pScreen)
            pScreen->ResumeMusic();
        if (nKind != KindStaysSuspended)
            Resume();
    }
    return 1;
}

int32_t CScene::CanResumeMusic() { return !fUserPaused; }

void CScene::Suspend(int32_t) { fSuspended = 1; }

void CScene::Resume() { fSuspended = 0; }

void CScene::ToggleSuspend(int32_t nReason)
{
    if (fSuspended)
        Resume();
    else if (fCanPause)
        Suspend(nReason);
}

// ---- fade and text ----

void CScene::FadeIn()
{
    const int32_t pos[3] = {0, 0, 2560};
    CActorFade::Get(this, pos)->StartFade(1);
}

int32_t CScene::IsScreenCovered()
{
    const int32_t pos[3] = {0, 0, 2560};
    return CActorFade::Get(this, pos)->IsCovered();
}

static MFont::Size TextExtent(const char* szText, int32_t nFont)
{
    MFont::Size size;
    if (const MFont* pFont = GetFontSet()->GetFont(nFont))
        pFont->GetTextExtent(szText, &size);
    return size;
}

int32_t CScene::GetTextWidth(const char* szText, int32_t nFont) { return TextExtent(szText, nFont).cx; }

int32_t CScene::GetTextHeight(const char* szText, int32_t nFont) { return TextExtent(szText, nFont).cy; }
