#include "common/CCollisionMgr.h"
#include "common/CScene.h"
#include "common/CSprite.h"
#include "platform/AppTimer.h"
#include "scene_fakes.h"
#include <gtest/gtest.h>
#include <memory>

using fakes::Actor;
using fakes::Log;
using Strings = std::vector<std::string>;

namespace {

constexpr int32_t kPixel = 256;

// The application clock, frozen: each step is exactly 0.1 s (25.6 ticks).
void FreezeClock() { AppTimer(TimerStop); }
void StepClock() { AppTimer(TimerAdvance); }

MouseEvent Event(uint32_t type, uint16_t x, uint16_t y) { return MouseEvent{type, x, y}; }

int32_t Send(uint32_t type, uint16_t x, uint16_t y)
{
    const MouseEvent e = Event(type, x, y);
    return CScene::DispatchMouseEvent(&e);
}

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Log().clear();
        scene = std::make_unique<fakes::Scene>(nullptr);
        FreezeClock();
    }
    void TearDown() override
    {
        scene.reset();
        EXPECT_EQ(CScene::GetTopScene(), nullptr);
        EXPECT_EQ(CScene::GetBottomScene(), nullptr);
    }
    Actor* Make(const char* name, int32_t x, int32_t y, int32_t z, int32_t w = 10, int32_t h = 10)
    {
        return new Actor(scene.get(), name, x * kPixel, y * kPixel, z, w, h);
    }
    std::unique_ptr<fakes::Scene> scene;
};

// Moves itself to the back of the list while it is updated.
class Diver : public Actor {
public:
    using Actor::Actor;
    void Update(int32_t dt) override
    {
        Actor::Update(dt);
        MoveToZ(GetZ() + 1000);
    }
};

} // namespace

// ---- time ----

TEST_F(SceneTest, FirstUpdateMeasuresFromConstructionAndClampsAt25)
{
    Actor* a = Make("a", 0, 0, 100);
    CScene::UpdateAllScenes();
    StepClock();
    CScene::UpdateAllScenes();
    StepClock();
    StepClock();
    CScene::UpdateAllScenes();
    EXPECT_EQ(a->rgElapsed, (std::vector<int32_t>{0, 25, 25}));
    EXPECT_EQ(scene->GetSceneTime(), 50);
}

TEST_F(SceneTest, ConstructingAnotherSceneGivesNoNegativeElapsedTime)
{
    Actor* a = Make("a", 0, 0, 100);
    StepClock();
    CScene::UpdateAllScenes();
    fakes::Scene later(nullptr, "later");
    FreezeClock();
    CScene::UpdateAllScenes();
    EXPECT_EQ(a->rgElapsed, (std::vector<int32_t>{25, 0}));
    EXPECT_EQ(later.GetUpdateElapsed(), 0);
}

TEST_F(SceneTest, SuspendedOrMenuFrozenScenesGiveZeroTicks)
{
    Actor* a = Make("a", 0, 0, 100);
    scene->Suspend(0);
    StepClock();
    CScene::UpdateAllScenes();
    scene->Resume();
    CScene::UpdateAllScenes();
    scene->OnMenuEnter();
    StepClock();
    CScene::UpdateAllScenes();
    scene->OnMenuExit();
    StepClock();
    CScene::UpdateAllScenes();
    EXPECT_EQ(a->rgElapsed, (std::vector<int32_t>{0, 0, 0, 25}));
}

TEST_F(SceneTest, TickPassMeasuresWithItsOwnStamp)
{
    StepClock();
    CScene::UpdateAllScenes();
    StepClock();
    CScene::TickAllScenes();
    EXPECT_EQ(scene->GetUpdateElapsed(), 25);
    EXPECT_EQ(scene->GetTickElapsed(), 25);
    CScene::TickAllScenes();
    EXPECT_EQ(scene->GetTickElapsed(), 0);
}

// ---- update pass ----

TEST_F(SceneTest, KilledActorsAreDeletedAtTheEndOfTheUpdatePass)
{
    Actor* a = Make("a", 0, 0, 100);
    Actor* k = Make("k", 0, 0, 200);
    k->Kill();
    k->Kill();
    EXPECT_EQ(scene->GetLastActor(), k) << "killing only marks";
    CScene::UpdateAllScenes();
    EXPECT_EQ(Log(), (Strings{"delete k"}));
    EXPECT_EQ(scene->GetLastActor(), a);
    EXPECT_EQ(a->rgElapsed.size(), 1u);
}

TEST_F(SceneTest, ActorMovingBackDuringItsUpdateIsUpdatedOnce)
{
    Diver* d = new Diver(scene.get(), "d", 0, 0, 100);
    Actor* b = Make("b", 0, 0, 200);
    CScene::UpdateAllScenes();
    EXPECT_EQ(d->rgElapsed.size(), 1u);
    EXPECT_EQ(b->rgElapsed.size(), 1u);
    EXPECT_EQ(scene->GetLastActor(), d);
}

// ---- stack ----

TEST_F(SceneTest, ScenesStackOnTopOrAtTheBottomAndUnlinkOnDestruction)
{
    auto top = std::make_unique<fakes::Scene>(nullptr, "top");
    auto bottom = std::make_unique<fakes::Scene>(nullptr, "bottom", 0, 0);
    EXPECT_EQ(CScene::GetTopScene(), top.get());
    EXPECT_EQ(CScene::GetBottomScene(), bottom.get());
    EXPECT_EQ(bottom->GetAbove(), scene.get());
    EXPECT_EQ(scene->GetAbove(), top.get());

    scene.reset();
    EXPECT_EQ(bottom->GetAbove(), top.get());
    EXPECT_EQ(top->GetBelow(), bottom.get());
    top.reset();
    EXPECT_EQ(CScene::GetTopScene(), bottom.get());
    EXPECT_EQ(bottom->GetAbove(), nullptr);
}

TEST_F(SceneTest, DestructionDeletesActorsFirstToLast)
{
    Make("far", 0, 0, 300);
    Make("near", 0, 0, 100);
    scene.reset();
    EXPECT_EQ(Log(), (Strings{"delete scene", "delete near", "delete far"}));
}

// ---- mouse ----

TEST_F(SceneTest, FrontMostWillingActorUnderThePointerTakesTheClick)
{
    Make("far", 0, 0, 300, 50, 50);
    Make("near", 0, 0, 100, 50, 50);
    Actor* hidden = Make("hidden", 0, 0, 50, 50, 50);
    hidden->Hide();
    Actor* unwilling = Make("unwilling", 0, 0, 60, 50, 50);
    unwilling->fWantsMouse = 0;
    EXPECT_EQ(Send(MouseEvent::LeftDown, 5, 5), 1);
    EXPECT_EQ(Log(), (Strings{"mouse near 3"}));
}

TEST_F(SceneTest, TooDeepActorsAndEdgesMissAndTheSceneGetsTheEvent)
{
    Make("deep", 0, 0, 10000 * 256, 50, 50);
    Make("edge", 0, 0, 100, 10, 10);
    EXPECT_EQ(Send(MouseEvent::RightDown, 10, 5), 1);
    EXPECT_EQ(Send(MouseEvent::RightUp, 5, 10), 1);
    EXPECT_EQ(Log(), (Strings{"scene right down 10,5", "scene right up 5,10"}));
    EXPECT_EQ(Send(42, 700, 500), 0) << "unknown event types are not handled";
}

TEST_F(SceneTest, MovesGoToTheSceneNeverToActors)
{
    Make("a", 0, 0, 100, 50, 50);
    Send(MouseEvent::Move, 5, 5);
    Send(MouseEvent::NonClientMove, 600, 5);
    EXPECT_EQ(Log(), (Strings{"scene move 5,5", "scene nc move 600,5"}));
}

TEST_F(SceneTest, CaptureActorGetsEveryEventUntilReleased)
{
    Actor* a = Make("a", 0, 0, 100, 10, 10);
    CScene::SetMouseCapture(a);
    Send(MouseEvent::Move, 5, 5);
    Send(MouseEvent::LeftUp, 90, 90);
    CScene::SetMouseCapture(nullptr);
    Send(MouseEvent::LeftDown, 90, 90);
    EXPECT_EQ(Log(), (Strings{"mouse a 1", "mouse a 4", "scene left down 90,90"}));
}

TEST_F(SceneTest, ImageActorWithAnOpaquePixelTakesTheClick)
{
    struct Pictured : Actor {
        using Actor::Actor;
        CSprite* GetImage() override { return &sprite; }
        CSprite sprite; // no texture: every pixel counts as opaque
    };
    Pictured* p = new Pictured(scene.get(), "pic", 0, 0, 100);
    p->nMirror = 17;
    Send(MouseEvent::LeftDown, 3, 3);
    p->fWantsMouse = 0;
    Send(MouseEvent::LeftDown, 3, 3);
    EXPECT_EQ(Log(), (Strings{"mouse pic 3", "scene left down 3,3"}));
}

TEST_F(SceneTest, ButtonReleaseReachesOnlyTheSceneThatGotThePress)
{
    Send(MouseEvent::LeftDown, 1, 1);
    EXPECT_TRUE(scene->IsLeftHeld());
    {
        fakes::Scene dialog(nullptr, "dialog");
        Send(MouseEvent::LeftUp, 1, 1);
        Send(MouseEvent::LeftDown, 2, 2);
        Send(MouseEvent::LeftUp, 2, 2);
    }
    Send(MouseEvent::LeftUp, 3, 3);
    EXPECT_EQ(Log(), (Strings{"scene left down 1,1", "dialog left down 2,2", "dialog left up 2,2", "delete dialog"}));
    EXPECT_FALSE(scene->IsLeftHeld());
}

TEST_F(SceneTest, WithoutScenesInputIsDropped)
{
    scene.reset();
    EXPECT_EQ(Send(MouseEvent::LeftDown, 1, 1), 0);
    EXPECT_EQ(CScene::DispatchKeyDown(65), 1);
    EXPECT_EQ(CScene::DispatchKeyUp(65), 1);
}

// ---- keys ----

TEST_F(SceneTest, KeyReleaseReachesOnlyTheSceneThatGotThePress)
{
    EXPECT_EQ(CScene::DispatchKeyDown(65), 0) << "unknown keys are not handled";
    {
        fakes::Scene dialog(nullptr, "dialog");
        EXPECT_EQ(CScene::DispatchKeyUp(65), 1);
        CScene::DispatchSysKeyDown(18);
        CScene::DispatchSysKeyUp(18);
    }
    EXPECT_EQ(CScene::DispatchKeyUp(65), 1);
    EXPECT_EQ(Log(), (Strings{"dialog sys key up 18", "delete dialog"}));
}

TEST_F(SceneTest, PauseTwiceLeavesTheSceneAsItWas)
{
    EXPECT_EQ(CScene::DispatchKeyDown(19), 1);
    EXPECT_TRUE(scene->IsSuspended());
    EXPECT_TRUE(scene->IsUserPaused());
    EXPECT_EQ(scene->CanResumeMusic(), 0);
    CScene::DispatchKeyDown(19);
    EXPECT_FALSE(scene->IsSuspended());
    EXPECT_FALSE(scene->IsUserPaused());
    EXPECT_EQ(scene->CanResumeMusic(), 1);

    scene->fCanPause = 0;
    EXPECT_EQ(CScene::DispatchKeyDown(19), 1);
    EXPECT_FALSE(scene->IsSuspended());
}

TEST_F(SceneTest, PanelKeysActOnlyWhileThePanelIsShown)
{
    CScene::DispatchKeyDown(33);
    EXPECT_FALSE(scene->IsPanel1Shown());
    scene->Suspend(0);
    scene->fPanel1Shown = 1;
    EXPECT_EQ(CScene::DispatchKeyDown(99), 1);
    EXPECT_EQ(CScene::DispatchKeyDown(27), 1);
    EXPECT_FALSE(scene->IsPanel1Shown());
    EXPECT_FALSE(scene->IsSuspended()) << "Escape closes the panel and resumes";

    scene->fPanel1Shown = 1;
    scene->nKind = 11;
    scene->Suspend(0);
    CScene::DispatchKeyDown(27);
    EXPECT_TRUE(scene->IsSuspended()) << "kind 11 stays suspended";
}

// ---- draw pass ----

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Log().clear();
        screen.SetDevice(&device);
        scene = std::make_unique<fakes::Scene>(&screen, "game");
    }
    void TearDown() override { scene.reset(); }
    Actor* Make(const char* name, int32_t x, int32_t y, int32_t z, bool mesh = false)
    {
        Actor* a = new Actor(scene.get(), name, x * kPixel, y * kPixel, z);
        a->fMesh = mesh;
        return a;
    }
    fakes::Device device;
    fakes::Screen screen;
    std::unique_ptr<fakes::Scene> scene;
};

TEST_F(DrawTest, MeshesNearestFirstThenTheirShadowsThenSpritesBackToFront)
{
    Make("sprite near", 0, 0, 100);
    Make("mesh far", 0, 0, 300, true);
    Make("sprite far", 0, 0, 200);
    Make("mesh near", 0, 0, 50, true);
    CScene::DrawAllScenes();
    EXPECT_EQ(Log(), (Strings{"begin", "game draw", "draw mesh near", "draw mesh far", "shadow mesh far",
                              "shadow mesh near", "sprites", "draw sprite far", "draw sprite near", "/sprites",
                              "end"}));
    EXPECT_EQ(scene->GetCollisionMgr()->GetDrawnCount(), 4);
    CScene::UpdateAllScenes();
    EXPECT_EQ(scene->GetCollisionMgr()->GetDrawnCount(), 0);
}

TEST_F(DrawTest, HiddenShallowAndOffScreenActorsAreNotDrawn)
{
    Make("zero", 0, 0, 0);
    Make("off", 900, 0, 100);
    Make("hidden", 0, 0, 100)->Hide();
    Actor* edge = Make("edge", 795, 595, 100);
    CScene::DrawAllScenes();
    EXPECT_EQ(Log(), (Strings{"begin", "game draw", "sprites", "draw edge", "/sprites", "end"}));
    EXPECT_EQ(edge->lastClip, (Rect{795, 595, 800, 600}));
    EXPECT_TRUE(edge->IsDrawn());
}

TEST_F(DrawTest, FailedFrameDrawsNothingAndFailedBatchSkipsSprites)
{
    Make("mesh", 0, 0, 100, true);
    Make("sprite", 0, 0, 100);
    device.nBeginResult = 15;
    CScene::DrawAllScenes();
    EXPECT_EQ(Log(), (Strings{"begin"}));
    Log().clear();
    device.nBeginResult = 0;
    device.nSpritesResult = 20;
    CScene::DrawAllScenes();
    EXPECT_EQ(Log(), (Strings{"begin", "game draw", "draw mesh", "shadow mesh", "sprites", "end"}));
}

TEST_F(DrawTest, SceneCoveredByAFullScreenSceneIsNotDrawnButStillUpdated)
{
    Actor* a = Make("a", 0, 0, 100);
    {
        fakes::Scene dialog(&screen, "dialog");
        CScene::UpdateAllScenes();
        CScene::DrawAllScenes();
        dialog.SetRect({0, 0, 400, 300}, 0, 0);
        EXPECT_TRUE(dialog.IsScaled());
        EXPECT_EQ(dialog.GetXScale(), 512);
        CScene::DrawAllScenes();
    }
    EXPECT_EQ(a->rgElapsed.size(), 1u);
    EXPECT_EQ(Log(), (Strings{"begin", "dialog draw", "sprites", "/sprites", "end", "begin", "game draw", "sprites",
                              "draw a", "/sprites", "dialog draw", "sprites", "/sprites", "end", "delete dialog"}));
}

TEST_F(DrawTest, CollisionPassPairsDrawnActorsOnly)
{
    Actor* a = new Actor(scene.get(), "a", 0, 0, 100, 10, 10, 0);
    Actor* b = new Actor(scene.get(), "b", 5 * kPixel, 5 * kPixel, 200, 10, 10, 0);
    a->fWantsCollision = 1;
    CScene::DrawAllScenes();
    EXPECT_EQ(Log(), (Strings{"begin", "game draw", "sprites", "draw b", "draw a", "/sprites", "end", "collision a",
                              "collision b"}));
    CScene::UpdateAllScenes();
    b->Hide();
    Log().clear();
    CScene::DrawAllScenes();
    EXPECT_EQ(Log(), (Strings{"begin", "game draw", "sprites", "draw a", "/sprites", "end"}))
        << "one drawn actor: no collision test";
}
