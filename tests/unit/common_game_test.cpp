#include <gtest/gtest.h>
#include <memory>
#include "common/ButtonDesc.h"
#include "common/CClock.h"
#include "common/CGame.h"
#include "common/CStatus.h"
#include "common/TextDesc.h"
#include "UiTestSupport.h"

namespace {

enum : uint32_t { kVkPause = 19, kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40, kVkControl = 17 };

// A status with a game clock.
class ClockStatus : public CStatus {
public:
    explicit ClockStatus(CGame* game) : CStatus(game)
    {
        static TestGlyphFont font;
        static char empty[] = "";
        TextDesc text{empty, 11, 0, 0, &font, 0, 0xFFFFFF00, 1, 0};
        const ButtonDesc label{kButtonLabel, 0, 0, 0xFF7F0000, 1, 0};
        const int pos[3] = {52 * 256, 70 * 256, 5000 * 256};
        pclkGame = new CClock(game, this, pos, &text, &label, 4, nullptr, 1, 0);
    }
};

// A game whose current player and player mode a test can choose.
class TestGame : public CGame {
public:
    TestGame() : CGame(nullptr, 0, 0, 0, 1, 0, 1) {}
    void SetCurrentPlayer(int player) { nCurrentPlayer = player; }
    int GetPlayerMode() override { return nMode; }
    int nMode = CGame::GetPlayerMode();
};

class GameTest : public testing::Test {
protected:
    void SetUp() override { game.SetStatus(status); }

    TestGame game;
    ClockStatus* status = new ClockStatus(&game);
};

TEST_F(GameTest, StartTurnMarksTheCurrentPlayerAndInTwoPlayerModeTheGivenOneAndEndTurnLoses)
{
    EXPECT_EQ(game.nMode, 4);
    game.SetCurrentPlayer(1);
    game.StartTurn(3);
    EXPECT_TRUE(status->HasWon(1));
    EXPECT_FALSE(status->HasWon(3));
    game.nMode = 2;
    game.StartTurn(2);
    EXPECT_TRUE(status->HasWon(2));
    game.StartTurn(-1);
    EXPECT_FALSE(status->HasWon(0));
    game.SetCurrentPlayer(0);
    game.AutoTurn();
    EXPECT_TRUE(status->HasLost(0));
    EXPECT_FALSE(game.IsTurnPending());
    game.SetCurrentPlayer(7);
    game.StartTurn(9);
    game.EndTurn(0, 9);
    TestGame bare;
    bare.StartTurn(0);
    bare.EndTurn(0, 0);
    bare.AutoTurn();
    bare.ResetScore();
    EXPECT_EQ(bare.GetStatus(), nullptr);
}

TEST_F(GameTest, ArrowAndControlKeysSetFlagsAndAreNotPassedOn)
{
    const struct {
        uint32_t key;
        int flag;
    } cases[] = {{kVkLeft, CGame::kKeyHorizontal}, {kVkRight, CGame::kKeyHorizontal}, {100, CGame::kKeyHorizontal},
                 {102, CGame::kKeyHorizontal},     {kVkControl, CGame::kKeyCtrl},       {kVkUp, CGame::kKeyUp},
                 {104, CGame::kKeyUp},             {kVkDown, CGame::kKeyDown},          {98, CGame::kKeyDown}};
    EXPECT_FALSE(game.IsInputSeen());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(game.OnKeyDown(c.key), 1);
        EXPECT_EQ(game.GetKeyFlag(c.flag), 1);
        EXPECT_EQ(game.OnKeyUp(c.key), 0);
        EXPECT_EQ(game.GetKeyFlag(c.flag), 0);
    }
    EXPECT_TRUE(game.IsInputSeen());
    EXPECT_EQ(game.OnKeyDown('A'), 0) << "other keys go to the scene's key table";
    EXPECT_EQ(game.OnKeyUp('A'), 1);
}

TEST_F(GameTest, PauseAndTheButtonReleaseResumeUnlessAPanelIsShown)
{
    CClock* clock = status->GetGameClock();
    game.Resume();
    game.Suspend(0);
    EXPECT_FALSE(clock->IsRunning());
    game.OnKeyDown(kVkPause);
    EXPECT_FALSE(game.IsSuspended());
    EXPECT_TRUE(clock->IsRunning());
    game.Suspend(0);
    game.ShowPanel2();
    game.OnLeftButtonUp(5, 5);
    EXPECT_TRUE(game.IsSuspended());
    game.ClosePanel2();
    game.OnLeftButtonUp(5, 5);
    EXPECT_FALSE(game.IsSuspended());
    EXPECT_TRUE(clock->IsRunning());
}

TEST_F(GameTest, NewGameTakesTheCounterAndStateRestoresIt)
{
    game.EndGame(0);
    EXPECT_TRUE(game.IsGameOver());
    game.NewGame(5);
    EXPECT_FALSE(game.IsGameOver());
    EXPECT_EQ(game.GetStateRecord()[0], 5);
    int record[CGame::kStateSize] = {9, 0, 2, 1, 0, 0, 0, 100, 0, 0};
    game.RestoreState(record);
    EXPECT_EQ(CGame::GetGameCounter(), 9);
}

} // namespace
