#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include "base/CException.h"
#include "common/ButtonDesc.h"
#include "common/CClock.h"
#include "common/CGame.h"
#include "common/CInputRecorder.h"
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
        ButtonDesc label{kButtonLabel, 0, 0, 0xFF7F0000, 1, 0};
        const int pos[3] = {52 * 256, 70 * 256, 5000 * 256};
        pclkGame = new CClock(game, this, pos, &text, &label, 4, nullptr, 1, 0);
    }
};

// A game whose current player a test can choose; it logs its left presses.
class TestGame : public CGame {
public:
    TestGame() : CGame(nullptr, 0, 0, 0, 1, 0, 1) {}
    void SetCurrentPlayer(int player) { nCurrentPlayer = player; }
    void OnLeftButtonDown(uint16_t x, uint16_t y) override { log += std::to_string(x) + "," + std::to_string(y); }
    std::string log;
};

// A game whose player mode is the two-player special case.
class TwoPlayerGame : public TestGame {
public:
    int GetPlayerMode() override { return 2; }
};

class GameTest : public testing::Test {
protected:
    void SetUp() override
    {
        game = std::make_unique<TestGame>();
        status = new ClockStatus(game.get());
        game->SetStatus(status);
    }

    std::unique_ptr<TestGame> game;
    ClockStatus* status = nullptr;
};

TEST_F(GameTest, StartTurnWithModeFourMarksOnlyTheCurrentPlayerAndEndTurnLoses)
{
    EXPECT_EQ(game->GetPlayerMode(), 4);
    game->SetCurrentPlayer(1);
    game->StartTurn(3);
    EXPECT_TRUE(status->HasWon(1));
    EXPECT_FALSE(status->HasWon(3));
    game->SetCurrentPlayer(0);
    game->AutoTurn();
    EXPECT_TRUE(status->HasLost(0));
    EXPECT_FALSE(game->IsTurnPending());
}

TEST(GameModes, TwoPlayerModeMarksTheGivenPlayerToo)
{
    TwoPlayerGame game;
    auto* status = new CStatus(&game);
    game.SetStatus(status);
    game.StartTurn(2);
    EXPECT_TRUE(status->HasWon(2));
    EXPECT_TRUE(status->HasWon(0));
    game.StartTurn(-1);
    EXPECT_FALSE(status->HasWon(3));
}

TEST_F(GameTest, TurnsWithoutStatusOrWithAStrangePlayerAreSafe)
{
    game->SetCurrentPlayer(7);
    game->StartTurn(9);
    game->EndTurn(0, 9);
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
    EXPECT_FALSE(game->IsInputSeen());
    for (const auto& c : cases) {
        EXPECT_EQ(game->OnKeyDown(c.key), 1) << c.key;
        EXPECT_EQ(game->GetKeyFlag(c.flag), 1) << c.key;
        EXPECT_EQ(game->OnKeyUp(c.key), 0) << c.key;
        EXPECT_EQ(game->GetKeyFlag(c.flag), 0) << c.key;
    }
    EXPECT_TRUE(game->IsInputSeen());
    EXPECT_EQ(game->OnKeyDown('A'), 0) << "other keys go to the scene's key table";
    EXPECT_EQ(game->OnKeyUp('A'), 1);
}

TEST_F(GameTest, PauseAndTheButtonReleaseResumeUnlessAPanelIsShown)
{
    CClock* clock = status->GetGameClock();
    game->Resume();
    game->Suspend(0);
    EXPECT_FALSE(clock->IsRunning());
    game->OnKeyDown(kVkPause);
    EXPECT_FALSE(game->IsSuspended());
    EXPECT_TRUE(clock->IsRunning());
    game->Suspend(0);
    game->ShowPanel2();
    game->OnLeftButtonUp(5, 5);
    EXPECT_TRUE(game->IsSuspended());
    game->ClosePanel2();
    game->OnLeftButtonUp(5, 5);
    EXPECT_FALSE(game->IsSuspended());
    EXPECT_TRUE(clock->IsRunning());
}

TEST_F(GameTest, NewGameTakesTheCounterAndStateRestoresIt)
{
    game->EndGame(0);
    EXPECT_TRUE(game->IsGameOver());
    game->NewGame(5);
    EXPECT_FALSE(game->IsGameOver());
    EXPECT_EQ(game->GetStateRecord()[0], 5);
    int record[CGame::kStateSize] = {9, 0, 2, 1, 0, 0, 0, 100, 0, 0};
    game->RestoreState(record);
    EXPECT_EQ(CGame::GetGameCounter(), 9);
}

TEST(GameReplay, ReplayedInputReachesTheGameAndLiveKeysAreDropped)
{
    const std::string path = testing::TempDir() + "rvx_game_replay.rec";
    std::ofstream(path) << "RVXREC 1\nM 3 40 50\nK 1 37\nU 16\n";
    setenv("RVX_REPLAY", path.c_str(), 1);
    TestGame game;
    unsetenv("RVX_REPLAY");
    EXPECT_EQ(fakes::Screen().OnKeyDown(kVkUp), 1);
    EXPECT_EQ(game.GetKeyFlag(CGame::kKeyUp), 0);
    CScene::UpdateAllScenes();
    EXPECT_EQ(game.GetUpdateElapsed(), 16);
    EXPECT_EQ(game.log, "40,50");
    EXPECT_EQ(game.GetKeyFlag(CGame::kKeyHorizontal), 1);
    CScene::UpdateAllScenes();
    EXPECT_EQ(GetInputRecorder()->GetMode(), CInputRecorder::kOff) << "the end of the file ends the replay";
}

TEST(GameReplay, BrokenReplayStopsTheGameFromStarting)
{
    const std::string path = testing::TempDir() + "rvx_game_broken.rec";
    std::ofstream(path) << "RVXREC 1\nK 1\n";
    setenv("RVX_REPLAY", path.c_str(), 1);
    EXPECT_THROW(TestGame(), CFileException);
    unsetenv("RVX_REPLAY");
    EXPECT_EQ(GetInputRecorder()->GetMode(), CInputRecorder::kOff);
    EXPECT_EQ(CScene::GetTopScene(), nullptr);
}

} // namespace
