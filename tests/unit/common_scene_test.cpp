#include "common/scene/CScene.h"
#include "common/scene/CSceneStack.h"
#include "platform/window/AppTimer.h"
#include "UiTestSupport.h"
#include <gtest/gtest.h>
#include <memory>

using fakes::Actor;
using fakes::Log;
using Strings = std::vector<std::string>;

namespace {

constexpr int32_t kPixel = 256;

// Steps the frozen application clock (each step is exactly 0.1 s, 25.6 ticks), then runs the update pass.
void UpdateAfter(int steps)
{
    for (int i = 0; i < steps; ++i)
        AppTimer(TimerAdvance);
    CScene::UpdateAllScenes();
}

// One scene on an 800 x 600 device.
struct SceneTest : ::testing::Test {
    void SetUp() override
    {
        Log().clear();
        screen.SetDevice(&device);
        scene = std::make_unique<fakes::Scene>(&screen);
        AppTimer(TimerStop);
    }
    Actor* Make(const char* name, int32_t x, int32_t y, int32_t z, int32_t w = 10, int32_t h = 10, int32_t cls = 2)
    {
        return new Actor(scene.get(), name, x * kPixel, y * kPixel, z, w, h, cls);
    }
    fakes::Device device;
    fakes::Screen screen;
    std::unique_ptr<fakes::Scene> scene;
};

// Moves itself to the back of the list while it is updated.
struct Diver : Actor {
    using Actor::Actor;
    void Update(int32_t dt) override
    {
        Actor::Update(dt);
        MoveToZ(GetZ() + 1000);
    }
};

} // namespace

// ---- time, the stack and the update pass ----

TEST_F(SceneTest, ElapsedTicksRunFromConstructionAreCappedAt25AndStopWhileFrozen)
{
    Actor* a = Make("a", 0, 0, 100);
    for (const int steps : {0, 1, 2})
        UpdateAfter(steps);
    EXPECT_EQ(scene->GetSceneTime(), 50);
    AppTimer(TimerAdvance);
    fakes::Scene later(nullptr, "later", 0, 0); // resets the clock: no negative ticks
    EXPECT_EQ(CSceneStack::GetBottom(), &later) << "a scene may go under the others";
    EXPECT_EQ(CSceneStack::GetTop()->GetBelow(), &later);
    AppTimer(TimerStop);
    UpdateAfter(0);
    scene->Suspend(0);
    UpdateAfter(1);
    scene->Resume();
    AppTimer(TimerAdvance);
    CScene::TickAllScenes();
    EXPECT_EQ(scene->GetTickElapsed(), 25);
    CScene::UpdateAllScenes();
    EXPECT_EQ(a->rgElapsed, (std::vector<int32_t>{0, 25, 25, 0, 0, 25})) << "the tick pass has its own stamp";
}

// 2^31 ticks is 8388608 s (97 days): times on either side of it are as far apart as any others.
TEST(SceneTicks, TicksBetweenTwoTimesHoldAcrossTheEndOfTheRange)
{
    struct Ticks : CScene {
        using CScene::TicksAt;
        using CScene::TicksBetween;
    };
    const struct {
        double dFrom, dTo;
        int32_t lTicks;
    } rows[] = {{0.0, 0.1, 25}, {100.0, 99.0, -256}, {8388607.9, 8388608.1, 51}, {16777215.9, 16777216.1, 51},
                {8388608.0, 8388608.0 + 86400.0, 86400 * 256}};
    for (const auto& row : rows)
        EXPECT_EQ(Ticks::TicksBetween(Ticks::TicksAt(row.dFrom), Ticks::TicksAt(row.dTo)), row.lTicks) << row.dFrom;
}

TEST_F(SceneTest, UpdatePassUpdatesEachActorOnceAndThenDeletesTheKilled)
{
    Diver* d = new Diver(scene.get(), "d", 0, 0, 100);
    Make("b", 0, 0, 200);
    Actor* k = Make("k", 0, 0, 300);
    k->Kill();
    k->Kill();
    CScene::UpdateAllScenes();
    EXPECT_EQ(Log(), (Strings{"update d", "update b", "delete k"})) << "d moved behind b, once; killing only marks";
    EXPECT_EQ(scene->GetLastActor(), d);
}

// ---- input ----

TEST_F(SceneTest, MouseGoesToTheCaptureElseTheFrontMostWillingActorUnderThePointerElseTheScene)
{
    Make("deep", 0, 0, 10000 * kPixel, 50, 50);
    Actor* far = Make("far", 0, 0, 300, 20, 20);
    Make("near", 0, 0, 100, 20, 20);
    Make("hidden", 0, 0, 50, 20, 20)->Hide();
    Make("unwilling", 0, 0, 60, 20, 20)->fWantsMouse = 0;
    EXPECT_EQ(Dispatch(MouseEvent::LeftDown, 5, 5), 1);
    Dispatch(MouseEvent::RightDown, 20, 5);
    CScene::SetMouseCapture(far);
    Dispatch(MouseEvent::Move, 500, 5);
    CScene::SetMouseCapture(nullptr);
    Dispatch(MouseEvent::RightUp, 5, 5);
    Dispatch(MouseEvent::LeftUp, 5, 5);
    EXPECT_EQ(Log(), (Strings{"mouse near 3", "scene right down 20,5", "mouse far 1", "scene right up 5,5",
                              "mouse near 4"}))
        << "a release over an actor goes to the scene that took its press";
    EXPECT_EQ(Dispatch(42, 700, 500), 0) << "unknown event types are not handled";
}

TEST_F(SceneTest, ReleasesReachOnlyTheSceneThatGotThePress)
{
    Dispatch(MouseEvent::LeftDown, 1, 1);
    EXPECT_TRUE(scene->IsLeftHeld());
    EXPECT_EQ(CScene::DispatchSysKeyDown(18), 0);
    {
        fakes::Scene dialog(nullptr, "dialog");
        Dispatch(MouseEvent::LeftUp, 1, 1);
        EXPECT_EQ(CScene::DispatchSysKeyUp(18), 1) << "not the dialog's press";
        Dispatch(MouseEvent::LeftDown, 2, 2);
        Dispatch(MouseEvent::LeftUp, 2, 2);
        EXPECT_EQ(CScene::DispatchSysKeyDown(18), 0);
        EXPECT_EQ(CScene::DispatchSysKeyUp(18), 0) << "reaches the dialog";
        CScene::DispatchSysKeyDown(18);
    }
    Dispatch(MouseEvent::LeftUp, 3, 3);
    EXPECT_EQ(CScene::DispatchSysKeyUp(18), 1) << "the press went with the dialog";
    EXPECT_EQ(Log(), (Strings{"scene left down 1,1", "dialog left down 2,2", "dialog left up 2,2", "delete dialog"}));
    EXPECT_FALSE(scene->IsLeftHeld());
    scene.reset();
    EXPECT_EQ(Dispatch(MouseEvent::LeftDown, 1, 1), 0) << "without scenes input is dropped";
    EXPECT_EQ(CScene::DispatchKeyDown(65), 1);
}

TEST_F(SceneTest, PauseTogglesUnlessTheSceneCannotPauseAndPanelKeysActOnlyOnAShownPanel)
{
    EXPECT_EQ(CScene::DispatchKeyDown(65), 0) << "unknown keys are not handled";
    EXPECT_EQ(CScene::DispatchKeyDown(19) + CScene::DispatchKeyUp(19), 2);
    EXPECT_TRUE(scene->IsSuspended() && scene->IsUserPaused() && !scene->CanResumeMusic());
    CScene::DispatchKeyDown(19);
    scene->fCanPause = 0;
    CScene::DispatchKeyDown(19);
    EXPECT_FALSE(scene->IsSuspended() || scene->IsUserPaused());

    CScene::DispatchKeyDown(33);
    EXPECT_FALSE(scene->IsPanel1Shown());
    for (const int32_t kind : {0, int32_t{CScene::KindStaysSuspended}}) {
        scene->nKind = kind;
        scene->Suspend(0);
        scene->fPanel1Shown = 1;
        CScene::DispatchKeyDown(99);
        EXPECT_EQ(CScene::DispatchKeyDown(27), 1);
        EXPECT_FALSE(scene->IsPanel1Shown());
        EXPECT_EQ(scene->IsSuspended(), kind != 0) << "Escape closes the panel and resumes unless the kind stays";
    }
    scene->ShowPanel2();
    scene->ClosePanel2();
    EXPECT_FALSE(scene->IsPanel2Shown());
}

// ---- draw pass ----

TEST_F(SceneTest, MeshesNearestFirstThenTheirShadowsThenSpritesBackToFrontThenCollisions)
{
    Make("sprite near", 0, 0, 100, 10, 10, 0)->fWantsCollision = 1; // class 0 meets all but class 2
    Make("mesh far", 0, 0, 300)->fMesh = true;
    Make("sprite far", 0, 0, 200, 10, 10, 0);
    Make("mesh near", 0, 0, 50)->fMesh = true;
    Make("zero", 0, 0, 0);
    Make("off", 900, 0, 100);
    Make("hidden", 0, 0, 100)->Hide();
    Actor* edge = Make("edge", 795, 595, 100);
    CScene::DrawAllScenes();
    EXPECT_EQ(Log(), (Strings{"begin", "scene draw", "draw mesh near", "draw mesh far", "shadow mesh far",
                              "shadow mesh near", "sprites", "draw sprite far", "draw sprite near", "draw edge",
                              "/sprites", "end", "collision sprite near", "collision sprite far"}));
    EXPECT_EQ(edge->lastClip, (Rect{795, 595, 800, 600}));
}

TEST_F(SceneTest, CoveredScenesFailedFramesAndFailedBatchesAreNotDrawn)
{
    Make("a", 0, 0, 100)->fMesh = true;
    Make("b", 0, 0, 100);
    {
        fakes::Scene dialog(&screen, "dialog");
        CScene::DrawAllScenes();
        dialog.SetRect({0, 0, 400, 300}, 0, 0);
        EXPECT_TRUE(dialog.IsScaled());
        EXPECT_EQ(dialog.GetXScale(), 512);
        CScene::DrawAllScenes();
    }
    EXPECT_EQ(Log(), (Strings{"begin", "dialog draw", "sprites", "/sprites", "end", "begin", "scene draw", "draw a",
                              "shadow a", "sprites", "draw b", "/sprites", "dialog draw", "sprites", "/sprites", "end",
                              "delete dialog"}));
    Log().clear();
    device.nBeginResult = 15;
    CScene::DrawAllScenes();
    device.nBeginResult = 0;
    device.nSpritesResult = 20;
    CScene::DrawAllScenes();
    screen.SetDevice(nullptr);
    CScene::DrawAllScenes();
    scene->Draw();
    EXPECT_EQ(Log(), (Strings{"begin", "begin", "scene draw", "draw a", "shadow a", "sprites", "end", "scene draw"}));
}
