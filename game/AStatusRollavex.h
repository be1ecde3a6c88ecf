#pragma once
#include <cstdint>
#include "common/status/CStatus.h"

class ABestTime;
class CActorButton;
class CEditBox;

// The game's status: the clock with the best time under it, the end-of-game
// message with a second line for the time of a win, and the hint line. The
// game's time is also counted in ticks, for hundredths of a second.
class AStatusRollavex : public CStatus {
public:
    static constexpr const char* kWon = "Congratulations!";
    static constexpr const char* kLost = "Better luck next time!";
    static constexpr const char* kHint = "To lean the board, move the mouse with a mouse button pressed.";
    static constexpr const char* kNewBest = "New best time!";
    static constexpr const char* kPaused = "Paused";

    explicit AStatusRollavex(CGame* pGame);
    ~AStatusRollavex() override = default;

    void PlayerWon(int player) override;
    void PlayerLost(int player, int reason) override;
    void Update(int dt) override;
    void Reset(int a, int b) override;

    // The record a first win of a game is offered to (none: no best time);
    // its best time shows under the clock.
    void SetBestTime(ABestTime* pRecord);
    void ShowHint();
    void HideHint();
    void HideMessage();
    void ShowPaused(bool fShow);
    // "Maze 3 · Switchback" over the clock.
    void ShowMaze(int32_t nMaze, const char* szName);

    CEditBox* GetMessageLine() const { return pasLine1; }
    CEditBox* GetHintLine() const { return pasLine2; }
    CEditBox* GetNewBestLine() const { return pasLine3; }
    CActorButton* GetBestLabel() const { return pasBest; }
    CEditBox* GetPausedLine() const { return pasPaused; }
    CActorButton* GetMazeLabel() const { return pasMaze; }
    // Ticks (1/256 s) the clock has run this game, and the same in hundredths.
    int32_t GetRunTicks() const { return lRunTicks; }
    int32_t GetHundredths() const { return int32_t(int64_t(lRunTicks) * 100 / 256); }

private:
    void ShowMessage(const char* text);
    void StopClock();
    void OfferWin();
    void ShowBest();

    static CActorButton* MakeLabel(CGame* pGame, int32_t x, int32_t y, int32_t nFont);

    CActorButton* pasBest = nullptr;
    CActorButton* pasMaze = nullptr;
    int32_t lRunTicks = 0;
    CEditBox* pasPaused = nullptr;
    ABestTime* pBestTime = nullptr;
};
