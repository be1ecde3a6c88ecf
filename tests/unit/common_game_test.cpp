#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>
#include "common/CActorButton.h"
#include "common/CClock.h"
#include "common/CEditBox.h"
#include "common/CGame.h"
#include "common/CInputRecorder.h"
#include "common/CNumber.h"
#include "common/CStatus.h"
#include "UiTestSupport.h"

namespace {

constexpr int kSecond = 256;
constexpr int kMaxInt = 2147483647;
enum : uint32_t { kVkPause = 19, kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40, kVkControl = 17 };
TestGlyphFont g_font;
char g_empty[1] = "";
TextDesc g_text{g_empty, 64, 0, 0, &g_font, 1, 0xFFFFFF00, 1, 0};
const ButtonDesc g_label = Behaviour(kButtonLabel, 0);
const int g_pos[3] = {10 * 256, 10 * 256, 5000 * 256};

// A status whose elements a test adds; lines are locked message lines.
class TestStatus : public CStatus {
public:
    explicit TestStatus(CGame* game) : CStatus(game) {}
    void TimeUp() override { ++nTimeUps; }
    void OnEvent() override { ++nAlarms; }

    void AddLines()
    {
        for (CEditBox** line : {&pasLine1, &pasLine2, &pasLine3}) {
            *line = new CEditBox(pGame, 400 * 256, 100 * 256, 100 * 256, &g_text, &g_label);
            (*line)->SetLocked(1);
            (*line)->Hide();
        }
    }
    CClock* AddClock() { return pclkGame = new CClock(pGame, this, g_pos, &g_text, &g_label, 4, nullptr, 1, 0); }
    CNumber* AddNumber(CNumber** slot) { return *slot = new CNumber(pGame, g_pos, &g_text, &g_label, 3, nullptr); }
    CNumber* AddLives() { return AddNumber(&pLives); }
    CNumber* AddFps() { return AddNumber(&pFps); }
    CEditBox* Line(int i) const { return i == 1 ? pasLine1 : (i == 2 ? pasLine2 : pasLine3); }
    int nTimeUps = 0;
    int nAlarms = 0;
};

// A game whose players, current player and player mode a test can choose.
class TestGame : public CGame {
public:
    TestGame() : CGame(nullptr, 0, 0, 0, 1, 0, 1) {}
    void SetPlayers(int players) { nPlayers = players; }
    void SetCurrentPlayer(int player) { nCurrentPlayer = player; }
    int GetPlayerMode() override { return nMode; }
    int nMode = CGame::GetPlayerMode();
};

class GameTest : public testing::Test {
protected:
    void SetUp() override { MakeGame(1); }
    void MakeGame(int players)
    {
        game = std::make_unique<TestGame>();
        game->SetPlayers(players);
        status = new TestStatus(game.get());
        game->SetStatus(status);
    }
    std::string LineText(int i) const { return status->Line(i)->GetText(); }
    bool LineShown(int i) const { return !status->Line(i)->IsHidden(); }
    CClock* Clock(int nDigits, int fCountUp, int lStart, CStatus* owner)
    {
        auto* clock = new CClock(game.get(), owner, g_pos, &g_text, &g_label, nDigits, nullptr, fCountUp, lStart);
        numbers.emplace_back(clock);
        return clock;
    }
    CClock* Clock(int nDigits, int fCountUp, int lStart) { return Clock(nDigits, fCountUp, lStart, status); }
    CNumber* Number(int nDigits)
    {
        numbers.push_back(std::make_unique<CNumber>(game.get(), g_pos, &g_text, &g_label, nDigits, nullptr));
        return numbers.back().get();
    }
    static void RunSeconds(CClock* clock, int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            clock->Tick(kSecond);
    }
    static std::string Shown(const CNumber* number) { return number->GetLabel()->GetText(); }

    std::unique_ptr<TestGame> game;
    TestStatus* status = nullptr;
    std::vector<std::unique_ptr<CNumber>> numbers;
};

TEST_F(GameTest, MessagesAreVerbatimShowTheirLinesAndARoundEndsOnce)
{
    status->AddLines();
    status->ShowLines("a", "b", "c");
    EXPECT_TRUE(LineShown(1) && LineShown(2) && LineShown(3));
    status->ShowLines("d", "e");
    EXPECT_TRUE(LineShown(2) && !LineShown(3));
    status->ShowLine("f");
    EXPECT_FALSE(LineShown(2));
    status->ShowCongratulations();
    EXPECT_EQ(LineText(1), "Congratulations!!");
    status->ShowFailure();
    EXPECT_EQ(LineText(1), "Oh, no!  Not this time!");
    EXPECT_TRUE(status->Line(1)->IsLocked()) << "a locked line stays locked after a message";
    status->ShowNoWinner();
    status->ShowWinner();
    EXPECT_EQ(LineText(1), "Oh, no!  Not this time!") << "one player: no winner shows nothing but ends the round";
    for (const auto& [players, text] : {std::pair{2, "No winner.  You both need work!"},
                                        std::pair{3, "No winner.  You all need work!"}}) {
        status->Reset(0, 1);
        game->SetPlayers(players);
        status->ShowNoWinner();
        EXPECT_EQ(LineText(1), text);
    }
    status->Reset(0, 1);
    status->ShowWinner();
    status->ShowNoWinner();
    EXPECT_EQ(LineText(1), "Winner!  Way to go!");
}

TEST_F(GameTest, OneLifePerHundredThousandAndFramesPerSecond)
{
    CNumber* lives = status->AddLives();
    status->SetBonusBase(120000);
    EXPECT_EQ(status->GetBonusBase(), 100000);
    status->CheckBonus(250000);
    status->CheckBonus(250000);
    EXPECT_EQ(lives->GetValue(), 1);
    EXPECT_EQ(status->GetBonusBase(), 200000);
    status->SetBonusBase(100000);
    EXPECT_EQ(status->GetBonusBase(), 0);
    CNumber* fps = status->AddFps();
    for (int i = 0; i < 16; ++i)
        status->CountFrame(16);
    EXPECT_EQ(fps->GetValue(), 16);
    for (int i = 0; i < 10; ++i)
        status->CountFrame(25);
    EXPECT_EQ(fps->GetValue(), 16) << "not a second yet";
    status->CountFrame(25);
    EXPECT_EQ(fps->GetValue(), 10);
}

TEST_F(GameTest, MissingElementsAndPlayersOrCellsOutsideTheTablesAreSkipped)
{
    status->Update(30);
    status->CountFrame(30);
    status->Reset(3, 1);
    status->Pause(1);
    status->Resume();
    status->CheckBonus(500000);
    status->StartAuxClock();
    status->PrimeAuxClock();
    status->ShowLine("nobody sees this");
    status->ClearTables();
    EXPECT_EQ(status->GetBonusBase(), 100000);
    EXPECT_DOUBLE_EQ(status->GetRate(), 1.0);
    status->SetCell(24, 2, 7);
    status->SetCell(25, 0, 1);
    status->SetCell(-1, 0, 1);
    EXPECT_EQ(status->GetCell(24, 2), 7);
    EXPECT_EQ(status->GetCell(25, 0), 0);
    status->SetWon(4, 1);
    status->SetWon(-1, 1);
    status->PlayerLost(9, 0);
    EXPECT_FALSE(status->HasWon(4));
    EXPECT_FALSE(status->HasLost(9));
    TestGame bare;
    bare.StartTurn(0);
    bare.EndTurn(0, 0);
    bare.AutoTurn();
    bare.ResetScore();
    EXPECT_EQ(bare.GetStatus(), nullptr);
}

// Pause, the pause key and the button release (unless a panel is shown) drive the clock of a player still playing.
TEST_F(GameTest, TheClockRunsOnlyWhileAPlayerIsPlaying)
{
    CClock* clock = status->AddClock();
    game->Resume();
    EXPECT_TRUE(clock->IsRunning());
    game->Suspend(0);
    EXPECT_FALSE(clock->IsRunning());
    game->OnKeyDown(kVkPause);
    EXPECT_TRUE(clock->IsRunning());
    game->Suspend(0);
    game->ShowPanel2();
    game->OnLeftButtonUp(5, 5);
    EXPECT_TRUE(game->IsSuspended());
    game->ClosePanel2();
    game->OnLeftButtonUp(5, 5);
    EXPECT_FALSE(game->IsSuspended());
    status->PlayerWon(0);
    status->Pause(0);
    status->Resume();
    EXPECT_FALSE(clock->IsRunning()) << "a finished player's clock stays stopped";
    status->Reset(0, 1);
    status->PlayerLost(0, 0);
    status->Resume();
    EXPECT_FALSE(clock->IsRunning());
    for (const int players : {1, 2}) {
        MakeGame(players);
        clock = status->AddClock();
        clock->Start();
        status->Update(256);
        status->Update(256);
        status->PlayerWon(0);
        status->Reset(0, 1);
        EXPECT_EQ(clock->GetValue(), players == 1 ? 0 : 2) << "a new round restarts it only for one player";
        EXPECT_FALSE(clock->IsRunning());
        EXPECT_FALSE(status->HasWon(0));
    }
}

TEST_F(GameTest, StartTurnMarksTheCurrentPlayerAndInTwoPlayerModeTheGivenOneAndEndTurnLoses)
{
    EXPECT_EQ(game->nMode, 4);
    game->SetCurrentPlayer(1);
    game->StartTurn(3);
    EXPECT_TRUE(status->HasWon(1));
    EXPECT_FALSE(status->HasWon(3));
    game->nMode = 2;
    game->StartTurn(2);
    EXPECT_TRUE(status->HasWon(2));
    game->SetCurrentPlayer(0);
    game->AutoTurn();
    EXPECT_TRUE(status->HasLost(0));
    EXPECT_FALSE(game->IsTurnPending());
    game->SetCurrentPlayer(7);
    game->StartTurn(9);
    game->EndTurn(0, 9);
    game->EndGame(0);
    EXPECT_TRUE(game->IsGameOver());
    game->NewGame(5);
    EXPECT_FALSE(game->IsGameOver());
    EXPECT_EQ(game->GetStateRecord()[0], 5);
    int record[CGame::kStateSize] = {9, 0, 2, 1, 0, 0, 0, 100, 0, 0};
    game->RestoreState(record);
    EXPECT_EQ(CGame::GetGameCounter(), 9);
}

TEST_F(GameTest, ArrowAndControlKeysSetFlagsAndAreNotPassedOn)
{
    const struct { uint32_t key; int flag; } cases[] = {
        {kVkLeft, CGame::kKeyHorizontal}, {kVkRight, CGame::kKeyHorizontal}, {100, CGame::kKeyHorizontal},
        {102, CGame::kKeyHorizontal},     {kVkControl, CGame::kKeyCtrl},       {kVkUp, CGame::kKeyUp},
        {104, CGame::kKeyUp},             {kVkDown, CGame::kKeyDown},          {98, CGame::kKeyDown}};
    EXPECT_FALSE(game->IsInputSeen());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(game->OnKeyDown(c.key), 1);
        EXPECT_EQ(game->GetKeyFlag(c.flag), 1);
        EXPECT_EQ(game->OnKeyUp(c.key), 0);
        EXPECT_EQ(game->GetKeyFlag(c.flag), 0);
    }
    EXPECT_TRUE(game->IsInputSeen());
    EXPECT_EQ(game->OnKeyDown('A'), 0) << "other keys go to the scene's key table";
    EXPECT_EQ(game->OnKeyUp('A'), 1);
}

TEST_F(GameTest, FormatsByDigitCountWithinItsRange)
{
    const struct { int nDigits, value; const char* text; int max; } cases[] = {
        {0, 5, ":05", 9},          {1, 12, ":09", 9},        {2, 5, ":05", 59},
        {3, 187, "03:07", 599},    {3, 700, "09:59", 599},   {5, 3725, "01:02:05", 35999},
        {6, 359999, "99:59:59", 359999}, {9, 360000, "99:59:59", 359999}, {4, -7, "00:00", 3599},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nDigits << " digits, " << c.value);
        CClock* clock = Clock(c.nDigits, 1, c.value);
        EXPECT_EQ(Shown(clock), c.text);
        EXPECT_EQ(clock->GetMax(), c.max);
        char out[12];
        CClock::FormatTime(out, c.value, c.nDigits);
        EXPECT_STREQ(out, c.text);
    }
}

TEST_F(GameTest, CountsUpToItsLimitAndDownToTimeUpOnceWithOrWithoutOwner)
{
    CClock* up = Clock(4, 1, 3590);
    CClock* down = Clock(2, 0, 3);
    CClock* alone = Clock(2, 0, 1, nullptr);
    alone->SetAlarm(1, -5);
    for (CClock* clock : {up, down, alone})
        clock->Start();
    RunSeconds(down, 2);
    EXPECT_EQ(Shown(down), ":01");
    EXPECT_EQ(status->nTimeUps, 0);
    RunSeconds(down, 6);
    EXPECT_EQ(status->nTimeUps, 1);
    EXPECT_EQ(Shown(down), ":00");
    RunSeconds(up, 20);
    EXPECT_EQ(Shown(up), "59:59");
    up->Set(61);
    up->Refresh();
    EXPECT_EQ(Shown(up), "01:01") << "a refresh shows time, not a plain number";
    alone->Tick(kSecond);
    EXPECT_EQ(alone->GetValue(), 0);
}

TEST_F(GameTest, StepsAtMostOneSecondPerTickKeepsTheRestAndRepeatsItsAlarm)
{
    CClock* clock = Clock(4, 1, 0);
    clock->SetAlarm(3, 0);
    clock->Tick(10 * kSecond);
    EXPECT_EQ(clock->GetValue(), 0) << "a stopped clock does not advance";
    EXPECT_EQ(clock->TicksToNextChange(), CScene::NoChange);
    clock->Start();
    clock->Tick(255);
    EXPECT_EQ(clock->TicksToNextChange(), 1);
    clock->Tick(1);
    EXPECT_EQ(clock->GetValue(), 1);
    EXPECT_EQ(clock->TicksToNextChange(), kSecond);
    clock->Tick(3 * kSecond);
    EXPECT_EQ(clock->GetValue(), 2);
    for (int i = 0; i < 3; ++i)
        clock->Tick(0);
    EXPECT_EQ(clock->GetValue(), 4);
    EXPECT_EQ(status->nAlarms, 1);
    RunSeconds(clock, 5);
    EXPECT_EQ(status->nAlarms, 3) << "every three seconds";
}

TEST_F(GameTest, ResetReturnsToTheStartOnlyWhenResettable)
{
    CClock* clock = Clock(4, 1, 5);
    clock->Start();
    RunSeconds(clock, 10);
    clock->Reset(0, 0);
    EXPECT_EQ(clock->GetValue(), 5);
    EXPECT_FALSE(clock->IsRunning());
    clock->Start();
    clock->Tick(0);
    EXPECT_EQ(Shown(clock), "00:05") << "the forced rebuild shows the reset value without advancing";
    RunSeconds(clock, 3);
    clock->SetResettable(0);
    clock->Reset(0, 0);
    EXPECT_EQ(clock->GetValue(), 8);
    EXPECT_FALSE(clock->IsRunning());
}

TEST_F(GameTest, NumbersShowNoLeadingZerosAtTheNextRefreshAndSaturate)
{
    CNumber* number = Number(3);
    number->Set(7);
    EXPECT_EQ(Shown(number), "0");
    number->Refresh();
    EXPECT_EQ(Shown(number), "7");
    number->Set(1500);
    number->Refresh();
    EXPECT_EQ(Shown(number), "999");
    number->Add(-5000);
    EXPECT_EQ(number->GetValue(), 0);
    EXPECT_EQ(Number(0)->GetMax(), 9);
    EXPECT_EQ(Number(9)->GetMax(), 999999999);
    CNumber* unlimited = Number(12);
    unlimited->Set(kMaxInt - 10);
    unlimited->Add(100);
    unlimited->Refresh();
    EXPECT_EQ(Shown(unlimited), "2147483647");
    unlimited->Add(-kMaxInt - 1);
    EXPECT_EQ(unlimited->GetValue(), 0);
    const struct { int value, zeroFill; const char* text; } cases[] = {{7, 0, "7"}, {7, 1, "007"}, {1234, 1, "1234"}};
    for (const auto& c : cases) {
        char out[12];
        CNumber::FormatDecimal(out, c.value, 3, c.zeroFill);
        EXPECT_STREQ(out, c.text) << "never cut";
    }
}

TEST_F(GameTest, ClockArithmeticSaturates)
{
    CClock* clock = Clock(4, 1, 5);
    clock->Add(kMaxInt);
    EXPECT_EQ(clock->GetValue(), 3599);
    clock->Add(-kMaxInt - 1);
    EXPECT_EQ(clock->GetValue(), 0);
    clock->SetAlarm(kMaxInt, 10);
    clock->Start();
    clock->Tick(kMaxInt); // shows the forced value
    clock->Tick(kMaxInt);
    EXPECT_EQ(clock->GetValue(), 1) << "the gathered ticks saturate";
    EXPECT_EQ(status->nAlarms, 0) << "the next alarm lies beyond any value";
}

TEST(GameReplay, ReplayedInputReachesTheGameAndLiveKeysAreDropped)
{
    const std::string path = testing::TempDir() + "rvx_game_replay.rec";
    std::ofstream(path) << "RVXREC 1\nM 3 40 50\nK 1 37\nU 16\n";
    setenv("RVX_REPLAY", path.c_str(), 1);
    TestGame game;
    unsetenv("RVX_REPLAY");
    EXPECT_EQ(CScene::DispatchKeyDown(kVkUp), 1);
    CScene::UpdateAllScenes();
    EXPECT_EQ(game.GetKeyFlag(CGame::kKeyUp), 0);
    EXPECT_EQ(game.GetKeyFlag(CGame::kKeyHorizontal), 1);
    CScene::UpdateAllScenes();
    EXPECT_EQ(GetInputRecorder()->GetMode(), CInputRecorder::kOff) << "the end of the file ends the replay";
}

} // namespace
