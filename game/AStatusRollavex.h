#pragma once
#include "common/CStatus.h"

class CEditBox;

// The game's status: the clock, the end-of-game message and the hint line.
class AStatusRollavex : public CStatus {
public:
    static constexpr const char* kWon = "Congratulations!";
    static constexpr const char* kLost = "Better luck next time!";
    static constexpr const char* kHint = "To lean the board, move the mouse with a mouse button pressed.";

    explicit AStatusRollavex(CGame* pGame);
    ~AStatusRollavex() override = default;

    void PlayerWon(int player) override;
    void PlayerLost(int player, int reason) override;
    void Update(int dt) override;
    void Reset(int a, int b) override;

    void ShowHint();
    void HideHint();
    void HideMessage();

    CEditBox* GetMessageLine() const { return pasLine1; }
    CEditBox* GetHintLine() const { return pasLine2; }

private:
    void ShowMessage(const char* text);
    void StopClock();
};
