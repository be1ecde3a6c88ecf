#include "game/AStatusRollavex.h"

#include <cstdio>
#include <cstring>
#include "base/Fixed.h"
#include "common/actors/ButtonDesc.h"
#include "common/actors/CActorButton.h"
#include "common/status/CClock.h"
#include "common/actors/CEditBox.h"
#include "common/scene/CGame.h"
#include "common/actors/TextDesc.h"
#include "game/records/ABestTime.h"

namespace {
constexpr uint32_t kYellow = 0xFFFFFF00;
constexpr uint32_t kSkyBlue = 0xFF00AFFF;
constexpr uint32_t kFrameRed = 0xFF7F0000;
constexpr int kClockDigits = 4;
constexpr int32_t kLeftEdge = 2;

CEditBox* MakeLine(CGame* game, int32_t x, int32_t y, int32_t nFont, uint32_t colour, const char* text)
{
    // The box copies the text; the descriptor only lends it.
    TextDesc desc{.pszText = const_cast<char*>(text), .nMaxLen = 64, .nHAlign = 0, .nVAlign = 0, .nFont = nFont,
        .clrText = colour, .fTextShadow = 1};
    const ButtonDesc label{.nKind = kButtonLabel, .clrFrame = kFrameRed};
    CEditBox* line = new CEditBox(game, x * Fixed::kOne, y * Fixed::kOne, 100 * Fixed::kOne, &desc, &label);
    line->SetLocked(1);
    line->Hide();
    return line;
}
} // namespace

AStatusRollavex::AStatusRollavex(CGame* pGame) : CStatus(pGame)
{
    pasLine1 = MakeLine(pGame, 400, 250, 1, kYellow, "");
    pasLine2 = MakeLine(pGame, 400, 546, 2, kSkyBlue, kHint);
    char empty[1] = "";
    TextDesc clockText{.pszText = empty, .nMaxLen = 8, .nHAlign = 0, .nVAlign = 0, .clrText = kYellow,
        .fTextShadow = 1};
    const ButtonDesc clockLabel{.nKind = kButtonLabel, .clrFrame = kFrameRed, .fFramed = 1};
    const int pos[3] = {52 * Fixed::kOne, 70 * Fixed::kOne, 5000 * Fixed::kOne};
    pclkGame = new CClock(pGame, this, pos, &clockText, &clockLabel, kClockDigits, nullptr, 1, 0);
    pasLine3 = MakeLine(pGame, 400, 290, 1, kYellow, "");
    pasBest = MakeLabel(pGame, 8, 102, 2);
    pasPaused = MakeLine(pGame, 400, 210, 1, kYellow, kPaused);
    pasMaze = MakeLabel(pGame, 8, 36, 0);
}

// A pinned yellow label starting at x; hidden until set.
CActorButton* AStatusRollavex::MakeLabel(CGame* pGame, int32_t x, int32_t y, int32_t nFont)
{
    char empty[1] = "";
    TextDesc text{.pszText = empty, .nMaxLen = 40, .nHAlign = kLeftEdge, .nVAlign = 0, .nFont = nFont,
        .clrText = kYellow, .fTextShadow = 1};
    const ButtonDesc label{.nKind = kButtonLabel, .clrFrame = kFrameRed};
    auto* button = new CActorButton(&text, &label, pGame, x * Fixed::kOne, y * Fixed::kOne, 5000 * Fixed::kOne,
                                    nullptr, 0);
    button->SetPinned(1);
    button->Hide();
    return button;
}

void AStatusRollavex::ShowMaze(int32_t nMaze, const char* szName)
{
    if (!pasMaze)
        return;
    char text[48];
    std::snprintf(text, sizeof text, "Maze %d \xB7 %s", int(nMaze), szName);
    pasMaze->SetText(text);
    pasMaze->Show();
}

void AStatusRollavex::ShowMessage(const char* text)
{
    if (!pasLine1)
        return;
    pasLine1->SetLocked(0);
    pasLine1->SetText(text, 1);
    pasLine1->SetLocked(1);
    pasLine1->Show();
}

void AStatusRollavex::StopClock()
{
    if (pclkGame)
        pclkGame->Stop();
}

void AStatusRollavex::PlayerWon(int player)
{
    ShowMessage(kWon);
    StopClock();
    // A repeated goal of the same game is no new win.
    if (!HasWon(player))
        OfferWin();
    CStatus::PlayerWon(player);
}

void AStatusRollavex::PlayerLost(int player, int reason)
{
    ShowMessage(kLost);
    if (pasLine3)
        pasLine3->Hide();
    StopClock();
    CStatus::PlayerLost(player, reason);
}

void AStatusRollavex::Update(int dt)
{
    if (pclkGame && !CurrentPlayerDone() && !pGame->IsPanel3Shown() && !pGame->IsUserPaused())
        pclkGame->Start();
    if (pclkGame && pclkGame->IsRunning() && dt > 0)
        lRunTicks = lRunTicks > INT32_MAX - dt ? INT32_MAX : lRunTicks + dt;
    CStatus::Update(dt);
}

void AStatusRollavex::Reset(int a, int b)
{
    if (pclkGame) {
        pclkGame->Set(0);
        pclkGame->Tick(0);
    }
    lRunTicks = 0;
    CStatus::Reset(a, b);
    HideMessage();
}

void AStatusRollavex::ShowHint()
{
    if (pasLine2)
        pasLine2->Show();
}

void AStatusRollavex::HideHint()
{
    if (pasLine2)
        pasLine2->Hide();
}

void AStatusRollavex::HideMessage()
{
    for (CEditBox* line : {pasLine1, pasLine3})
        if (line)
            line->Hide();
}

void AStatusRollavex::ShowPaused(bool fShow)
{
    if (pasPaused)
        fShow ? pasPaused->Show() : pasPaused->Hide();
}

void AStatusRollavex::SetBestTime(ABestTime* pRecord)
{
    pBestTime = pRecord;
    ShowBest();
}

// The win's time to the hundredth, with the difference from the best before
// it: yellow after "New best time!", sky blue when it is no new best.
void AStatusRollavex::OfferWin()
{
    if (!pBestTime || !pasLine3)
        return;
    const int32_t time = GetHundredths();
    const int32_t before = pBestTime->Get();
    const bool best = pBestTime->OfferWin(time);
    char text[64], clock[16], difference[16] = "";
    ABestTime::Format(clock, sizeof clock, time);
    if (before != ABestTime::None)
        ABestTime::FormatDifference(difference, sizeof difference, time - before);
    std::snprintf(text, sizeof text, "%s%s%s", best ? kNewBest : "", best ? "  " : "", clock);
    if (*difference)
        std::snprintf(text + std::strlen(text), sizeof text - std::strlen(text), "  %s", difference);
    pasLine3->SetColour(best ? kYellow : kSkyBlue);
    SetLine(pasLine3, text);
    ShowBest();
}

void AStatusRollavex::ShowBest()
{
    if (!pasBest)
        return;
    if (!pBestTime || pBestTime->Get() == ABestTime::None) {
        pasBest->Hide();
        return;
    }
    char text[24] = "Best ";
    ABestTime::Format(text + std::strlen(text), sizeof text - std::strlen(text), pBestTime->Get());
    pasBest->SetText(text);
    pasBest->Show();
}
