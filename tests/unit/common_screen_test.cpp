#include "common/CActorMesh.h"
#include "common/CScreen.h"
#include "platform/AppTimer.h"
#include "scene_fakes.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

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
    fakes::App app;
    fakes::Device device;
    fakes::Screen screen;
    fakes::Scene* game = nullptr;
};

const Strings kFrame{"update a", "begin", "game draw", "sprites", "draw a", "/sprites", "end", "game tick"};

// A mesh actor without a mesh that turns when told.
class TurningMesh : public CActorMesh {
public:
    explicit TurningMesh(CScene* scene) : CActorMesh(scene, &matHome, nullptr, 0) {}
    void Turn(float angle) { matWorld.SetRotationY(angle); }
};

bool Drew() { return std::count(Log().begin(), Log().end(), "begin") == 1; }

} // namespace

// ---- frame and scene changes ----

TEST_F(ScreenTest, FrameRunsUpdateDrawAndTickInOrderRedrawOnlyDraws)
{
    screen.Frame();
    EXPECT_EQ(Log(), kFrame);
    Log().clear();
    screen.Redraw();
    EXPECT_EQ(Log(), Strings(kFrame.begin() + 1, kFrame.end() - 1));
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

// ---- drawing only what changed ----

TEST_F(ScreenTest, UnchangedPictureIsDrawnOnceThenEachChangeDrawsTheNextFrame)
{
    auto* mesh = new TurningMesh(game);
    auto* b = new fakes::Actor(game, "b", 20, 20, 100);
    fakes::Scene* dialog = nullptr;
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_n;
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a key press", [&] { screen.HandleEvent(key); }},
        {"the window exposed", [&] { screen.HandleEvent(exposed); }},
        {"a mesh turned, as the leaned board and the rolling ball do", [&] { mesh->Turn(0.1f); }},
        {"an actor repainted, as a label whose text changed", [&] { b->Repaint(); }},
        {"an actor hidden", [&] { b->Hide(); }},
        {"a blink phase", [&] {
             b->Blink(1, 2560, 2560);
             b->Update(2560);
         }},
        {"a dialog opened", [&] { dialog = new fakes::Scene(&screen, "dialog", 3); }},
        {"a dialog closed", [&] { delete dialog; }},
    };
    screen.Frame();
    for (const auto& [what, change] : changes) {
        Log().clear();
        screen.Frame();
        EXPECT_FALSE(Drew()) << "nothing changed before " << what;
        change();
        Log().clear();
        screen.Frame();
        EXPECT_TRUE(Drew()) << what;
    }
}

TEST_F(ScreenTest, AfterASkippedFrameTheLoopWaitsForTheNextChangeDue)
{
    AppTimer(TimerStop);
    auto* b = new fakes::Actor(game, "b", 20, 20, 100);
    screen.Frame();
    EXPECT_EQ(screen.GetIdleWait(), 0.0) << "after a drawn frame the next comes at the display's pace";
    screen.Frame();
    EXPECT_EQ(screen.GetIdleWait(), 24 / 256.0) << "nothing due: less than the most ticks a frame may take";
    b->Blink(0, 10, 10);
    screen.Frame();
    EXPECT_EQ(screen.GetIdleWait(), 10 / 256.0) << "the blink's next phase";
    b->StartMotion();
    b->SetVelocity(256, 0, 0);
    screen.Frame();
    EXPECT_EQ(screen.GetIdleWait(), 0.0) << "a moving actor";
    b->StopMotion();
    screen.Frame();
    screen.Frame();
    EXPECT_GT(screen.GetIdleWait(), 0.0);
    screen.OnClose();
    EXPECT_EQ(screen.GetIdleWait(), 0.0) << "a pending quit runs at once";
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
    EXPECT_EQ(Log(), Strings(kFrame.begin() + 1, kFrame.end() - 1));
    AppTimer(TimerAdvance);
    CScene::UpdateAllScenes();
    EXPECT_EQ(game->GetUpdateElapsed(), 0);
    screen.OnExitMenuLoop();
    AppTimer(TimerAdvance);
    CScene::UpdateAllScenes();
    EXPECT_EQ(game->GetUpdateElapsed(), 25);
}

// ---- activation and minimising ----

TEST_F(ScreenTest, DeactivationStopsTimeReactivationResumesIt)
{
    screen.OnActivate(0);
    EXPECT_FALSE(screen.IsActive());
    const double stoppedAt = AppTimer(TimerAppTime);
    AppTimer(TimerAdvance);
    CScene::UpdateAllScenes();
    EXPECT_EQ(game->GetUpdateElapsed(), 0);

    screen.OnActivate(0x10001); // low word: active
    EXPECT_TRUE(screen.IsActive());
    EXPECT_GE(AppTimer(TimerAppTime), stoppedAt);
    EXPECT_EQ(Log(), (Strings{"update a"}));
}

TEST_F(ScreenTest, MinimisingSuspendsRestoringResumes)
{
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
    EXPECT_EQ(Log(), (Strings{"update a", "game resume"}));
}

TEST_F(ScreenTest, ReactivatingOrRestoringLeavesAUserPausedSceneSuspended)
{
    CScene::DispatchKeyDown(19);
    screen.OnActivate(0);
    screen.OnActivate(1);
    EXPECT_TRUE(game->IsSuspended());
    screen.OnSize(0, 0);
    screen.OnSize(794, 575);
    EXPECT_TRUE(game->IsSuspended());
    EXPECT_TRUE(Log().empty());
}

// ---- music: the game has no segment ----

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
