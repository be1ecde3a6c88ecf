#include "common/scene/CGame.h"
#include <algorithm>
#include "base/BApplication.h"
#include "base/Fixed.h"
#include "common/scene/CInputRouter.h"
#include "common/screen/COptions.h"
#include "common/screen/CScreen.h"
#include "common/status/CStatus.h"

namespace {
enum : uint32_t {
    kVkControl = 17,
    kVkLeft = 37,
    kVkUp = 38,
    kVkRight = 39,
    kVkDown = 40,
    kVkNumpad2 = 98,
    kVkNumpad4 = 100,
    kVkNumpad6 = 102,
    kVkNumpad8 = 104,
};
constexpr int kModeTwoPlayers = 2;
constexpr int kLogicalWidth = Fixed::FromInt(400).Raw();
constexpr int kLogicalHeight = Fixed::FromInt(300).Raw();

int g_nGameCounter = 0;

const COptions& Options()
{
    static const COptions defaults;
    const COptions* options = GetAppOptions();
    return options ? *options : defaults;
}
} // namespace

CGame::CGame(CScreen* pScreen, int originX, int originY, int redrawMode, int fOnTop, int reserved,
             int collisionMode)
    : CScene(pScreen, originX, originY, redrawMode, fOnTop, reserved, collisionMode), nPlayers(Options().Players)
{
    g_nGameCounter = 0;
    CaptureState();
    CInputRecorder* recorder = GetInputRecorder();
    recorder->StartFromEnvironment();
    recorder->Attach(this, this);
}

CGame::~CGame()
{
    delete pStatus;
    pStatus = nullptr;
    GetInputRecorder()->Detach(this);
}

int CGame::GetGameCounter()
{
    return g_nGameCounter;
}

void CGame::SetStatus(CStatus* status)
{
    if (status != pStatus)
        delete pStatus;
    pStatus = status;
}

void CGame::NewGame(int counter)
{
    g_nGameCounter = counter;
    CaptureState();
    fClockHeld = 0;
    fGameOver = 0;
}

void CGame::StartTurn(int player)
{
    fTurnPending = 0;
    if (!pStatus)
        return;
    pStatus->OnStartTurn();
    if (GetPlayerMode() == kModeTwoPlayers && player != -1)
        pStatus->SetWon(player, 1);
    pStatus->SetWon(nCurrentPlayer, 1);
}

void CGame::EndTurn(int, int)
{
    fTurnPending = 0;
    if (!pStatus)
        return;
    pStatus->SetLost(nCurrentPlayer, 1);
    pStatus->SetWon(nCurrentPlayer, 0);
}

int CGame::EndGame(int)
{
    fGameOver = 1;
    fTurnPending = 0;
    return 0;
}

void CGame::ResetScore()
{
    if (pStatus)
        pStatus->SetAuxNumber(0);
}

void CGame::OnTimeUp() {}

void CGame::AutoTurn()
{
    if (pStatus && !pStatus->Query1() && !pStatus->Query2() && fAutoTurn)
        EndTurn(0, nCurrentPlayer);
}

void CGame::MarkPanel4()
{
    fPanel4Shown = 1;
}

void CGame::SetAuxValue(int value)
{
    lAuxValue = value;
}

void CGame::RestoreState(const int record[kStateSize])
{
    g_nGameCounter = record[0];
    nCurrentPlayer = record[1];
    if (COptions* options = GetAppOptions())
        options->Difficulty = record[2];
    if (pStatus)
        pStatus->RestoreValues(record + 3);
}

int CGame::GetPlayerMode()
{
    return 4;
}

void CGame::GetLogicalWidth(int* out)
{
    *out = kLogicalWidth;
}

void CGame::GetLogicalHeight(int* out)
{
    *out = kLogicalHeight;
}

void CGame::MarkInputSeen()
{
    fInputSeen = 1;
}

void CGame::CaptureState()
{
    rglState[0] = g_nGameCounter;
    rglState[1] = nCurrentPlayer;
    rglState[2] = Options().Difficulty;
    if (pStatus) {
        pStatus->CaptureValues(rglState + 3);
    } else {
        const int none[5] = {1, 0, 0, 0, 100};
        for (int i = 0; i < 5; ++i)
            rglState[3 + i] = none[i];
    }
    rglState[8] = 0;
    rglState[9] = 0;
}

void CGame::ClosePanel3()
{
    fPanel3Shown = 0;
}

void CGame::ClosePanel4()
{
    fPanel4Shown = 0;
}

int CGame::ShowPanel3()
{
    fPanel3Shown = 1;
    return 0;
}

int CGame::ShowPanel4()
{
    fPanel4Shown = 1;
    return 0;
}

void CGame::OnLeftButtonUp(uint16_t x, uint16_t y)
{
    if (IsSuspended() && !IsPanel1Shown() && !IsPanel2Shown()) {
        Resume();
        if (!fPanel3Shown && pScreen)
            pScreen->ResumeMusic();
    }
    CScene::OnLeftButtonUp(x, y);
}

int CGame::KeyFlagIndex(uint32_t key)
{
    switch (key) {
    case kVkLeft:
    case kVkRight:
    case kVkNumpad4:
    case kVkNumpad6:
        return kKeyHorizontal;
    case kVkControl:
        return kKeyCtrl;
    case kVkUp:
    case kVkNumpad8:
        return kKeyUp;
    case kVkDown:
    case kVkNumpad2:
        return kKeyDown;
    default:
        return -1;
    }
}

int32_t CGame::OnKeyUp(uint32_t key)
{
    int index = KeyFlagIndex(key);
    if (index < 0)
        return CScene::OnKeyUp(key);
    rgfKeys[index] = 0;
    return 0;
}

int32_t CGame::OnKeyDown(uint32_t key)
{
    if (!fInputSeen)
        MarkInputSeen();
    int index = KeyFlagIndex(key);
    if (index < 0)
        return CScene::OnKeyDown(key);
    rgfKeys[index] = 1;
    return 1;
}

int32_t CGame::Load()
{
    return 0;
}

int32_t CGame::Unload()
{
    return 0;
}

void CGame::Tick()
{
    CScene::Tick();
    if (fStatusClocksRunning && pStatus) {
        pStatus->CountFrame(lTickElapsed);
        pStatus->Update(lTickElapsed);
    }
}

int32_t CGame::TicksToNextChange()
{
    const int32_t lTicks = CScene::TicksToNextChange();
    if (!fStatusClocksRunning || !pStatus)
        return lTicks;
    return std::min(lTicks, int32_t(pStatus->TicksToNextChange()));
}

int32_t CGame::OnEscape()
{
    CScene::OnEscape();
    return 1;
}

int32_t CGame::CanResumeMusic()
{
    if (IsPanel1Shown())
        return 0;
    return CScene::CanResumeMusic();
}

void CGame::Suspend(int32_t reason)
{
    if (pStatus)
        pStatus->Pause(reason);
    CScene::Suspend(reason);
}

void CGame::Resume()
{
    if (pStatus)
        pStatus->Resume();
    CScene::Resume();
}

void CGame::DeliverMouse(uint32_t type, uint16_t x, uint16_t y)
{
    MouseEvent e;
    e.nType = type;
    e.wX = x;
    e.wY = y;
    DispatchMouseEvent(&e);
}

int CGame::DeliverKey(int kind, int key)
{
    return CInputRouter::DispatchKey(kind, static_cast<uint32_t>(key));
}
