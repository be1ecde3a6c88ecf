// The game controller with its status display, numbers and clocks.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "common/actors/CActorButton.h"
#include "common/status/CClock.h"
#include "common/actors/CEditBox.h"
#include "common/scene/CGame.h"
#include "common/status/CStatus.h"
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

// A status that counts its clock's notices; a test adds its elements, the lines locked.
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
    CNumber* Add(CNumber** slot) { return *slot = new CNumber(pGame, g_pos, &g_text, &g_label, 3, nullptr); }
    CNumber* AddLives() { return Add(&pLives); }
    CNumber* AddFps() { return Add(&pFps); }
    std::string Text(int i) const { return (i == 1 ? pasLine1 : (i == 2 ? pasLine2 : pasLine3))->GetText(); }
    bool Shown(int i) const { return !(i == 1 ? pasLine1 : (i == 2 ? pasLine2 : pasLine3))->IsHidden(); }
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
        game->SetStatus(status = new TestStatus(game.get()));
    }
    CClock* Clock(int nDigits, int fCountUp, int lStart, bool owned = true)
    {
        auto* clock = new CClock(game.get(), owned ? status : nullptr, g_pos, &g_text, &g_label, nDigits, nullptr,
                                 fCountUp, lStart);
        numbers.emplace_back(clock);
        return clock;
    }
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
    EXPECT_TRUE(status->Shown(1) && status->Shown(2) && status->Shown(3));
    status->ShowLines("d", "e");
    EXPECT_TRUE(status->Shown(2) && !status->Shown(3));
    status->ShowLine("f");
    EXPECT_FALSE(status->Shown(2));
    status->ShowCongratulations();
    EXPECT_EQ(status->Text(1), "Congratulations!!");
    status->ShowFailure();
    EXPECT_EQ(status->Text(1), "Oh, no!  Not this time!");
    status->ShowNoWinner();
    status->ShowWinner();
    EXPECT_EQ(status->Text(1), "Oh, no!  Not this time!") << "one player: no winner shows nothing but ends the round";
    for (const auto& [players, text] : {std::pair{2, "No winner.  You both need work!"},
                                        std::pair{3, "No winner.  You all need work!"}}) {
        status->Reset(0, 1);
        game->SetPlayers(players);
        status->ShowNoWinner();
        EXPECT_EQ(status->Text(1), text);
    }
    status->Reset(0, 1);
    status->ShowWinner();
    status->ShowNoWinner();
    EXPECT_EQ(status->Text(1), "Winner!  Way to go!");
}

TEST_F(GameTest, StatusSkipsMissingElementsAndOutsideCellsAndCountsLivesAndFramesPerSecond)
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
    status->SetCell(24, 2, 7);
    status->SetCell(25, 0, 1);
    status->SetCell(-1, 0, 1);
    EXPECT_EQ(status->GetCell(24, 2), 7);
    EXPECT_EQ(status->GetCell(25, 0), 0);
    status->SetWon(4, 1);
    status->PlayerLost(9, 0);
    EXPECT_FALSE(status->HasWon(4) || status->HasLost(9));
    TestGame bare;
    bare.StartTurn(0);
    bare.EndTurn(0, 0);
    bare.AutoTurn();
    bare.ResetScore(); // without a status, turns and scores change nothing
    CNumber* lives = status->AddLives();
    status->SetBonusBase(120000);
    EXPECT_EQ(status->GetBonusBase(), 100000);
    status->CheckBonus(250000);
    status->CheckBonus(250000);
    EXPECT_EQ(lives->GetValue(), 1);
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

// Pause, the pause key and the button release (unless a panel is shown) drive the clock of a player still playing.
TEST_F(GameTest, TheClockRunsOnlyWhileAPlayerIsPlaying)
{
    CClock* clock = status->AddClock();
    game->Resume();
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
    for (const int players : {1, 2}) {
        MakeGame(players);
        clock = status->AddClock();
        clock->Start();
        RunSeconds(clock, 2);
        status->PlayerWon(0);
        status->Reset(0, 1);
        EXPECT_EQ(clock->GetValue(), players == 1 ? 0 : 2) << "a new round restarts it only for one player";
        EXPECT_FALSE(clock->IsRunning());
        EXPECT_FALSE(status->HasWon(0));
    }
}

TEST_F(GameTest, StartTurnMarksTheCurrentPlayerAndInTwoPlayerModeTheGivenOneAndEndTurnLoses)
{
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

TEST_F(GameTest, ClocksFormatByDigitCountWithinTheirRange)
{
    const struct { int nDigits, value; const char* text; int max; } cases[] = {
        {0, 5, ":05", 9},          {1, 12, ":09", 9},        {2, 5, ":05", 59},
        {3, 187, "03:07", 599},    {3, 700, "09:59", 599},   {5, 3725, "01:02:05", 35999},
        {6, 359999, "99:59:59", 359999}, {9, 360000, "99:59:59", 359999}, {4, -7, "00:00", 3599}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nDigits << " digits, " << c.value);
        CClock* clock = Clock(c.nDigits, 1, c.value);
        EXPECT_EQ(Shown(clock), c.text);
        EXPECT_EQ(clock->GetMax(), c.max);
    }
}

TEST_F(GameTest, ClocksCountUpToTheirLimitDownToTimeUpOnceAndStepAtMostASecondPerTick)
{
    CClock* up = Clock(4, 1, 3590);
    CClock* down = Clock(2, 0, 3);
    CClock* alone = Clock(2, 0, 1, false);
    alone->SetAlarm(1, -5);
    for (CClock* clock : {up, down, alone})
        clock->Start();
    RunSeconds(down, 2);
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
    CClock* clock = Clock(4, 1, 0);
    clock->SetAlarm(3, 0);
    clock->Tick(10 * kSecond);
    EXPECT_EQ(clock->TicksToNextChange(), CScene::NoChange) << "a stopped clock does not advance";
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
    RunSeconds(clock, 5);
    EXPECT_EQ(status->nAlarms, 3) << "every three seconds";
}

TEST_F(GameTest, NumbersShowNoLeadingZerosAtTheNextRefreshAndSumsSaturate)
{
    CNumber* number = Number(3);
    number->Set(7);
    EXPECT_EQ(Shown(number), "0");
    number->Refresh();
    EXPECT_EQ(Shown(number), "7");
    number->Set(1500);
    number->Refresh();
    EXPECT_EQ(Shown(number), "999");
    EXPECT_EQ(Number(0)->GetMax(), 9);
    CNumber* unlimited = Number(12);
    unlimited->Set(kMaxInt - 10);
    unlimited->Add(100);
    EXPECT_EQ(unlimited->GetValue(), kMaxInt);
    unlimited->Add(-kMaxInt - 1);
    EXPECT_EQ(unlimited->GetValue(), 0);
    char out[12];
    CNumber::FormatDecimal(out, 7, 3, 1);
    EXPECT_STREQ(out, "007");
    CNumber::FormatDecimal(out, 1234, 3, 1);
    EXPECT_STREQ(out, "1234") << "never cut";
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

} // namespace
