#include "common/CScene.h"
#include <algorithm>
#include "base/BDevice.h"
#include "base/Fixed.h"
#include "base/Trace.h"
#include "common/CActor.h"
#include "common/CActorFade.h"
#include "common/CCollisionMgr.h"
#include "common/CInputRecorder.h"
#include "common/CScreen.h"
#include "common/CSprite.h"
#include "platform/AppTimer.h"
#include "platform/MFontSet.h"

namespace {

constexpr int32_t kNoMouseDepth = Fixed::FromInt(10000).Raw();

enum : uint32_t {
    kKeyPause = 19,
    kKeyEscape = 27,
    kKeyPageUp = 33,
    kKeyPageDown = 34,
    kKeyPad3 = 99,
    kKeyPad9 = 105,
};

struct SceneStack {
    CScene* pTop = nullptr;
    CScene* pBottom = nullptr;
    CScene* pKeyDown = nullptr;
    CScene* pButtonDown = nullptr;
    CScene* pCaptureScene = nullptr;
    CActor* pCaptureActor = nullptr;
};

SceneStack g_stack;

int32_t KeyDispatch(uint32_t nKey, bool fDown, bool fSystem)
{
    const int kind = fSystem ? (fDown ? CInputRecorder::kSysKeyDown : CInputRecorder::kSysKeyUp)
                             : (fDown ? CInputRecorder::kKeyDown : CInputRecorder::kKeyUp);
    CScene* pTop = g_stack.pTop;
    if (!pTop || !GetInputRecorder()->PassKey(kind, static_cast<int>(nKey)))
        return 1;
    if (fDown)
        g_stack.pKeyDown = pTop;
    else if (pTop != g_stack.pKeyDown)
        return 1;
    if (fSystem)
        return fDown ? pTop->OnSysKeyDown(nKey) : pTop->OnSysKeyUp(nKey);
    return fDown ? pTop->OnKeyDown(nKey) : pTop->OnKeyUp(nKey);
}

} // namespace

CScene::CScene(CScreen* pOwner, int32_t lOrgX, int32_t lOrgY, int32_t nMode, int32_t fOnTop, int32_t lRes,
               int32_t nCollisionMode)
    : lReserved(lRes), lOriginX(lOrgX), lOriginY(lOrgY), pScreen(pOwner)
{
    const Rect rc{0, 0, pScreen ? pScreen->GetClientWidth() : 0, pScreen ? pScreen->GetClientHeight() : 0};
    SetRect(rc, nMode, 1);
    pCollisionMgr = new CCollisionMgr(this, nCollisionMode);
    Trace("Size of pCollisionMgr object = %d.\n", static_cast<int>(sizeof(CCollisionMgr)));
    LinkIntoStack(fOnTop != 0);
    CancelMouseCapture();
    AppTimer(TimerReset);
    AppTimer(TimerStart);
}

CScene::~CScene()
{
    DeleteActors();
    CScene* pWasBelow = pBelow;
    UnlinkFromStack();
    if (pWasBelow)
        pWasBelow->Invalidate();
    delete pCollisionMgr;
}

void CScene::LinkIntoStack(bool fOnTop)
{
    if (fOnTop) {
        pBelow = g_stack.pTop;
        if (pBelow)
            pBelow->pAbove = this;
        g_stack.pTop = this;
        if (!g_stack.pBottom)
            g_stack.pBottom = this;
    } else {
        pAbove = g_stack.pBottom;
        if (pAbove)
            pAbove->pBelow = this;
        g_stack.pBottom = this;
        if (!g_stack.pTop)
            g_stack.pTop = this;
    }
}

void CScene::UnlinkFromStack()
{
    (pBelow ? pBelow->pAbove : g_stack.pBottom) = pAbove;
    (pAbove ? pAbove->pBelow : g_stack.pTop) = pBelow;
    pAbove = pBelow = nullptr;
    // Input state must not point at a scene that is gone.
    if (g_stack.pKeyDown == this)
        g_stack.pKeyDown = nullptr;
    if (g_stack.pButtonDown == this)
        g_stack.pButtonDown = nullptr;
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

int32_t CScene::NowTicks() { return static_cast<int32_t>(AppTimer(TimerAppTime) * 256.0); }

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
    const int32_t lElapsed = lNow - *plStamp;
    *plStamp = lNow;
    // Another scene's construction resets the clock: time never runs back.
    return lElapsed < 0 ? 0 : (lElapsed > MaxElapsed ? MaxElapsed : lElapsed);
}

// ---- frame passes ----

void CScene::UpdateAllScenes()
{
    for (CScene* s = g_stack.pBottom; s; s = s->pAbove) {
        const int32_t lMeasured = s->MeasureElapsed(&s->lUpdateStamp);
        s->lUpdateElapsed = GetInputRecorder()->Ticks(s, CInputRecorder::kUpdatePass, lMeasured);
        s->lSceneTime += s->lUpdateElapsed;
        s->UpdateActors();
        s->ReapActors();
        s->pCollisionMgr->ResetDrawn();
    }
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

void CScene::DrawAllScenes()
{
    CScene* pBottom = g_stack.pBottom;
    BDevice* pDevice = pBottom ? pBottom->GetDevice() : nullptr;
    if (!pDevice || pDevice->BeginFrame() != 0)
        return;
    const int32_t w = pDevice->GetBackBufferWidth();
    const int32_t h = pDevice->GetBackBufferHeight();
    for (CScene* s = pBottom; s; s = s->pAbove) {
        s->fRepaintPending = 0;
        if (!s->IsCoveredByAbove(w, h))
            s->Draw();
    }
    pDevice->EndFrame();
    for (CScene* s = g_stack.pBottom; s; s = s->pAbove)
        s->pCollisionMgr->Check();
}

bool CScene::IsCoveredByAbove(int32_t nWidth, int32_t nHeight) const
{
    return pAbove && pAbove->rcScene.Width() == nWidth && pAbove->rcScene.Height() == nHeight;
}

bool CScene::IsRepaintPending()
{
    for (const CScene* s = g_stack.pBottom; s; s = s->pAbove) {
        if (s->fRepaintPending)
            return true;
    }
    return false;
}

int32_t CScene::TicksToNextChangeOfAll()
{
    int32_t lTicks = NoChange;
    for (CScene* s = g_stack.pBottom; s; s = s->pAbove)
        lTicks = std::min(lTicks, s->TicksToNextChange());
    return lTicks;
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

// A dialog's tick may report its answer, and the parent may delete the dialog.
void CScene::TickAllScenes()
{
    for (CScene* s = g_stack.pBottom; s;) {
        CScene* pNextScene = s->pAbove;
        s->Tick();
        s = pNextScene;
    }
}

void CScene::Tick()
{
    lTickElapsed = GetInputRecorder()->Ticks(this, CInputRecorder::kTickPass, MeasureElapsed(&lTickStamp));
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

// The meshes front-most first, so that the depth test drops what they hide
// before it is shaded; then their shadows, deepest first, over them.
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

void CScene::SetMouseCapture(CActor* pActor)
{
    g_stack.pCaptureActor = pActor;
    g_stack.pCaptureScene = pActor ? pActor->pScene : nullptr;
}

void CScene::CancelMouseCapture()
{
    CActor* pHolder = g_stack.pCaptureActor;
    SetMouseCapture(nullptr);
    if (pHolder)
        pHolder->OnCaptureLost();
}

CActor* CScene::GetCaptureActor() { return g_stack.pCaptureActor; }

CScene* CScene::GetTopScene() { return g_stack.pTop; }

CScene* CScene::GetBottomScene() { return g_stack.pBottom; }

int32_t CScene::DispatchMouseEvent(const MouseEvent* e)
{
    if (!GetInputRecorder()->PassMouse(e->nType, e->wX, e->wY))
        return 0;
    CScene* pTarget = g_stack.pCaptureScene ? g_stack.pCaptureScene : g_stack.pTop;
    if (!pTarget)
        return 0;
    if (pTarget == g_stack.pCaptureScene)
        return g_stack.pCaptureActor->OnMouse(e);
    int32_t nResult = 0;
    if (e->nType != MouseEvent::Move && pTarget->RouteToActors(e, &nResult))
        return nResult;
    return pTarget->HandleOwnMouse(e);
}

bool CScene::RouteToActors(const MouseEvent* e, int32_t* pnResult)
{
    for (CActor* a = pFirstActor; a; a = a->pNext) {
        const Rect& rc = a->rcBounds;
        if (a->fHidden || a->lZ >= kNoMouseDepth || !rc.Contains(e->wX, e->wY))
            continue;
        CSprite* pImage = a->GetImage();
        if (!a->WantsMouse(e))
            continue;
        if (pImage) {
            const int32_t fFlipH = a->nMirror == CActor::MirrorH || a->nMirror == CActor::MirrorBoth;
            const int32_t fFlipV = a->nMirror == CActor::MirrorV || a->nMirror == CActor::MirrorBoth;
            if (pImage->IsTransparentAt(e->wX - rc.left, e->wY - rc.top, fFlipV, fFlipH))
                continue;
        }
        *pnResult = a->OnMouse(e);
        return true;
    }
    return false;
}

int32_t CScene::HandleOwnMouse(const MouseEvent* e)
{
    static constexpr ButtonHandlers kLeft{&CScene::OnLeftButtonDown, &CScene::OnLeftButtonUp,
                                          &CScene::OnLeftDoubleClick};
    static constexpr ButtonHandlers kRight{&CScene::OnRightButtonDown, &CScene::OnRightButtonUp,
                                           &CScene::OnRightDoubleClick};
    switch (e->nType) {
    case MouseEvent::Move:
        OnMouseMove(e->wX, e->wY);
        return 1;
    case MouseEvent::NonClientMove:
        OnNonClientMouseMove(e->wX, e->wY);
        return 1;
    case MouseEvent::LeftDown:
    case MouseEvent::LeftUp:
    case MouseEvent::LeftDoubleClick:
        HandleButton(e, e->nType - MouseEvent::LeftDown, &fLeftHeld, kLeft);
        return 1;
    case MouseEvent::RightDown:
    case MouseEvent::RightUp:
    case MouseEvent::RightDoubleClick:
        HandleButton(e, e->nType - MouseEvent::RightDown, &fRightHeld, kRight);
        return 1;
    default:
        return 0;
    }
}

// nStep: 0 press, 1 release, 2 double click.
void CScene::HandleButton(const MouseEvent* e, uint32_t nStep, int32_t* pfHeld, const ButtonHandlers& handlers)
{
    *pfHeld = nStep == 0;
    if (nStep == 1) {
        if (g_stack.pButtonDown == this)
            (this->*handlers.pUp)(e->wX, e->wY);
        return;
    }
    g_stack.pButtonDown = this;
    (this->*(nStep == 0 ? handlers.pDown : handlers.pDouble))(e->wX, e->wY);
}

int32_t CScene::DispatchKeyDown(uint32_t nKey) { return KeyDispatch(nKey, true, false); }

int32_t CScene::DispatchKeyUp(uint32_t nKey) { return KeyDispatch(nKey, false, false); }

int32_t CScene::DispatchSysKeyDown(uint32_t nKey) { return KeyDispatch(nKey, true, true); }

int32_t CScene::DispatchSysKeyUp(uint32_t nKey) { return KeyDispatch(nKey, false, true); }

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
