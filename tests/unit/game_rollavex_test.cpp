// The game scene with the real archive and a screen without a window: intro,
// leaning with the mouse, goal and loss, new games, quitting, the hidden dialog.
#include <gtest/gtest.h>
#include <cstdlib>
#include <memory>
#include <string>
#include "base/CException.h"
#include "base/FileSpec.h"
#include "common/CActorSprite.h"
#include "common/CClock.h"
#include "common/CFileMM.h"
#include "common/CEditBox.h"
#include "common/CInputRecorder.h"
#include "common/CSceneDialog.h"
#include "game/AGameRollavex.h"
#include "game/ALeanBall.h"
#include "game/ALeanBoard.h"
#include "game/ASoundSet.h"
#include "game/AStatusRollavex.h"
#include "FileTestSupport.h"
#include "WaveBytes.h"
#include "game_fakes.h"
#include "platform/AppTimer.h"
#include "platform/MSoundManager.h"

namespace {

enum : uint32_t { kEscape = 27, kF9 = 120, kN = 78, kK = 75, kV = 86, kB = 66 };

class GameTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("ALSOFT_DRIVERS", "null", 0);
        ASSERT_EQ(GetSoundManager()->Initialize(nullptr, snd::DSSCL_PRIORITY, 2, 22050, 16), 0);
    }
    static void TearDownTestSuite() { DestroySoundManager(); }

    void SetUp() override
    {
        screen.OpenGameArchive();
        screen.ptCursor = {400, 300};
        if (!replay.empty())
            setenv("RVX_REPLAY", replay.c_str(), 1);
        game = std::make_unique<AGameRollavex>(&screen, 0, 0, 0, 1, 0, 1);
        unsetenv("RVX_REPLAY");
        ASSERT_EQ(game->Load(), 0);
        for (auto& sound : sounds)
            sound = new gamefakes::Sound();
        AGameRollavex::AdoptSounds(sounds[0], sounds[1], sounds[2]);
        ASSERT_EQ(game->Begin(), 0);
        // Frames of exactly 25 ticks from here on.
        AppTimer(TimerStop);
        status = game->GetRollStatus();
    }
    void TearDown() override
    {
        GetInputRecorder()->Stop();
        game.reset();
        AppTimer(TimerStart);
    }

    // One frame of 25 ticks.
    void Frame()
    {
        AppTimer(TimerAdvance);
        CScene::UpdateAllScenes();
        CScene::TickAllScenes();
    }
    void Frames(int n)
    {
        for (int i = 0; i < n; ++i)
            Frame();
    }
    void PassIntro() { Frames(22); }
    // A drag with the left button from the cursor's place by (dx, dy).
    void Drag(int dx, int dy)
    {
        const auto start = screen.ptCursor;
        screen.OnLeftButtonDown(start.x, start.y);
        screen.OnMouseMove(start.x + dx, start.y + dy);
        screen.OnLeftButtonUp(start.x + dx, start.y + dy);
    }
    std::string Message() const { return status->GetMessageLine()->GetText(); }
    bool MessageShown() const { return !status->GetMessageLine()->IsHidden(); }
    bool HintShown() const { return !status->GetHintLine()->IsHidden(); }
    CClock* Clock() const { return status->GetGameClock(); }

    std::string replay; // a recorded game to play back, when set
    gamefakes::Screen screen;
    std::unique_ptr<AGameRollavex> game;
    gamefakes::Sound* sounds[3] = {}; // intro, goal, fall
    AStatusRollavex* status = nullptr;
};

TEST_F(GameTest, IntroShowsPictureAndSoundAtTheFirstTickAndEndsAfterTwoSeconds)
{
    EXPECT_TRUE(game->GetIntroPicture()->IsHidden());
    EXPECT_TRUE(game->IsLeanLocked());
    Frame();
    EXPECT_FALSE(game->GetIntroPicture()->IsHidden());
    EXPECT_EQ(sounds[0]->nPlays, 1);
    Frames(19); // 500 ticks
    EXPECT_TRUE(game->IsLeanLocked());
    EXPECT_FALSE(game->GetIntroPicture()->IsHidden());
    EXPECT_FALSE(HintShown());
    Frame(); // 525
    EXPECT_FALSE(game->IsLeanLocked());
    EXPECT_TRUE(game->GetIntroPicture()->IsHidden());
    EXPECT_TRUE(HintShown());
    EXPECT_EQ(sounds[0]->nPlays, 1);
}

TEST_F(GameTest, ClockStaysAtZeroThroughTheIntroAndRunsAfterIt)
{
    Frames(20);
    EXPECT_FALSE(Clock()->IsRunning());
    EXPECT_EQ(Clock()->GetValue(), 0);
    Frames(2);
    EXPECT_TRUE(Clock()->IsRunning());
    Frames(60); // a little over five seconds
    EXPECT_GE(Clock()->GetValue(), 5);
}

TEST_F(GameTest, DragDuringTheIntroDoesNotLean)
{
    Frames(3);
    Drag(100, 50);
    EXPECT_EQ(game->GetBoard()->GetLeanX(), 0);
    EXPECT_EQ(game->GetBoard()->GetLeanY(), 0);
}

TEST_F(GameTest, DragLeansHidesThePointerAndPutsItBackWhereItWentDown)
{
    PassIntro();
    screen.OnLeftButtonDown(400, 300);
    EXPECT_FALSE(HintShown());
    EXPECT_FALSE(screen.IsPointerShown());
    screen.ptCursor = {560, 330};
    screen.OnMouseMove(560, 330);
    EXPECT_EQ(game->GetBoard()->GetLeanX(), -100);
    EXPECT_EQ(game->GetBoard()->GetLeanY(), -30);
    EXPECT_FLOAT_EQ(game->GetLeanAngleX(), 0.1f);
    EXPECT_FLOAT_EQ(game->GetLeanAngleY(), -0.03f);
    screen.OnLeftButtonUp(560, 330);
    EXPECT_EQ(screen.ptCursor.x, 400);
    EXPECT_EQ(screen.ptCursor.y, 300);
    EXPECT_TRUE(screen.IsPointerShown());
    // Moves without a button do not lean.
    screen.OnMouseMove(300, 200);
    EXPECT_EQ(game->GetBoard()->GetLeanX(), -100);
}

TEST_F(GameTest, RightButtonDuringALeftLeanNeitherRestartsNorEndsIt)
{
    PassIntro();
    screen.OnLeftButtonDown(400, 300);
    screen.OnMouseMove(420, 300);
    const int moves = screen.nCursorMoves;
    screen.ptCursor = {420, 300};
    screen.OnRightButtonDown(420, 300);
    screen.OnRightButtonUp(420, 300);
    EXPECT_EQ(screen.nCursorMoves, moves);
    screen.OnMouseMove(440, 300);
    EXPECT_EQ(game->GetBoard()->GetLeanX(), -40);
    screen.OnLeftButtonUp(440, 300);
    EXPECT_EQ(screen.nCursorMoves, moves + 1);
    EXPECT_EQ(screen.ptCursor.x, 400);
}

TEST_F(GameTest, LeanStartsFromThePressPointEvenWhenThePointerHasMovedOn)
{
    PassIntro();
    screen.ptCursor = {450, 330};
    screen.OnLeftButtonDown(400, 300);
    EXPECT_EQ(screen.ptCursor.x, 400);
    EXPECT_EQ(screen.ptCursor.y, 300);
    screen.OnMouseMove(420, 300);
    EXPECT_EQ(game->GetBoard()->GetLeanX(), -20);
    EXPECT_EQ(game->GetBoard()->GetLeanY(), 0);
}

TEST_F(GameTest, GoalSoundsOncePerGameAndShowsCongratulationsWithTheClockStopped)
{
    PassIntro();
    Frames(10);
    ALeanBall* ball = game->GetBall();
    ball->Place(-0.7f, -2.0f, 0.0f, 0.0f, 0.0f);
    Frames(3);
    EXPECT_EQ(sounds[1]->nPlays, 1);
    EXPECT_TRUE(status->HasWon(0));
    EXPECT_TRUE(MessageShown());
    EXPECT_EQ(Message(), "Congratulations!");
    const int stopped = Clock()->GetValue();
    // Out of the goal square and back in.
    ball->Place(-0.2f, -2.0f, 0.0f, 0.0f, 0.0f);
    Frame();
    ball->Place(-0.7f, -2.0f, 0.0f, 0.0f, 0.0f);
    Frames(50);
    EXPECT_EQ(sounds[1]->nPlays, 1);
    EXPECT_FALSE(Clock()->IsRunning());
    EXPECT_EQ(Clock()->GetValue(), stopped);
    game->OnKeyUp(kN);
    ball->Place(-0.7f, -2.0f, 0.0f, 0.0f, 0.0f);
    Frame();
    EXPECT_EQ(sounds[1]->nPlays, 2);
}

TEST_F(GameTest, FallAfterTheGoalIsSilentButEndsWithTheLossMessage)
{
    PassIntro();
    game->StartTurn(0);
    game->BallFalls();
    game->EndTurn(0, 0);
    EXPECT_EQ(sounds[2]->nPlays, 0);
    EXPECT_EQ(Message(), "Better luck next time!");
    EXPECT_TRUE(game->IsPlayerLost());
    Frames(10);
    EXPECT_FALSE(Clock()->IsRunning());
}

TEST_F(GameTest, NewGameHidesTheMessageButNotTheHint)
{
    PassIntro();
    game->EndTurn(0, 0);
    ASSERT_TRUE(MessageShown());
    game->OnKeyUp(kN);
    EXPECT_FALSE(MessageShown());
    EXPECT_TRUE(HintShown());
    Drag(0, 10);
    EXPECT_FALSE(HintShown());
    game->OnKeyUp(kN);
    EXPECT_FALSE(HintShown());
}

TEST_F(GameTest, NewGameResetsBallBoardAndClock)
{
    PassIntro();
    Drag(30, 100);
    Frames(8);
    game->BallFalls();
    EXPECT_EQ(sounds[2]->nPlays, 1);
    game->EndTurn(0, 0);
    game->OnKeyUp(kN);
    EXPECT_FALSE(game->IsPlayerLost());
    EXPECT_FALSE(Clock()->IsRunning());
    EXPECT_EQ(Clock()->GetValue(), 0);
    EXPECT_EQ(game->GetBoard()->GetLeanX(), 0);
    EXPECT_EQ(game->GetBoard()->GetLeanY(), 0);
    EXPECT_FLOAT_EQ(game->GetBall()->GetX(), -4.35f);
    EXPECT_FLOAT_EQ(game->GetBall()->GetY(), 4.38f);
    Frame();
    EXPECT_TRUE(Clock()->IsRunning());
}

TEST_F(GameTest, NewGameDuringTheIntroKeepsTheBoardLocked)
{
    Frames(5);
    game->OnKeyUp(kN);
    EXPECT_TRUE(game->IsLeanLocked());
    Frames(10);
    EXPECT_TRUE(game->IsLeanLocked());
    Frames(7);
    EXPECT_FALSE(game->IsLeanLocked());
}

TEST_F(GameTest, DownLeanLosesTheBallIntoAHoleWithTheFallSound)
{
    PassIntro();
    Drag(0, 100);
    for (int i = 0; i < 200 && !game->IsPlayerLost(); ++i)
        Frame();
    ASSERT_TRUE(game->IsPlayerLost());
    EXPECT_EQ(sounds[2]->nPlays, 1);
    EXPECT_EQ(Message(), "Better luck next time!");
    EXPECT_FALSE(Clock()->IsRunning());
    EXPECT_FLOAT_EQ(game->GetBall()->GetZ(), 0.8f);
}

TEST_F(GameTest, EscapeAndF9EndTheGameWithTheQuitCode)
{
    for (uint32_t key : {kEscape, kF9}) {
        EXPECT_EQ(game->OnKeyUp(key), 1);
        EXPECT_TRUE(screen.IsFinishPending());
        EXPECT_EQ(screen.GetResultCode(), 99);
    }
}

TEST_F(GameTest, HiddenDialogNeedsKAndVFirstAndBWithTheLeftButtonHeld)
{
    PassIntro();
    screen.OnLeftButtonDown(400, 300);
    game->OnKeyDown(kB);
    EXPECT_EQ(game->GetDialog(), nullptr);
    game->OnKeyDown(kV);
    game->OnKeyDown(kB);
    EXPECT_EQ(game->GetDialog(), nullptr);
    screen.OnLeftButtonUp(400, 300);
    game->OnKeyDown(kK);
    game->OnKeyDown(kB);
    EXPECT_EQ(game->GetDialog(), nullptr);
    screen.OnLeftButtonDown(400, 300);
    screen.OnMouseMove(430, 320);
    EXPECT_FALSE(screen.IsPointerShown()) << "hidden while leaning";
    game->OnKeyDown(kB);
    CSceneDialog* dialog = game->GetDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(game->IsSuspended());
    // The dialog takes the release, so the lean ends as the dialog opens.
    EXPECT_TRUE(screen.IsPointerShown());
    EXPECT_EQ(screen.ptCursor.x, 400);
    EXPECT_EQ(screen.ptCursor.y, 300);
    game->OnDialogClosed(dialog, 1);
    EXPECT_EQ(game->GetDialog(), nullptr);
    delete dialog;
}

// The end-to-end tests' recorded games, played back here without a window.
class ReplayTest : public GameTest {
protected:
    explicit ReplayTest(const char* name) { replay = std::string(RVX_SOURCE_DIR "/tests/e2e/data/") + name; }
    void PlayBack()
    {
        for (int i = 0; i < 5000 && GetInputRecorder()->GetMode() == CInputRecorder::kReplaying; ++i)
            Frame();
        EXPECT_EQ(GetInputRecorder()->GetError(), "");
        EXPECT_EQ(GetInputRecorder()->GetMode(), CInputRecorder::kOff);
    }
};

class HoleReplay : public ReplayTest {
protected:
    HoleReplay() : ReplayTest("game_hole_replay.txt") {}
};

class GoalReplay : public ReplayTest {
protected:
    GoalReplay() : ReplayTest("game_goal_replay.txt") {}
};

TEST_F(HoleReplay, DropsTheBallAndStopsTheClock)
{
    PlayBack();
    EXPECT_TRUE(game->IsPlayerLost());
    EXPECT_EQ(Message(), "Better luck next time!");
    EXPECT_FALSE(Clock()->IsRunning());
    EXPECT_EQ(sounds[2]->nPlays, 1);
}

TEST_F(GoalReplay, ReachesTheGoalAndTheBallStaysThere)
{
    PlayBack();
    EXPECT_TRUE(status->HasWon(0));
    EXPECT_EQ(Message(), "Congratulations!");
    EXPECT_EQ(sounds[1]->nPlays, 1);
    Frames(100);
    EXPECT_FALSE(game->IsPlayerLost());
    EXPECT_FALSE(Clock()->IsRunning());
    EXPECT_NEAR(game->GetBall()->GetX(), -0.7f, 0.2f);
    EXPECT_NEAR(game->GetBall()->GetY(), -2.0f, 0.2f);
}

// The ball's sounds (entry 12) and mesh (entry 13) from a small archive.
class BallLoading : public FolderTest {
protected:
    static void SetUpTestSuite()
    {
        setenv("ALSOFT_DRIVERS", "null", 0);
        ASSERT_EQ(GetSoundManager()->Initialize(nullptr, snd::DSSCL_PRIORITY, 2, 22050, 16), 0);
    }
    static void TearDownTestSuite() { DestroySoundManager(); }
    void TearDown() override { ALeanBall::UnloadAssets(); }

    // Entries 0 to 12 all lead to the sounds, entry 13 to the mesh.
    int32_t Load(const Bytes& sounds)
    {
        const Bytes mesh = Chunk("hsem", Text("xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n"));
        const uint32_t first = 12 + 8 + 4 + 14 * 4;
        Bytes map;
        AppendLE32(&map, 14);
        for (int i = 0; i < 13; ++i)
            AppendLE32(&map, first);
        AppendLE32(&map, first + uint32_t(sounds.size()));
        Bytes data = Text("LFMM");
        Append(&data, Chunk(" pam", map));
        Append(&data, sounds);
        Append(&data, mesh);
        CFileMM archive;
        archive.Open(Make("ball.mm", Chunk("FFIR", data)), 2);
        return ALeanBall::LoadAssets(&archive);
    }
    static Bytes Wave() { return Chunk("evaw", wavebytes::Pcm16Wave({0, 1000, -1000, 0}, 1, 22050)); }
};

TEST_F(BallLoading, ReadsFourSoundsAndTheMesh)
{
    Bytes sounds;
    for (int i = 0; i < 4; ++i)
        Append(&sounds, Wave());
    EXPECT_EQ(Load(sounds), 0);
}

// A sound set holds each sound as soon as it is read: none is lost when a
// later chunk throws (an archive found by fuzzing).
TEST_F(BallLoading, SoundsReadBeforeABrokenChunkAreHeld)
{
    CFileMM archive;
    archive.Open(FileSpec(RVX_SOURCE_DIR "/tests/fuzz/regressions/archive", "sound_set_bad_second_chunk.mm"), 2);
    archive.SeekEntryPoint(1);
    ASoundSet<3> set;
    EXPECT_THROW(set.ReadFrom(&archive), CFileException);
    EXPECT_NE(set.Get(0), nullptr);
    EXPECT_EQ(set.Get(1), nullptr);
    set.Release();
}

TEST_F(BallLoading, UnreadableSoundIs68)
{
    Bytes sounds = Wave();
    Append(&sounds, Chunk("evaw", Text("not a RIFF WAVE")));
    Append(&sounds, Wave());
    Append(&sounds, Wave());
    EXPECT_EQ(Load(sounds), 68);
}

} // namespace
