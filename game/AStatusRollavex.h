#pragma once
#include "common/status/CStatus.h"

class ABestTime;
class CActorButton;
class CEditBox;

// The game's status: the clock with the best time under it, the end-of-game
// message with a second line for a new best time, and the hint line.
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

    CEditBox* GetMessageLine() const { return pasLine1; }
    CEditBox* GetHintLine() const { return pasLine2; }
    CEditBox* GetNewBestLine() const { return pasLine3; }
    CActorButton* GetBestLabel() const { return pasBest; }
    CEditBox* GetPausedLine() const { return pasPaused; }

private:
    void ShowMessage(const char* text);
    void StopClock();
    void OfferWin();
    void ShowBest();

    CActorButton* pasBest = nullptr;
    CEditBox* pasPaused = nullptr;
    ABestTime* pBestTime = nullptr;
};
