#include "common/CScreen.h"
#include "platform/AppTimer.h"
#include "scene_fakes.h"
#include <gtest/gtest.h>

using fakes::Log;
using Strings = std::vector<std::string>;

namespace {

class UpdateLogger : public fakes::Actor {
public:
    using fakes::Actor::Actor;
    void Update(int32_t dt) override
    {
        fakes::Note("update " + name);
        fakes::Actor::Update(dt);
    }
};

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        screen.SetDevice(&device);
        game = new fakes::Scene(&screen, "game", 13);
        new UpdateLogger(game, "a", 0, 0, 100);
        screen.Adopt(game);
        Log().clear();
    }
    void GiveMusic()
    {
        music = new fakes::Music;
        screen.SetMusicSegment(music);
    }
    fakes::App app;
    fakes::Device device;
    fakes::Screen screen;
    fakes::Scene* game = nullptr;
    fakes::Music* music = nullptr;
};

const Strings kFrame{"update a", "begin", "game draw", "sprites", "draw a", "/sprites", "end", "game tick"};

} // namespace

// ---- frame and scene changes ----

TEST_F(ScreenTest, FrameRunsUpdateDrawAndTickInOrder)
{
    screen.Frame();
    EXPECT_EQ(Log(), kFrame);
}

TEST_F(ScreenTest, RedrawOnlyDraws)
{
    screen.Redraw();
    EXPECT_EQ(Log(), (Strings{"begin", "game draw", "sprites", "draw a", "/sprites", "end"}));
}

TEST_F(ScreenTest, QuitCodeClosesAtTheNextFrame)
{
    screen.OnClose();
    EXPECT_TRUE(screen.IsFinishPending());
    screen.Redraw();
    EXPECT_TRUE(Log().empty()) << "nothing is drawn while a finish is pending";
    screen.Frame();
    EXPECT_EQ(Log(), (Strings{"delete game", "delete a", "quit 0"}));
    EXPECT_EQ(screen.GetScene(), nullptr);
    EXPECT_EQ(CScene::GetTopScene(), nullptr);
    Log().clear();
    screen.Frame();
    EXPECT_TRUE(Log().empty());
}

TEST_F(ScreenTest, FinishingTheGameRestartsItAndRunsTheFrame)
{
    screen.FinishScene(nullptr, 1, 1);
    screen.Frame();
    Strings expected{"game load", "game begin"};
    expected.insert(expected.end(), kFrame.begin(), kFrame.end());
    EXPECT_EQ(Log(), expected);
    EXPECT_FALSE(screen.IsFinishPending());
}

TEST_F(ScreenTest, AGameThatCannotBeLoadedAgainEndsTheProgram)
{
    game->nLoadResult = 68;
    screen.FinishScene(nullptr, 1, 1);
    screen.Frame();
    EXPECT_EQ(Log(), (Strings{"game load", "delete game", "delete a", "quit 0"}));
}

TEST_F(ScreenTest, ClosingADialogDeletesItTellsTheGameAndResumesIt)
{
    auto* dialog = new fakes::Scene(&screen, "dialog", 3);
    game->Suspend(0);
    screen.FinishScene(dialog, 7, 1);
    screen.Frame();
    EXPECT_EQ(Log(), (Strings{"delete dialog", "game dialog closed 7", "game resume"})) << "no frame in this call";
    EXPECT_EQ(CScene::GetTopScene(), game);
    Log().clear();
    screen.Frame();
    EXPECT_EQ(Log(), kFrame);
}

TEST_F(ScreenTest, DialogCloseResumesOnlyWhenAskedAndNoDialogIsLeft)
{
    screen.FinishScene(new fakes::Scene(&screen, "d1", 3), 2, 0);
    screen.Frame();
    game->AddOpenDialog();
    screen.FinishScene(new fakes::Scene(&screen, "d2", 3), 3, 1);
    screen.Frame();
    EXPECT_EQ(Log(), (Strings{"delete d1", "game dialog closed 2", "delete d2", "game dialog closed 3"}));
}

TEST_F(ScreenTest, ReleasingContentDeletesOpenDialogsBeforeTheGame)
{
    new fakes::Scene(&screen, "dialog", 3);
    screen.ReleaseContent();
    EXPECT_EQ(Log(), (Strings{"game unload", "delete dialog", "delete game", "delete a"}));
    EXPECT_EQ(CScene::GetTopScene(), nullptr);
}

TEST_F(ScreenTest, NothingRunsWithoutAGame)
{
    screen.ReleaseContent();
    Log().clear();
    screen.Frame();
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(screen.OnKeyDown(65), 1);
}

// ---- input ----

TEST_F(ScreenTest, MouseHandlersBuildEventsForTheScenes)
{
    screen.OnLeftButtonDown(10, 20);
    EXPECT_TRUE(screen.IsLeftButtonDown());
    screen.OnMouseMove(5, 6);
    screen.OnLeftButtonUp(11, 21);
    screen.OnRightButtonDown(100, 200);
    screen.OnRightButtonUp(300, 400);
    screen.OnNonClientMouseMove(700, 1);
    EXPECT_FALSE(screen.IsLeftButtonDown());
    EXPECT_FALSE(screen.IsRightButtonDown());
    EXPECT_EQ(Log(), (Strings{"game left down 10,20", "cursor 5,6", "game move 5,6", "game left up 11,21",
                              "game right down 100,200", "game right up 300,400", "game nc move 700,1"}));
}

TEST_F(ScreenTest, MenuLoopFreezesTimeAndRedraws)
{
    AppTimer(TimerStop);
    screen.OnEnterMenuLoop();
    EXPECT_EQ(Log(), (Strings{"begin", "game draw", "sprites", "draw a", "/sprites", "end"}));
    AppTimer(TimerAdvance);
    CScene::UpdateAllScenes();
    EXPECT_EQ(game->GetUpdateElapsed(), 0);
    screen.OnExitMenuLoop();
    AppTimer(TimerAdvance);
    CScene::UpdateAllScenes();
    EXPECT_EQ(game->GetUpdateElapsed(), 25);
}

// ---- activation and minimising ----

TEST_F(ScreenTest, DeactivationStopsMusicAndTimeReactivationResumesBoth)
{
    GiveMusic();
    screen.ResumeMusic();
    screen.OnActivate(0);
    EXPECT_FALSE(screen.IsActive());
    const double stoppedAt = AppTimer(TimerAppTime);
    AppTimer(TimerAdvance);
    CScene::UpdateAllScenes();
    EXPECT_EQ(game->GetUpdateElapsed(), 0);

    screen.OnActivate(0x10001); // low word: active
    EXPECT_TRUE(screen.IsActive());
    EXPECT_GE(AppTimer(TimerAppTime), stoppedAt);
    EXPECT_EQ(Log(), (Strings{"play 128", "stop 0", "update a", "play 128"}));
}

TEST_F(ScreenTest, ReactivationKeepsMusicOffWhileThePlayerPaused)
{
    GiveMusic();
    CScene::DispatchKeyDown(19);
    screen.OnActivate(0);
    screen.OnActivate(1);
    EXPECT_EQ(Log(), (Strings{"play 128", "stop 0"})) << "played by the Pause key, not by the reactivation";
    EXPECT_TRUE(game->IsSuspended());
}

TEST_F(ScreenTest, MinimisingStopsMusicAndSuspendsRestoringResumes)
{
    GiveMusic();
    screen.ResumeMusic();
    screen.OnSize(0, 0);
    screen.OnSize(0, 0);
    EXPECT_TRUE(screen.IsMinimised());
    EXPECT_TRUE(game->IsSuspended());
    AppTimer(TimerStop);
    AppTimer(TimerAdvance);
    CScene::UpdateAllScenes();
    EXPECT_EQ(game->GetUpdateElapsed(), 0);

    screen.OnSize(794, 575);
    EXPECT_FALSE(screen.IsMinimised());
    EXPECT_FALSE(game->IsSuspended());
    EXPECT_EQ(Log(), (Strings{"play 128", "stop 0", "update a", "play 128", "game resume"}));
}

TEST_F(ScreenTest, RestoringLeavesAUserPausedSceneSuspended)
{
    GiveMusic();
    CScene::DispatchKeyDown(19);
    screen.OnSize(0, 0);
    screen.OnSize(794, 575);
    EXPECT_TRUE(game->IsSuspended());
    EXPECT_EQ(Log(), (Strings{"play 128", "stop 0"}));
}

// ---- music ----

TEST_F(ScreenTest, MusicOffStartsOnlyThroughToggle)
{
    GiveMusic();
    app.options.Music = -1;
    EXPECT_EQ(screen.IsMusicOff(), 1);
    screen.ResumeMusic();
    EXPECT_EQ(screen.PlayMusic(1), 0);
    EXPECT_TRUE(Log().empty());
    screen.ToggleMusic();
    EXPECT_EQ(Log(), (Strings{"play 128"}));
    EXPECT_FALSE(screen.IsMusicStopped());
}

TEST_F(ScreenTest, PauseKeyTogglesTheMusicTwiceBackToWhereItWas)
{
    GiveMusic();
    screen.PlayMusic(1);
    CScene::DispatchKeyDown(19);
    CScene::DispatchKeyDown(19);
    EXPECT_EQ(Log(), (Strings{"repeats 4294967295", "play 4096", "stop 0", "game resume", "play 128"}));
    EXPECT_FALSE(screen.IsMusicStopped());
    EXPECT_FALSE(game->IsSuspended());
}

TEST_F(ScreenTest, PlayMusicSetsRepeatsOnlyWhenStoppedAndReportsFailure)
{
    GiveMusic();
    EXPECT_EQ(screen.PlayMusic(0), 0);
    EXPECT_EQ(screen.PlayMusic(1), 0) << "already playing: nothing to do";
    EXPECT_EQ(Log(), (Strings{"repeats 0", "play 4096"}));

    screen.StopMusicAtBoundary();
    music->nPlayResult = 1;
    EXPECT_EQ(screen.PlayMusic(1), 71);
    EXPECT_TRUE(screen.IsMusicStopped());
    music->nPlayResult = 0;
    music->nRepeatsResult = 1;
    EXPECT_EQ(screen.PlayMusic(1), 71);
}

TEST_F(ScreenTest, MusicVolumeInHundredthsOfADecibel)
{
    GiveMusic();
    screen.SetMusicVolume(0.005f);
    screen.SetMusicVolume(0.5f);
    screen.SetMusicVolume(1.0f);
    EXPECT_EQ(Log(), (Strings{"volume -10000", "volume -1250", "volume 0"}));
}

TEST_F(ScreenTest, WithoutASegmentMusicCallsDoNothing)
{
    EXPECT_TRUE(screen.IsMusicStopped());
    screen.ResumeMusic();
    screen.ToggleMusic();
    EXPECT_TRUE(screen.IsMusicStopped());
    EXPECT_EQ(screen.PlayMusic(1), 0);
    screen.SetMusicVolume(1.0f);
    EXPECT_TRUE(Log().empty());
}

TEST_F(ScreenTest, AudioQueriesReadTheOptions)
{
    EXPECT_EQ(screen.IsMusicOff(), 0);
    EXPECT_EQ(screen.IsSoundOff(), 0);
    app.options.SFX = -1;
    EXPECT_EQ(screen.IsSoundOff(), 1);
    EXPECT_EQ(screen.IsMusicOff(), 0);
    EXPECT_EQ(screen.OnSetCursor(), 0) << "windowed: the system cursor";
}
