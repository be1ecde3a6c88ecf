#include "common/status/CStatus.h"
#include <algorithm>
#include <cstring>
#include "base/Fixed.h"
#include "common/status/CClock.h"
#include "common/actors/CEditBox.h"
#include "common/scene/CGame.h"
#include "common/scene/CScene.h"

namespace {
template <typename T>
void DeleteElement(T*& element)
{
    delete element;
    element = nullptr;
}

void RefreshElement(CNumber* element)
{
    if (element)
        element->Refresh();
}

void ShowActor(CActor* actor)
{
    if (actor)
        actor->Show();
}

void HideActor(CActor* actor)
{
    if (actor)
        actor->Hide();
}
} // namespace

CStatus::CStatus(CGame* pGame) : pGame(pGame)
{
    CStatus::ClearTables();
}

CStatus::~CStatus()
{
    DeleteElement(pclkAux);
    DeleteElement(pnumAux);
    DeleteElement(pGauge);
    DeleteElement(pLives);
    DeleteElement(pExtra);
    DeleteElement(pclkGame);
    DeleteElement(pFps);
}

int CStatus::CurrentPlayer() const
{
    return pGame ? pGame->GetCurrentPlayer() : 0;
}

int CStatus::CurrentPlayerDone() const
{
    int player = CurrentPlayer();
    return HasWon(player) || HasLost(player);
}

void CStatus::ClearTables()
{
    std::memset(rglTableA, 0, sizeof rglTableA);
    std::memset(rglTableB, 0, sizeof rglTableB);
    if (pclkAux)
        pclkAux->Set(0);
}

void CStatus::SetCell(int row, int col, int value)
{
    if (IsCell(row, col))
        rglTableA[row][col] = value;
}

void CStatus::ClearCell(int row, int col)
{
    SetCell(row, col, 0);
}

void CStatus::ClearResults()
{
    std::memset(rgfWon, 0, sizeof rgfWon);
    std::memset(rgfLost, 0, sizeof rgfLost);
}

void CStatus::SetWon(int player, int value)
{
    if (IsPlayer(player))
        rgfWon[player] = value;
}

double CStatus::GetRate()
{
    return pRate ? pRate->GetRate() : 1.0;
}

void CStatus::PlayerWon(int player)
{
    SetWon(player, 1);
}

void CStatus::ArmAlarm()
{
    if (pclkAux)
        pclkAux->SetAlarm(-lAuxBase, 25);
}

void CStatus::SetLost(int player, int value)
{
    if (IsPlayer(player))
        rgfLost[player] = value;
}

void CStatus::SetAuxNumber(int value)
{
    if (pnumAux)
        pnumAux->Set(value);
}

void CStatus::PlayerLost(int player, int)
{
    ArmAlarm();
    SetLost(player, 1);
}

void CStatus::ArmAuxAlarm()
{
    if (!HasWon(CurrentPlayer()))
        ArmAlarm();
}

void CStatus::OnValue(int) {}

void CStatus::TimeUp()
{
    if (pGame)
        pGame->OnTimeUp();
}

void CStatus::SetBonusBase(int score)
{
    lBonusBase = score <= kBonusStep ? 0 : (score - 1) / kBonusStep * kBonusStep;
}

void CStatus::OnAlarm() {}

void CStatus::OnEvent() {}

void CStatus::Pause(int fShow)
{
    if (fShow)
        ShowActor(pMarkB);
    if (pclkGame)
        pclkGame->Stop();
}

void CStatus::Resume()
{
    HideActor(pMarkB);
    if (pclkGame && !(pGame && pGame->IsClockHeld()) && !CurrentPlayerDone())
        pclkGame->Start();
}

void CStatus::ShowMarkA()
{
    ShowActor(pMarkA);
}

void CStatus::OnStartTurn() {}

void CStatus::CheckBonus(int score)
{
    if (score - lBonusBase < kBonusStep)
        return;
    if (pLives)
        pLives->Add(1);
    lBonusBase += kBonusStep;
}

void CStatus::SetLine(CEditBox* line, const char* text)
{
    if (!line)
        return;
    int32_t locked = line->IsLocked();
    if (locked)
        line->SetLocked(0);
    line->SetText(text, 0);
    if (locked)
        line->SetLocked(1);
    line->Show();
}

void CStatus::ShowLines(const char* a, const char* b, const char* c)
{
    SetLine(pasLine1, a);
    SetLine(pasLine2, b);
    SetLine(pasLine3, c);
}

void CStatus::ShowLines(const char* a, const char* b)
{
    SetLine(pasLine1, a);
    SetLine(pasLine2, b);
    HideActor(pasLine3);
}

void CStatus::ShowLine(const char* a)
{
    SetLine(pasLine1, a);
    HideActor(pasLine2);
    HideActor(pasLine3);
}

void CStatus::ShowCongratulations()
{
    SetLine(pasLine1, "Congratulations!!");
}

void CStatus::ShowFailure()
{
    SetLine(pasLine1, "Oh, no!  Not this time!");
}

void CStatus::ShowWinner()
{
    if (fWinnerShown || fNoWinnerShown)
        return;
    ShowLine("Winner!  Way to go!");
    fWinnerShown = 1;
}

void CStatus::ShowNoWinner()
{
    if (fWinnerShown || fNoWinnerShown)
        return;
    int players = pGame ? pGame->GetPlayerCount() : 1;
    if (players == 2)
        ShowLine("No winner.  You both need work!");
    else if (players > 2)
        ShowLine("No winner.  You all need work!");
    fNoWinnerShown = 1;
}

void CStatus::StartAuxClock()
{
    if (fAuxClockRuns && pclkAux)
        pclkAux->Start();
}

void CStatus::PrimeAuxClock()
{
    if (!pclkAux)
        return;
    pclkAux->SetResettable(fAuxAlarm ? (pclkGame ? pclkGame->GetValue() : 0) : 25);
    pclkAux->ClearAccum();
}

void CStatus::CountFrame(int dt)
{
    if (!pFps)
        return;
    if (fFpsSkip) {
        fFpsSkip = 0;
        return;
    }
    ++nFpsFrames;
    lFpsTicks += dt;
    if (lFpsTicks < 256)
        return;
    // Frames per tick in 1/256 is frames per second.
    pFps->Set(Fixed::Ratio(nFpsFrames, lFpsTicks).Raw());
    nFpsFrames = 0;
    lFpsTicks = 0;
}

int CStatus::TicksToNextChange() const
{
    int lTicks = CScene::NoChange;
    for (const CClock* clock : {pclkGame, pclkAux}) {
        if (clock)
            lTicks = std::min(lTicks, clock->TicksToNextChange());
    }
    if (pFps)
        lTicks = std::min(lTicks, std::max(256 - lFpsTicks, 0));
    return lTicks;
}

void CStatus::Update(int dt)
{
    if (pGauge)
        pGauge->Refresh();
    RefreshElement(pLives);
    RefreshElement(pclkAux);
    RefreshElement(pnumAux);
    if (pclkGame)
        pclkGame->Tick(dt);
    RefreshElement(pFps);
    RefreshElement(pExtra);
}

void CStatus::Reset(int a, int b)
{
    if (pGauge)
        pGauge->Reset(b);
    if (pclkAux)
        pclkAux->Reset(a, b);
    if (pExtra)
        pExtra->Set(static_cast<short>(a));
    int player = CurrentPlayer();
    if (pclkGame) {
        int players = pGame ? pGame->GetPlayerCount() : 1;
        pclkGame->SetResettable(players == 1 || player != nLastPlayer);
        pclkGame->Reset(a, b);
    }
    if (pFps)
        pFps->Reset(a, b);
    if (IsPlayer(player)) {
        rgfWon[player] = 0;
        rgfLost[player] = 0;
    }
    fWinnerShown = 0;
    fNoWinnerShown = 0;
    nLastPlayer = player;
}

int CStatus::Query1()
{
    return 0;
}

int CStatus::Query2()
{
    return 0;
}

void CStatus::CaptureValues(int out[5])
{
    out[0] = pLives ? pLives->GetValue() : 1;
    out[1] = pnumAux ? pnumAux->GetValue() : 0;
    out[2] = 0;
    out[3] = pclkAux ? pclkAux->GetValue() * 256 : 0;
    out[4] = static_cast<int>(GetRate() * 100.0);
}

void CStatus::RestoreValues(const int in[5])
{
    if (pLives)
        pLives->Set(in[0]);
    if (pnumAux)
        pnumAux->Set(in[1]);
    if (pclkAux)
        pclkAux->Set(in[3] / 256);
}
