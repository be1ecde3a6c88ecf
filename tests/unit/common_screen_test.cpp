#include "base/BMusicSegment.h"
#include "common/actors/CActorMesh.h"
#include "common/screen/CInputRecorder.h"
#include "common/screen/CScreen.h"
#include "platform/window/AppTimer.h"
#include "FileTestSupport.h"
#include "WindowEvents.h"
#include "scene_fakes.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

using fakes::Log;
using Strings = std::vector<std::string>;

namespace {

// The screen's game scene with one actor, on an 800 x 600 device.
struct ScreenTest : ::testing::Test {
    void SetUp() override
    {
        screen.SetDevice(&device);
        game = new fakes::Scene(&screen, "game", CScene::KindGame);
        new fakes::Actor(game, "a", 0, 0, 100);
        screen.Adopt(game);
        Log().clear();
    }
    // One step of the frozen clock (0.1 s) and an update pass: the game's elapsed ticks.
    int32_t Elapsed()
    {
        AppTimer(TimerAdvance);
        CScene::UpdateAllScenes();
        return game->GetUpdateElapsed();
    }
    fakes::Device device;
    fakes::Screen screen;
    fakes::Scene* game = nullptr;
};

// A mesh actor without a mesh that turns when told.
struct TurningMesh : CActorMesh {
    explicit TurningMesh(CScene* scene) : CActorMesh(scene, &matHome, nullptr, 0) {}
    void Turn(float angle) { matWorld.SetRotationY(angle); }
};

bool Drew() { return std::count(Log().begin(), Log().end(), "begin") == 1; }

// Music that notes what the screen asks of it.
struct NotedMusic : BMusicSegment {
    int32_t Play(uint32_t) override
    {
        fPlaying = true;
        return Noted("play");
    }
    int32_t Stop(uint32_t) override
    {
        fPlaying = false;
        return Noted("stop");
    }
    int32_t IsPlaying() override { return fPlaying; }
    int32_t SetRepeats(uint32_t n) override { return Noted("repeats " + std::to_string(n)); }
    int32_t SetVolume(int32_t l) override { return Noted("volume " + std::to_string(l)); }
    void Update() override { Noted("update"); }
    static int32_t Noted(const std::string& what)
    {
        fakes::Note("music " + what);
        return 0;
    }
    bool fPlaying = false;
};

Strings MusicLog()
{
    Strings music;
    std::copy_if(Log().begin(), Log().end(), std::back_inserter(music),
                 [](const std::string& s) { return s.rfind("music ", 0) == 0; });
    return music;
}

} // namespace

// Update moves, draw shows, tick then runs the clocks: the frame's order.
TEST_F(ScreenTest, FinishedDialogsCloseAndAFinishedGameLoadsAgainOrEndsTheProgramWhenItCannot)
{
    game->Suspend(0);
    screen.FinishScene(new fakes::Scene(&screen, "d1", CScene::KindDialog), 2, 0);
    screen.Frame();
    game->AddOpenDialog();
    screen.FinishScene(new fakes::Scene(&screen, "d2", CScene::KindDialog), 3, 1);
    screen.Frame();
    game->RemoveOpenDialog();
    screen.FinishScene(new fakes::Scene(&screen, "d3", CScene::KindDialog), 7, 1);
    screen.Frame();
    screen.FinishScene(nullptr, 1, 1);
    screen.Frame();
    // No frame runs when a dialog closes; the game resumes only when asked and no dialog is left.
    EXPECT_EQ(Log(), (Strings{"delete d1", "game dialog closed 2", "delete d2", "game dialog closed 3", "delete d3",
                              "game dialog closed 7", "game resume", "game load", "game begin", "update a", "begin",
                              "game draw", "sprites", "draw a", "/sprites", "end", "game tick"}));
    Log().clear();
    new fakes::Scene(&screen, "dialog", CScene::KindDialog);
    game->nLoadResult = 68;
    screen.FinishScene(nullptr, 1, 1);
    screen.Frame();
    screen.Frame();
    EXPECT_EQ(Log(), (Strings{"game load", "delete dialog", "delete game", "delete a"}))
        << "dialogs still open go before the game, and then nothing runs";
}

TEST_F(ScreenTest, UnchangedPictureIsDrawnOnceThenEachChangeDrawsAndTheLoopWaitsForTheNextChangeDue)
{
    AppTimer(TimerStop);
    auto* mesh = new TurningMesh(game);
    auto* b = new fakes::Actor(game, "b", 20, 20, 100);
    fakes::Scene* dialog = nullptr;
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a window event: input or an expose", [&] { screen.HandleEvent(SDL_Event{}); }},
        {"a mesh turned, as the leaned board and the rolling ball do", [&] { mesh->Turn(0.1f); }},
        {"an actor repainted, as a label whose text changed", [&] { b->Repaint(); }},
        {"an actor hidden", [&] { b->Hide(); }},
        {"a blink phase", [&] {
             b->Blink(1, 2560, 2560);
             b->Update(2560);
         }},
        {"a dialog opened", [&] { dialog = new fakes::Scene(&screen, "dialog", CScene::KindDialog); }},
        {"a dialog closed", [&] { delete dialog; }},
    };
    screen.Frame();
    EXPECT_EQ(screen.GetIdleWait(), 0.0) << "after a drawn frame the next comes at the display's pace";
    screen.Frame();
    EXPECT_EQ(screen.GetIdleWait(), 24 / 256.0) << "nothing due: less than the most ticks a frame may take";
    b->Blink(0, 10, 10);
    screen.Frame();
    EXPECT_EQ(screen.GetIdleWait(), 10 / 256.0) << "the blink's next phase";
    for (const auto& [what, change] : changes) {
        Log().clear();
        screen.Frame();
        EXPECT_FALSE(Drew()) << "nothing changed before " << what;
        change();
        Log().clear();
        screen.Frame();
        EXPECT_TRUE(Drew()) << what;
    }
    b->StartMotion();
    b->SetVelocity(256, 0, 0);
    screen.Frame();
    EXPECT_EQ(screen.GetIdleWait(), 0.0) << "a moving actor";
    screen.OnClose();
    EXPECT_EQ(screen.GetIdleWait(), 0.0) << "a pending quit runs at once";
    Log().clear();
    screen.Redraw();
    screen.Frame();
    EXPECT_EQ(Log(), (Strings{"delete game", "delete b", "delete a"})) << "nothing drawn, then the quit";
}

// Events an actor makes of a click (a button's command key) are the scenes' own: a
// replay that held them as well sent each command twice.
TEST_F(ScreenTest, WindowInputIsRecordedAndReachesTheScenes)
{
    const std::string path = testing::TempDir() + "rvx_screen.rec";
    GetInputRecorder()->StartRecording(path.c_str());
    GetInputRecorder()->Attach(game, nullptr);
    screen.OnLeftButtonDown(10, 20);
    screen.OnRightButtonDown(100, 200);
    EXPECT_TRUE(screen.IsLeftButtonDown() && screen.IsRightButtonDown());
    screen.OnMouseMove(5, 6);
    screen.OnLeftButtonUp(11, 21);
    screen.OnRightButtonUp(300, 400);
    screen.OnNonClientMouseMove(700, 1);
    screen.OnKeyDown(78);
    CScene::DispatchKeyDown(79);
    screen.OnSysKeyUp(121);
    GetInputRecorder()->Detach(game);
    EXPECT_FALSE(screen.IsLeftButtonDown() || screen.IsRightButtonDown());
    EXPECT_EQ(Log(), (Strings{"game left down 10,20", "game right down 100,200", "cursor 5,6", "game move 5,6",
                              "game left up 11,21", "game right up 300,400", "game nc move 700,1"}));
    EXPECT_EQ(ReadText(path), "RVXREC 3\nM 3 10 20\nM 6 100 200\nM 1 5 6\nM 4 11 21\nM 7 300 400\nM 2 700 1\n"
                              "K 1 78\nK 4 121\n");
}

TEST_F(ScreenTest, MenusDeactivationAndMinimisingStopTimeAndComingBackResumesAllButAUserPause)
{
    AppTimer(TimerStop);
    screen.OnEnterMenuLoop();
    EXPECT_TRUE(Drew()) << "the menu redraws";
    EXPECT_EQ(Elapsed(), 0);
    screen.OnExitMenuLoop();
    EXPECT_EQ(Elapsed(), 25);
    screen.OnActivate(0);
    EXPECT_EQ(Elapsed(), 0);
    screen.Frame(); // the one owed for the focus loss
    for (uint8_t event : {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_SIZE_CHANGED}) {
        screen.HandleEvent(WindowEvent(event, 1000, 700));
        EXPECT_TRUE(screen.IsFrameOwed()) << "inactive, an exposed or resized window is repainted";
        Log().clear();
        screen.Frame();
        EXPECT_TRUE(Drew() && !screen.IsFrameOwed()) << int(event);
        EXPECT_EQ(Elapsed(), 0) << "time stands still meanwhile";
    }
    screen.OnActivate(0x10001); // low word: active
    EXPECT_TRUE(screen.IsActive());
    screen.OnSize(0, 0);
    screen.OnSize(0, 0);
    EXPECT_TRUE(screen.IsMinimised() && game->IsSuspended());
    screen.OnSize(794, 575);
    EXPECT_FALSE(screen.IsMinimised() || game->IsSuspended());

    screen.OnKeyDown(19); // the user's pause
    screen.OnActivate(0);
    screen.OnActivate(1);
    screen.OnSize(0, 0);
    screen.OnSize(794, 575);
    EXPECT_TRUE(game->IsSuspended());
}

// The volume by ear (10 dB per halving), kept for music set later; the music is
// fed each frame, stops while minimised and at the Pause key, and plays again after.
TEST_F(ScreenTest, MusicVolumeByEarIsFedEachFrameAndStopsWhileMinimisedAndPaused)
{
    screen.SetMusicVolume(50);
    screen.SetMusicSegment(new NotedMusic);
    for (int32_t percent : {20, 1, 0, -1, 100})
        screen.SetMusicVolume(percent);
    screen.PlayMusic(1);
    screen.Frame();
    screen.OnSize(0, 0);
    screen.OnSize(794, 575);
    screen.OnKeyDown(19);
    screen.OnKeyDown(19);
    EXPECT_EQ(MusicLog(), (Strings{"music volume -1000", "music volume -2322", "music volume -6644",
                                   "music volume -10000", "music volume -10000", "music volume 0",
                                   "music repeats 4294967295", "music play", "music update", "music stop",
                                   "music play", "music stop", "music play"}));
}
