#include "common/screen/CScreen.h"
#include <algorithm>
#include "base/BApplication.h"
#include "base/BMusicSegment.h"
#include "base/Result.h"
#include "common/assets/CFileMM.h"
#include "common/screen/CInputRecorder.h"
#include "common/scene/CInputRouter.h"
#include "common/screen/COptions.h"
#include "common/scene/CScene.h"
#include "common/scene/CSceneStack.h"
#include "platform/audio/MSound.h"
#include "platform/audio/MSoundManager.h"
#include "platform/window/AppTimer.h"
#include "platform/video/MDeviceManager.h"
#include "platform/window/MFrameStats.h"

CScreen::CScreen() = default;

CScreen::~CScreen()
{
    ReleaseContent();
}

bool CScreen::IsFullScreen() { return COptions::GetLatchedFullscreen() != 0; }

bool CScreen::IsMusicOptionOff()
{
    const COptions* pOptions = GetAppOptions();
    return pOptions && pOptions->Music == -1;
}

void CScreen::SetMusicSegment(BMusicSegment* pSegment)
{
    delete pMusic;
    pMusic = pSegment;
    if (pMusic)
        pMusic->SetVolume(lMusicVolume);
}

// Dialogs still open over the game go first: they refer to it.
void CScreen::DeleteScenes()
{
    while (pScene && CSceneStack::GetTop() != pScene)
        delete CSceneStack::GetTop();
    delete pScene;
    pScene = nullptr;
    pSceneToFinish = nullptr;
}

void CScreen::Close()
{
    DeleteScenes();
    SetMusicSegment(nullptr);
    COptions* pOptions = GetAppOptions();
    if (pOptions && IsResized())
        pOptions->SaveWindowSize(GetWindowedWidth(), GetWindowedHeight());
    if (BApplication* pApp = GetApplication())
        pApp->Quit(0);
}

void CScreen::Repaint()
{
    InvalidateAllScenes();
    fFrameOwed = true;
}

void CScreen::ToggleFullScreen()
{
    MWindow::ToggleFullScreen();
    if (COptions* pOptions = GetAppOptions())
        pOptions->SaveFullscreen(IsFullScreenShown() ? 1 : 0);
}

int32_t CScreen::ReleaseContent()
{
    if (pScene)
        pScene->Unload();
    delete pMMFile;
    pMMFile = nullptr;
    DeleteScenes();
    SetMusicSegment(nullptr);
    return 0;
}

int32_t CScreen::StartGame() { return 0; }

int32_t CScreen::LoadGame() { return pScene->Load(); }

void CScreen::FinishScene(CScene* pFinished, int32_t nResult, int32_t fResume)
{
    pSceneToFinish = pFinished ? pFinished : pScene;
    nResultCode = nResult;
    fResumeAfterDialog = fResume;
    fFinishPending = 1;
}

int32_t CScreen::IsMusicOff() { return IsMusicOptionOff() ? 1 : 0; }

int32_t CScreen::IsSoundOff()
{
    const COptions* pOptions = GetAppOptions();
    return pOptions && pOptions->SFX == -1 ? 1 : 0;
}

// ---- frame ----

void CScreen::Frame()
{
    MFrameStats* pStats = MFrameStats::Get();
    if (pStats)
        pStats->BeginFrame();
    if (pMusic)
        pMusic->Update();
    const bool fDrawn = (!fFinishPending || !pSceneToFinish || CarryOutFinish()) && RunPasses();
    if (pStats)
        pStats->EndFrame(fDrawn);
    fFrameOwed = false;
}

bool CScreen::RunPasses()
{
    lIdleTicks = 0;
    if (!pScene || fFinishPending)
        return false;
    // Update moves the actors, draw shows them and collides the ones it drew, tick then runs the
    // clocks on the settled frame.
    {
        const MFrameStats::PartTimer timer(MFrameStats::Update);
        CSceneStack::UpdateAll();
    }
    const bool fDraw = CSceneStack::IsRepaintPending();
    if (fDraw) {
        const MFrameStats::PartTimer timer(MFrameStats::Draw);
        CSceneStack::DrawAll();
    }
    const MFrameStats::PartTimer timer(MFrameStats::Update);
    CSceneStack::TickAll();
    lIdleTicks = fDraw ? 0 : std::min(CSceneStack::TicksToNextChange(), CScene::MaxElapsed - 1);
    return fDraw;
}

double CScreen::GetIdleWait() const
{
    const bool fReplaying = GetInputRecorder()->GetMode() == CInputRecorder::kReplaying;
    if (fFinishPending || fFrameOwed || fReplaying || CSceneStack::IsRepaintPending())
        return 0.0;
    return lIdleTicks / 256.0; // ticks are 1/256 s
}

void CScreen::Redraw()
{
    if (pScene && !fFinishPending)
        CSceneStack::DrawAll();
}

bool CScreen::CarryOutFinish()
{
    if (nResultCode == CScene::QuitCode) {
        Close();
        return true;
    }
    if (pSceneToFinish->GetKind() != CScene::KindDialog) {
        if (LoadGame() != 0) {
            Close();
            return true;
        }
        pScene->Begin();
        fFinishPending = 0;
        return true;
    }
    CloseDialog(pSceneToFinish);
    return false;
}

void CScreen::CloseDialog(CScene* pDialog)
{
    fFinishPending = 0;
    pSceneToFinish = nullptr;
    delete pDialog;
    CScene* pTop = CSceneStack::GetTop();
    if (!pTop)
        return;
    pTop->OnDialogClosed(pDialog, nResultCode);
    pTop->Invalidate();
    if (fResumeAfterDialog && pTop->GetOpenDialogs() == 0)
        pTop->Resume();
}

// ---- window handlers ----

int32_t CScreen::OnSetCursor()
{
    if (!IsFullScreen())
        return 0;
    GetDeviceManager()->ShowDeviceCursor(1);
    return 1;
}

void CScreen::OnClose() { FinishScene(pScene, CScene::QuitCode, 1); }

void CScreen::OnSize(int32_t nWidth, int32_t nHeight)
{
    CScene* pTop = CSceneStack::GetTop();
    if (nWidth != 0 || nHeight != 0) {
        if (pTop && pTop->CanResumeMusic()) {
            ResumeMusic();
            pTop->Resume();
        }
        fMinimised = 0;
        return;
    }
    if (!fMusicStopped && !fMinimised)
        StopMusic();
    if (pTop)
        pTop->Suspend(0);
    fMinimised = 1;
}

void CScreen::OnMove(int32_t x, int32_t y)
{
    Redraw();
    MWindow::OnMove(x, y);
}

void CScreen::OnPadStick(int32_t x, int32_t y)
{
    if (pScene)
        pScene->OnPadStick(x, y);
}

void CScreen::OnPadLost()
{
    if (pScene)
        pScene->OnPadLost();
}

// The game hears of the focus first; losing it owes one frame, so that what
// the game shows then (its pause) is drawn while time stands still.
void CScreen::OnActivate(uint32_t nState)
{
    fActive = (nState & 0xFFFFu) != 0;
    if (pScene)
        pScene->OnFocusChange(fActive);
    fFrameOwed = !fActive;
    if (fActive && !fMinimised) {
        AppTimer(TimerStart);
        if (CScene* pTop = CSceneStack::GetTop()) {
            pTop->Invalidate();
            if (pTop->CanResumeMusic())
                ResumeMusic();
        }
        return;
    }
    if (pMusic && pMusic->IsPlaying())
        StopMusic();
    AppTimer(TimerStop);
}

void CScreen::SendMouse(uint32_t nType, int32_t x, int32_t y)
{
    meEvent.nType = nType;
    meEvent.wX = static_cast<uint16_t>(x);
    meEvent.wY = static_cast<uint16_t>(y);
    if (GetInputRecorder()->PassMouse(nType, meEvent.wX, meEvent.wY))
        CInputRouter::DispatchMouse(&meEvent);
}

void CScreen::OnMouseMove(int32_t x, int32_t y)
{
    MoveDeviceCursor(x, y);
    SendMouse(MouseEvent::Move, x, y);
}

void CScreen::OnNonClientMouseMove(int32_t x, int32_t y) { SendMouse(MouseEvent::NonClientMove, x, y); }

void CScreen::OnLeftButtonDown(int32_t x, int32_t y)
{
    fLeftDown = 1;
    SendMouse(MouseEvent::LeftDown, x, y);
}

void CScreen::OnLeftDoubleClick(int32_t x, int32_t y) { SendMouse(MouseEvent::LeftDoubleClick, x, y); }

void CScreen::OnRightButtonDown(int32_t x, int32_t y)
{
    fRightDown = 1;
    SendMouse(MouseEvent::RightDown, x, y);
}

void CScreen::OnRightDoubleClick(int32_t x, int32_t y) { SendMouse(MouseEvent::RightDoubleClick, x, y); }

void CScreen::OnLeftButtonUp(int32_t x, int32_t y)
{
    fLeftDown = 0;
    SendMouse(MouseEvent::LeftUp, x, y);
}

void CScreen::OnRightButtonUp(int32_t x, int32_t y)
{
    fRightDown = 0;
    SendMouse(MouseEvent::RightUp, x, y);
}

// A key the recorder drops (live input during a replay) counts as handled.
int32_t CScreen::SendKey(int nKind, uint32_t nKey)
{
    if (!GetInputRecorder()->PassKey(nKind, static_cast<int>(nKey)))
        return 1;
    return CInputRouter::DispatchKey(nKind, nKey);
}

int32_t CScreen::OnKeyDown(uint32_t nKey) { return SendKey(CInputRecorder::kKeyDown, nKey); }

int32_t CScreen::OnKeyUp(uint32_t nKey) { return SendKey(CInputRecorder::kKeyUp, nKey); }

int32_t CScreen::OnSysKeyDown(uint32_t nKey) { return SendKey(CInputRecorder::kSysKeyDown, nKey); }

int32_t CScreen::OnSysKeyUp(uint32_t nKey) { return SendKey(CInputRecorder::kSysKeyUp, nKey); }

void CScreen::InvalidateAllScenes()
{
    for (CScene* s = CSceneStack::GetBottom(); s; s = s->GetAbove())
        s->Invalidate();
}

void CScreen::OnEnterMenuLoop()
{
    if (CScene* pTop = CSceneStack::GetTop())
        pTop->OnMenuEnter();
    Redraw();
}

void CScreen::OnExitMenuLoop()
{
    if (CScene* pTop = CSceneStack::GetTop())
        pTop->OnMenuExit();
}

// ---- music ----

void CScreen::StopMusic()
{
    if (!pMusic)
        return;
    fMusicStopped = 1;
    pMusic->Stop(0);
}

void CScreen::ResumeMusic()
{
    if (!pMusic || IsMusicOptionOff() || pMusic->IsPlaying())
        return;
    pMusic->Play(BMusicSegment::FlagSecondary);
    fMusicStopped = 0;
}

void CScreen::ToggleMusic()
{
    if (!pMusic)
        return;
    if (!IsMusicOptionOff() && !fMusicStopped) {
        pMusic->Stop(0);
        fMusicStopped = 1;
        return;
    }
    pMusic->Play(BMusicSegment::FlagSecondary);
    fMusicStopped = 0;
}

void CScreen::StopMusicAtBoundary()
{
    if (pMusic)
        pMusic->Stop(BMusicSegment::FlagBeat);
    fMusicStopped = 1;
}

int32_t CScreen::PlayMusic(int32_t fLoop)
{
    if (!pMusic || IsMusicOptionOff() || !fMusicStopped)
        return 0;
    if (pMusic->SetRepeats(fLoop ? BMusicSegment::RepeatForever : 0u) != 0)
        return Result::kMusicStartFailed;
    if (pMusic->Play(BMusicSegment::FlagBeat) != 0)
        return Result::kMusicStartFailed;
    fMusicStopped = 0;
    return 0;
}

void CScreen::SetMusicVolume(int32_t lPercent)
{
    lMusicVolume = MSoundManager::VolumeOfPercent(lPercent);
    if (pMusic)
        pMusic->SetVolume(lMusicVolume);
}

void CScreen::SetEffectsVolume(int32_t lPercent)
{
    MSound::SetEffectsVolume(MSoundManager::VolumeOfPercent(lPercent));
}

bool CScreen::HasSound() { return GetSoundManager()->IsInitialized(); }
