#include "game/AGameRollavex.h"

#include <algorithm>
#include <iterator>
#include <string>
#include "base/BApplication.h"
#include "base/BSound.h"
#include "base/CException.h"
#include "base/Fixed.h"
#include "base/Result.h"
#include "common/actors/CActorButton.h"
#include "common/actors/CActorMesh.h"
#include "common/actors/CActorSprite.h"
#include "common/status/CClock.h"
#include "common/assets/CFileMM.h"
#include "common/assets/CMesh.h"
#include "common/assets/CSoundChunk.h"
#include "common/screen/COptions.h"
#include "common/scene/CSceneDialog.h"
#include "common/screen/CScreen.h"
#include "common/assets/CSprite.h"
#include "common/assets/CSpriteArray.h"
#include "common/screen/CInputRecorder.h"
#include "game/app/AAppRollavex.h"
#include "game/maze/AGhostBall.h"
#include "game/maze/ALeanBall.h"
#include "game/maze/ALeanBase.h"
#include "game/maze/ALeanBoard.h"
#include "game/maze/ALeanFrame.h"
#include "game/options/AOptionsRollavex.h"
#include "game/AStatusRollavex.h"
#include "platform/audio/MMusicStream.h"
#include "platform/math/MCamera.h"
#include "platform/video/MDeviceManager.h"

namespace {
constexpr float kBoardZ = -1.3f;

template <typename T, size_t N> void DeleteAll(T* (&slots)[N])
{
    for (T*& slot : slots) {
        delete slot;
        slot = nullptr;
    }
}
} // namespace

AGameRollavex::AGameRollavex(CScreen* pScreen, int32_t lOriginX, int32_t lOriginY, int32_t nRedrawMode,
                             int32_t fOnTop, int32_t lReserved, int32_t nCollisionMode)
    : CGame(pScreen, lOriginX, lOriginY, nRedrawMode, fOnTop, lReserved, nCollisionMode)
{
    nKind = KindGame;
}

AGameRollavex::~AGameRollavex()
{
    AGameRollavex::Unload();
    if (ALeanHost::Running() == this)
        ALeanHost::SetRunning(nullptr);
}

AStatusRollavex* AGameRollavex::GetRollStatus() const { return static_cast<AStatusRollavex*>(pStatus); }

// Assets

int32_t AGameRollavex::Load()
{
    Unload();
    CFileMM* archive = pScreen->GetMMFile();
    archive->SeekEntryPoint(1);
    if (sounds.ReadFrom(archive) != 0)
        return Result::kSoundUnreadable;
    archive->SeekEntryPoint(3);
    MMusicStream* music = nullptr;
    if (CSoundChunk::ReadMusic(archive, &music) != 0)
        return Result::kSoundUnreadable;
    pScreen->SetMusicSegment(music);
    archive->SeekEntryPoint(2);
    for (CSpriteArray*& set : rgpSpriteSets)
        set = CSpriteArray::LoadFrom(archive, 1);
    for (CSprite*& sprite : rgpSprites)
        sprite = CSprite::Create(archive, 1);
    for (CMesh*& mesh : rgpScenery)
        mesh = CMesh::Create(archive);
    archive->SeekEntryPoint(NextButtonEntry);
    for (int i : {NextImages, OptionsImages})
        rgpButtonSets[i] = CSpriteArray::LoadFrom(archive, 1);
    archive->SeekEntryPoint(OptionsEntry);
    for (int i : {LessImages, MoreImages})
        rgpButtonSets[i] = CSpriteArray::LoadFrom(archive, 1);
    pPanelBoard = CSprite::Create(archive, 1);
    mazes.ReadFrom(archive);
    progress.Read(mazes.Count());
    nMaze = StartMaze();
    if (ALeanBase::LoadAssets(archive) != 0 || LoadMaze(nMaze) != 0 || ALeanBall::LoadAssets(archive) != 0)
        return Result::kLoaderFailed;
    FadeIn();
    return 0;
}

// A replay's own maze, else the one asked for, else the one played last.
int32_t AGameRollavex::StartMaze() const
{
    const CInputRecorder* recorder = GetInputRecorder();
    const int32_t wanted = recorder->GetMode() == CInputRecorder::kReplaying ? recorder->GetReplayStartStage()
                           : nRequestedMaze > 0                             ? nRequestedMaze
                                                                            : progress.GetLast();
    return wanted >= 1 && wanted <= mazes.Count() ? wanted : 1;
}

int32_t AGameRollavex::LoadMaze(int32_t nNumber)
{
    const AMaze& maze = mazes.Get(nNumber);
    if (ALeanBoard::LoadAssets(pScreen->GetMMFile(), maze.nBoardEntry, maze.nFrameEntry) != 0)
        return Result::kLoaderFailed;
    const uint64_t key = AMazeSet::Key(ALeanBoard::GetClassMesh()->GetMesh()->GetDigest(),
                                       ALeanFrame::GetClassMesh()->GetMesh()->GetDigest());
    bestTime.Open(key);
    bestRun.Open(key);
    return 0;
}

void AGameRollavex::ApplyMaze()
{
    const AMaze& maze = mazes.Get(nMaze);
    if (pBall)
        pBall->SetCourse(maze);
    if (AStatusRollavex* status = GetRollStatus()) {
        status->ShowMaze(nMaze, maze.szName);
        status->SetBestTime(&bestTime);
    }
    progress.Played(nMaze);
    GetInputRecorder()->Stage(this, nMaze);
}

void AGameRollavex::PlayMaze(int32_t nNumber)
{
    if (nNumber == nMaze || nNumber < 1 || nNumber > mazes.Count())
        return;
    KeepNow();
    int32_t result = Result::kLoaderFailed;
    std::string identifier;
    try {
        result = LoadMaze(nNumber);
    } catch (const CException& e) {
        identifier = e.Describe();
    }
    if (result != 0) {
        EndLean();
        AAppRollavex::ReportDamagedArchive(AAppRollavex::kArchiveName,
                                           identifier.empty() ? nullptr : identifier.c_str(), pScreen);
        pScreen->FinishScene(this, QuitCode, 1);
        return;
    }
    nMaze = nNumber;
    if (pBoard)
        pBoard->TakeClassMeshes();
    ApplyMaze();
    NewGame(0);
}

void AGameRollavex::DeliverStage(int32_t nStage) { PlayMaze(nStage); }

// A win is written to disk one frame later, once its frame has been shown.
void AGameRollavex::KeepWin()
{
    if (fWinToKeep)
        KeepNow();
    fWinToKeep = bestTime.IsKeepPending() || progress.IsKeepPending();
}

// What a win changed, on disk at once: before another maze or the end.
void AGameRollavex::KeepNow()
{
    fWinToKeep = false;
    bestTime.Keep();
    bestRun.Keep();
    progress.Keep();
}

// Options

void AGameRollavex::Apply(int32_t nRow)
{
    const AOptionsRollavex* options = Options();
    switch (nRow) {
    case AOptionsPanel::Effects:
        pScreen->SetEffectsVolume(options->SFX);
        break;
    case AOptionsPanel::Music:
        pScreen->SetMusicVolume(options->Music);
        break;
    case AOptionsPanel::Sensitivity:
    case AOptionsPanel::InvertY:
        if (pBoard)
            pBoard->SetMouseFeel(options->MouseSensitivity, options->InvertY != 0);
        break;
    case AOptionsPanel::DeadZone:
        pScreen->SetStickDeadZone(options->StickDeadZone);
        break;
    case AOptionsPanel::FullScreen:
        if (pScreen->IsFullScreenShown() != (options->Fullscreen != 0))
            pScreen->ToggleFullScreen();
        break;
    default:
        break;
    }
}

void AGameRollavex::ApplyOption(int32_t nRow)
{
    Apply(nRow);
    if (GetApplication())
        AOptionsPanel::Keep(*Options(), nRow);
}

bool AGameRollavex::HasSound() const { return pScreen->HasSound(); }

void AGameRollavex::OpenOptions()
{
    EndLean();
    fPausedForPanel = !IsUserPaused();
    if (fPausedForPanel)
        TogglePause();
    pPanel->Open();
    ShowPauseState();
}

void AGameRollavex::OptionsClosed()
{
    if (fPausedForPanel)
        TogglePause();
    fPausedForPanel = false;
    ShowPauseState();
}

// A replay changes mazes by its own records.
void AGameRollavex::ChooseMaze(uint32_t nKey)
{
    if (GetInputRecorder()->GetMode() == CInputRecorder::kReplaying)
        return;
    if (nKey == KeyEnter && pasNext && !pasNext->IsHidden())
        PlayMaze(nMaze + 1);
    else if (nKey == KeyPageDown && progress.IsUnlocked(nMaze + 1))
        PlayMaze(nMaze + 1);
    else if (nKey == KeyPageUp)
        PlayMaze(nMaze - 1);
}

// The actors go with the assets they draw, so a game loaded again starts
// with none that points to a released mesh or sprite.
int32_t AGameRollavex::Unload()
{
    if (pScreen)
        pScreen->StopMusic();
    KeepNow();
    pPanel.reset();
    pCamera.reset();
    SetStatus(nullptr);
    DeleteActors();
    ReleaseClassAssets();
    return 0;
}

void AGameRollavex::AdoptSounds(BSound* pIntro, BSound* pGoal, BSound* pFall)
{
    sounds.Adopt({pIntro, pGoal, pFall});
}

void AGameRollavex::ReleaseClassAssets()
{
    sounds.Release();
    DeleteAll(rgpSpriteSets);
    DeleteAll(rgpSprites);
    DeleteAll(rgpScenery);
    DeleteAll(rgpButtonSets);
    delete pPanelBoard;
    pPanelBoard = nullptr;
    ALeanBase::UnloadAssets();
    ALeanBoard::UnloadAssets();
    ALeanBall::UnloadAssets();
}

// Start of the scene

int32_t AGameRollavex::Begin()
{
    fStatusClocksRunning = 0;
    Suspend(0);
    pCamera = std::make_unique<MCamera>(MCamera::kFly);
    ViewThroughCamera();
    CreateActors();
    SetStatus(new AStatusRollavex(this));
    ApplyMaze();
    ALeanHost::SetRunning(this);
    Resume();
    CaptureState();
    fStatusClocksRunning = 1;
    DrawAllScenes();
    for (int32_t row : {AOptionsPanel::Effects, AOptionsPanel::Music, AOptionsPanel::Sensitivity})
        Apply(row);
    lIntroLeft = IntroTicks;
    ShowPanel3();
    NewGame(GetGameCounter());
    return CGame::Begin();
}

CActorButton* AGameRollavex::MakeButton(CSpriteArray* pImages, int32_t y, int32_t nCommand)
{
    char empty[1] = "";
    const TextDesc text{.pszText = empty, .nMaxLen = 8, .nHAlign = 2, .nVAlign = 0, .clrText = 0xFFFFFFFF};
    const ButtonDesc behaviour{.nKind = kButtonPush, .nCommand = nCommand, .fClickable = 1, .clrFrame = 0xFF7F0000};
    CActorButton* button = new CActorButton(&text, &behaviour, this, 690 * Fixed::kOne, y * Fixed::kOne,
                                            200 * Fixed::kOne, pImages, 0);
    button->SetPinned(1);
    return button;
}

void AGameRollavex::CreateActors()
{
    pasNew = MakeButton(rgpSpriteSets[NewImages], 30, KeyN);
    pasQuit = MakeButton(rgpSpriteSets[QuitImages], 80, KeyEscape);
    pasOptions = MakeButton(rgpButtonSets[OptionsImages], 130, KeyO);
    pasNext = MakeButton(rgpButtonSets[NextImages], 180, KeyEnter);
    pasNext->Hide();
    pasAbout = new CActorSprite(this, 271 * Fixed::kOne, 118 * Fixed::kOne, 100 * Fixed::kOne,
                                rgpSprites[IntroPicture], 0);
    pasAbout->Hide();
    MMatrix identity, boardPlace;
    boardPlace.SetTranslation(0.0f, 0.0f, kBoardZ);
    pasScenery[3] = new CActorMesh(this, &identity, rgpScenery[3], 0);
    pBase = new ALeanBase(this, identity);
    pBoard = new ALeanBoard(this, boardPlace);
    pBall = new ALeanBall(this, identity);
    pGhost = new AGhostBall(this, ALeanBall::GetClassMesh());
    for (int i : {2, 0, 1})
        pasScenery[i] = new CActorMesh(this, &identity, rgpScenery[i], 0);
    pPanel = std::make_unique<AOptionsPanel>(this, this, Options(), pPanelBoard, rgpButtonSets[LessImages],
                                             rgpButtonSets[MoreImages]);
}

AOptionsRollavex* AGameRollavex::Options()
{
    auto* options = static_cast<AOptionsRollavex*>(GetAppOptions());
    return options ? options : &ownOptions;
}

void AGameRollavex::ViewThroughCamera()
{
    MDeviceManager* device = GetDeviceManager();
    if (!pCamera || !device->HasDevice())
        return;
    MMatrix view;
    pCamera->GetViewMatrix(&view);
    device->SetTransform(kTransformView, view);
}

// A game

void AGameRollavex::NewGame(int counter)
{
    ClosePanel4();
    if (pasNext)
        pasNext->Hide();
    bestRun.StartRun();
    pScreen->PlayMusic(1);
    fStatusClocksRunning = 1;
    if (pStatus) {
        const int passed = pStatus->HasPassed(GetCurrentPlayer());
        for (CActor* actor = GetFirstActor(); actor; actor = actor->GetNext())
            actor->Restart(counter, passed);
        pStatus->Reset(counter, passed);
    }
    CGame::NewGame(counter);
}

void AGameRollavex::Tick()
{
    KeepWin();
    CGame::Tick();
    FollowRun();
    ViewThroughCamera();
    if (!fStatusClocksRunning)
        return;
    if (!fSuspended && lIntroLeft > 0) {
        lIntroLeft -= GetTickElapsed();
        if (lIntroLeft < 1) {
            ClosePanel3();
            Resume();
            if (pasAbout)
                pasAbout->Hide();
            if (GetRollStatus())
                GetRollStatus()->ShowHint();
        }
    }
    if (!fIntroShown) {
        if (pasAbout)
            pasAbout->Show();
        PlayOnce(sounds.Get(Intro));
        fIntroShown = 1;
    }
}

void AGameRollavex::FollowRun()
{
    const AStatusRollavex* status = GetRollStatus();
    if (!status || !pBall || !pGhost)
        return;
    const int32_t ticks = status->GetRunTicks();
    if (!IsStatusWon() && !IsPlayerLost())
        bestRun.Note(ticks, pBall->GetDrawnPosition());
    const bool shown = bestRun.HasBest() && Options()->Ghost != 0;
    if (shown)
        pGhost->MoveTo(bestRun.At(ticks));
    if (shown == pGhost->IsHidden())
        shown ? pGhost->Show() : pGhost->Hide();
}

// The ghost moves while the clock runs, until its run ends.
bool AGameRollavex::IsGhostMoving() const
{
    const AStatusRollavex* status = GetRollStatus();
    return pGhost && !pGhost->IsHidden() && status && status->GetGameClock() &&
           status->GetGameClock()->IsRunning() && status->GetRunTicks() < bestRun.GetBestTicks();
}

int32_t AGameRollavex::TicksToNextChange()
{
    if (IsGhostMoving())
        return 0;
    const int32_t lTicks = CGame::TicksToNextChange();
    if (!fStatusClocksRunning)
        return lTicks;
    if (!fIntroShown)
        return 0;
    return !fSuspended && lIntroLeft > 0 ? std::min(lTicks, lIntroLeft) : lTicks;
}

bool AGameRollavex::IsStatusWon() const { return pStatus && pStatus->HasWon(GetCurrentPlayer()); }

void AGameRollavex::PlayOnce(BSound* pSound)
{
    if (pSound)
        pSound->Play(false);
}

// The first goal of a game unlocks the next maze and offers it.
void AGameRollavex::StartTurn(int player)
{
    const bool first = !IsStatusWon();
    if (first)
        PlayOnce(sounds.Get(Goal));
    if (pStatus)
        pStatus->PlayerWon(player);
    CGame::StartTurn(player);
    if (!first)
        return;
    if (const AStatusRollavex* status = GetRollStatus(); status && pBall)
        bestRun.Note(status->GetRunTicks(), pBall->GetDrawnPosition(), true);
    if (bestTime.IsKeepPending())
        bestRun.TakeRun();
    progress.Won(nMaze);
    if (pasNext && nMaze < mazes.Count() && progress.IsUnlocked(nMaze + 1))
        pasNext->Show();
}

void AGameRollavex::EndTurn(int success, int player)
{
    if (pStatus)
        pStatus->PlayerLost(success, player);
    CGame::EndTurn(success, player);
}

void AGameRollavex::BallFalls()
{
    if (!IsStatusWon())
        PlayOnce(sounds.Get(Fall));
}

// Mouse: either button leans the board, but only one at a time.

void AGameRollavex::StartLean(uint16_t x, uint16_t y)
{
    if (GetRollStatus())
        GetRollStatus()->HideHint();
    // The pointer may have moved on since the press; the lean starts from the
    // press point, so a recorded game leans the same when it is played back.
    pScreen->SetCursorPosition(x, y);
    if (pBoard)
        pBoard->BeginLean(x, y);
    pScreen->ShowPointer(0);
    wPressX = x;
    wPressY = y;
    fLeaning = true;
}

// Once per lean, by whatever means it ends.
void AGameRollavex::EndLean()
{
    if (!fLeaning)
        return;
    fLeaning = false;
    pScreen->SetCursorPosition(wPressX, wPressY);
    pScreen->ShowPointer(1);
}

void AGameRollavex::OnLeftButtonDown(uint16_t x, uint16_t y)
{
    if (pScreen->IsRightButtonDown())
        return;
    if (!pPanel || !pPanel->IsOpen())
        StartLean(x, y);
    CGame::OnLeftButtonDown(x, y);
}

void AGameRollavex::OnRightButtonDown(uint16_t x, uint16_t y)
{
    if (pScreen->IsLeftButtonDown())
        return;
    if (!pPanel || !pPanel->IsOpen())
        StartLean(x, y);
    CGame::OnRightButtonDown(x, y);
}

void AGameRollavex::OnLeftButtonUp(uint16_t x, uint16_t y)
{
    if (pScreen->IsRightButtonDown())
        return;
    EndLean();
    CGame::OnLeftButtonUp(x, y);
}

void AGameRollavex::OnRightButtonUp(uint16_t x, uint16_t y)
{
    if (pScreen->IsLeftButtonDown())
        return;
    EndLean();
    CGame::OnRightButtonUp(x, y);
}

void AGameRollavex::OnMouseMove(uint16_t x, uint16_t y)
{
    if (pScreen->IsLeftButtonDown() || pScreen->IsRightButtonDown()) {
        pScreen->ShowPointer(0);
        if (pBoard)
            pBoard->LeanTo(x, y);
    }
    CGame::OnMouseMove(x, y);
}

// A replayed event takes the screen's way in, so that the screen's button
// state follows the recording.
void AGameRollavex::DeliverMouse(uint32_t type, uint16_t x, uint16_t y)
{
    using Handler = void (CScreen::*)(int32_t, int32_t);
    // By event type; double clicks and moves over the frame go straight in.
    static constexpr Handler kScreenWay[] = {nullptr,
                                             &CScreen::OnMouseMove,
                                             nullptr,
                                             &CScreen::OnLeftButtonDown,
                                             &CScreen::OnLeftButtonUp,
                                             nullptr,
                                             &CScreen::OnRightButtonDown,
                                             &CScreen::OnRightButtonUp};
    const Handler handler = pScreen && type < std::size(kScreenWay) ? kScreenWay[type] : nullptr;
    if (handler)
        (pScreen->*handler)(x, y);
    else
        CGame::DeliverMouse(type, x, y);
}

// Keys never reach the controller but for Pause: its arrow flags do nothing
// here, while the arrows and W A S D lean the board.

int32_t AGameRollavex::OnKeyUp(uint32_t nKey)
{
    if (pPanel && pPanel->OnKey(nKey, false)) {
        if (!pPanel->IsOpen())
            OptionsClosed();
        return 1;
    }
    if (pBoard && pBoard->GetLeanInput().Press(nKey, false))
        return 1;
    if ((nKey == KeyEscape || nKey == KeyF9) && !IsPanel1Shown()) {
        if (pasQuit)
            pasQuit->SetState(CActorButton::kNormal);
        pScreen->FinishScene(this, QuitCode, 1);
    } else if (nKey == KeyN) {
        NewGame(0);
    } else if (nKey == KeyO && pPanel) {
        OpenOptions();
    } else if (nKey == KeyG) {
        Options()->Ghost = !Options()->Ghost;
        ApplyOption(AOptionsPanel::Ghost);
        FollowRun();
    } else {
        ChooseMaze(nKey);
    }
    return 1;
}

int32_t AGameRollavex::OnKeyDown(uint32_t nKey)
{
    if (pPanel && pPanel->OnKey(nKey, true))
        return 1;
    if (pBoard && pBoard->GetLeanInput().Press(nKey, true))
        return 1;
    if (nKey == KeyP || nKey == KeyPause)
        TogglePause();
    else if (nKey == KeyK)
        fKeyK = 1;
    else if (nKey == KeyV)
        fKeyV = 1;
    else if (nKey == KeyB && !IsPanel1Shown() && fKeyK && fKeyV && pScreen->IsLeftButtonDown())
        OpenHiddenDialog();
    return 1;
}

void AGameRollavex::TogglePause()
{
    CScene::OnKeyDown(KeyPause);
    ShowPauseState();
}

void AGameRollavex::ShowPauseState()
{
    const bool panel = pPanel && pPanel->IsOpen();
    if (AStatusRollavex* status = GetRollStatus())
        status->ShowPaused(!panel && (IsUserPaused() || !pScreen->IsActive()));
}

void AGameRollavex::OnPadStick(int32_t x, int32_t y)
{
    if (pPanel && pPanel->IsOpen())
        pPanel->OnStick(x, y);
    else if (pBoard)
        pBoard->GetLeanInput().SetStick(x, y);
}

void AGameRollavex::OnPadLost()
{
    if (!IsUserPaused())
        TogglePause();
}

void AGameRollavex::OnFocusChange(bool fActive)
{
    if (!fActive)
        EndLean();
    ShowPauseState();
}

int32_t AGameRollavex::OnSysKeyUp(uint32_t) { return 0; }

int32_t AGameRollavex::OnSysKeyDown(uint32_t) { return 0; }

// The hidden dialog: an about box with one answer.

void AGameRollavex::OpenHiddenDialog()
{
    // The dialog takes the button's release: the lean ends here.
    EndLean();
    Suspend(0);
    for (int i = 0; i < 2; ++i)
        rgDialogTexts[i] = TextDesc{.pszText = szDialogText[i], .nMaxLen = 3, .nHAlign = 0, .nVAlign = 0,
            .clrText = 0xFFFFFFFF, .fTextShadow = 1};
    // The dialog raises the command by one for its first answer: '1'.
    bdDialog = ButtonDesc{.nKind = kButtonPush, .nCommand = '0', .fClickable = 1, .clrFrame = 0xFF7F0000};
    pDialog = new CSceneDialog(pScreen, this, rgpSprites[DialogPicture], rgpSpriteSets[DialogImages], nullptr,
                               rgDialogTexts, &bdDialog, 1, 420, 200, 0, 0);
    pDialog->Load();
    pDialog->Begin();
}

void AGameRollavex::OnDialogResult(CScene* pFinished, int32_t nAnswer)
{
    if (pFinished)
        pScreen->FinishScene(pFinished, nAnswer, 1);
}

void AGameRollavex::OnDialogClosed(CScene* pClosed, int32_t)
{
    if (pClosed == pDialog)
        pDialog = nullptr;
}

// What the board and the ball ask of the game

float AGameRollavex::GetLeanAngleX() const { return pBoard ? float(pBoard->GetLeanX()) * -0.001f : 0.0f; }

float AGameRollavex::GetLeanAngleY() const { return pBoard ? float(pBoard->GetLeanY()) * 0.001f : 0.0f; }

float AGameRollavex::GetSurfaceZ(float x, float y) { return pBoard ? pBoard->GetSurfaceZ(x, y) : 0.0f; }

const MMatrix& AGameRollavex::GetLeanMatrix() const { return pBoard ? pBoard->GetLeanMatrix() : matIdentity; }

const MMesh* AGameRollavex::GetBoardGeometry() const
{
    return pBoard && pBoard->GetMesh() ? pBoard->GetMesh()->GetMesh() : nullptr;
}

const MMesh* AGameRollavex::GetFrameGeometry() const
{
    const ALeanFrame* frame = pBoard ? pBoard->GetFrame() : nullptr;
    return frame && frame->GetMesh() ? frame->GetMesh()->GetMesh() : nullptr;
}

bool AGameRollavex::IsPlayerLost() const { return pStatus && pStatus->HasLost(GetCurrentPlayer()); }

bool AGameRollavex::IsLeanLocked() const { return IsPanel3Shown() != 0; }

bool AGameRollavex::IsMouseLocked() const { return IsPanel4Shown() != 0; }
