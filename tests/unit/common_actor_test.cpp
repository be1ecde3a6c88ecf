#include "common/CActor.h"
#include "common/CFixPoint.h"
#include "common/CScene.h"
#include "scene_fakes.h"
#include <gtest/gtest.h>
#include <memory>

using fakes::Actor;

namespace {

constexpr int32_t kPixel = 256;

class ActorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakes::Log().clear();
        scene = std::make_unique<fakes::Scene>(nullptr);
        scene->SetRect({0, 0, 100, 100}, 0, 0);
    }
    Actor* Make(int32_t xPixels, int32_t yPixels, int32_t depth = 100)
    {
        return new Actor(scene.get(), "a", xPixels * kPixel, yPixels * kPixel, depth);
    }
    std::unique_ptr<fakes::Scene> scene;
};

// Runs dt-tick updates and counts how often visibility flipped.
int CountPhaseChanges(Actor* a, int frames, int dt)
{
    int changes = 0;
    for (int i = 0; i < frames; ++i) {
        const bool before = a->IsHidden();
        a->Update(dt);
        changes += before != a->IsHidden();
    }
    return changes;
}

} // namespace

TEST(CFixPoint, DistanceIsFixedAndTruncated)
{
    EXPECT_EQ(CFixPoint(0, 0).Distance(CFixPoint(3 * kPixel, 4 * kPixel)), 5 * kPixel);
    EXPECT_EQ(CFixPoint(0, 0).Distance(CFixPoint(kPixel, kPixel)), 362); // 1.41421 * 256
    const CFixPoint copy(CFixPoint(-7, 9));
    EXPECT_EQ(copy.x, -7);
    EXPECT_EQ(copy.y, 9);
}

TEST_F(ActorTest, ListRunsByDepthAndLaterEqualDepthIsNearer)
{
    Actor* deep = Make(0, 0, 300);
    Actor* first = Make(0, 0, 100);
    Actor* second = Make(0, 0, 100);
    EXPECT_EQ(scene->GetFirstActor(), second);
    EXPECT_EQ(second->GetNext(), first);
    EXPECT_EQ(first->GetNext(), deep);
    EXPECT_EQ(scene->GetLastActor(), deep);

    first->MoveToZ(400);
    EXPECT_EQ(scene->GetLastActor(), first);
    EXPECT_EQ(first->GetPrev(), deep);
    deep->MoveToZ(50);
    EXPECT_EQ(scene->GetFirstActor(), deep);
}

TEST_F(ActorTest, ConstructorTakesPositionRelativeToSceneOrigin)
{
    struct OffsetScene : fakes::Scene {
        OffsetScene() : fakes::Scene(nullptr) { lOriginX = 768; lOriginY = 3328; }
    } origin;
    Actor* a = new Actor(&origin, "o", 768 + 10 * kPixel, 3328, 5);
    EXPECT_EQ(a->GetX(), 10 * kPixel);
    EXPECT_EQ(a->GetY(), 0);
    a->MoveTo(768 + 20 * kPixel, 3328 + kPixel, 5);
    EXPECT_EQ(a->GetBounds(), (Rect{20, 1, 30, 11}));
}

TEST_F(ActorTest, BlinkCountsPhaseChangesAndEndsAsItStarted)
{
    const struct {
        int32_t count, shown, hidden, frames, dt, changes;
        bool blinking, hiddenAtEnd;
    } cases[] = {
        {3, 10, 10, 100, 10, 6, false, false}, // six changes, ends visible
        {0, 5, 5, 50, 5, 50, true, false},     // without end
        {2, 5, 0, 20, 5, 1, true, true},       // stays hidden after the first hide
        {2, 0, 5, 20, 5, 0, true, false},      // never hides
    };
    for (const auto& c : cases) {
        Actor* a = Make(0, 0);
        a->Blink(c.count, c.shown, c.hidden);
        EXPECT_EQ(CountPhaseChanges(a, c.frames, c.dt), c.changes) << c.count << c.shown << c.hidden;
        EXPECT_EQ(a->IsBlinking(), c.blinking) << c.count << c.shown << c.hidden;
        EXPECT_EQ(a->IsHidden(), c.hiddenAtEnd) << c.count << c.shown << c.hidden;
    }
}

TEST_F(ActorTest, HideStopsBlinkingStopBlinkKeepsPhase)
{
    Actor* a = Make(0, 0);
    a->Blink(0, 5, 5);
    a->Update(5);
    ASSERT_TRUE(a->IsHidden());
    a->StopBlink();
    EXPECT_EQ(CountPhaseChanges(a, 5, 5), 0);
    EXPECT_TRUE(a->IsHidden());

    a->Show();
    a->Blink(0, 5, 5);
    a->Hide();
    EXPECT_FALSE(a->IsBlinking());
    EXPECT_TRUE(a->IsHidden());
}

TEST_F(ActorTest, NoBlinkingWhileScenePaused)
{
    Actor* a = Make(0, 0);
    a->Blink(0, 5, 5);
    scene->Suspend(0);
    EXPECT_EQ(CountPhaseChanges(a, 10, 5), 0);
    scene->Resume();
    EXPECT_EQ(CountPhaseChanges(a, 1, 5), 1);
}

TEST_F(ActorTest, GlideOnePixelWithLargeSpeedSnapsOntoTarget)
{
    Actor* a = Make(10, 10);
    a->StartMotion();
    a->GlideTo(11 * kPixel, 10 * kPixel, 100000);
    a->Update(25);
    EXPECT_TRUE(a->HasArrived());
    EXPECT_FALSE(a->IsGliding());
    EXPECT_EQ(a->GetX(), 11 * kPixel);
    EXPECT_EQ(a->GetY(), 10 * kPixel);
    EXPECT_EQ(a->GetVX(), 0);
    EXPECT_EQ(a->GetVY(), 0);
}

TEST_F(ActorTest, GlideMovesMajorAxisAtSpeedAndArrives)
{
    Actor* a = Make(0, 0);
    a->StartMotion();
    a->GlideTo(-40 * kPixel, 20 * kPixel, 20 * kPixel);
    EXPECT_EQ(a->GetVX(), -20 * kPixel);
    EXPECT_EQ(a->GetVY(), 10 * kPixel);
    for (int i = 0; i < 200 && a->IsGliding(); ++i)
        a->Update(25);
    EXPECT_TRUE(a->HasArrived());
    EXPECT_EQ(a->GetX(), -40 * kPixel);
    EXPECT_EQ(a->GetY(), 20 * kPixel);

    a->Restart(0, 0);
    EXPECT_FALSE(a->HasArrived());
}

TEST_F(ActorTest, EdgesClampAtTheSceneBoundsAndPixelZero)
{
    Actor* a = Make(85, 88);
    a->fFreeRight = 0;
    a->fFreeBottom = 0;
    a->MoveBy(20 * kPixel, 20 * kPixel, 0);
    EXPECT_EQ(a->GetBounds(), (Rect{90, 90, 100, 100}));
    a->MoveBy(kPixel, kPixel, 0);
    EXPECT_EQ(a->GetBounds(), (Rect{90, 90, 100, 100}));
    a->fFreeTop = 0;
    a->MoveBy(-200 * kPixel, -200 * kPixel, 0);
    EXPECT_EQ(a->GetBounds(), (Rect{-110, 0, -100, 10})) << "the free left edge lets x through, top clamps";
    Actor* b = Make(4, 0);
    b->fFreeLeft = 0;
    b->MoveBy(-10 * kPixel, 0, 0);
    EXPECT_EQ(b->GetBounds().left, 0);
    const int32_t repaints = b->nBoundsUpdates;
    b->MoveBy(-10 * kPixel, 0, 0);
    EXPECT_EQ(b->GetX(), 0);
    EXPECT_EQ(b->nBoundsUpdates, repaints) << "a move clamped to nothing does not repaint";
}

TEST_F(ActorTest, VelocityMovesPerTickAndSettersKeepTheirAxes)
{
    Actor* a = Make(0, 0);
    a->SetVelocity(256 * kPixel, -128 * kPixel, 0);
    a->Update(10);
    EXPECT_EQ(a->GetX(), 0) << "no motion until started";
    a->StartMotion();
    a->Update(10);
    EXPECT_EQ(a->GetX(), 10 * kPixel);
    EXPECT_EQ(a->GetY(), -5 * kPixel);

    a->SetVelocityZ(77);
    a->SetVelocityX(5);
    EXPECT_EQ(a->GetVZ(), 0);
    EXPECT_EQ(a->GetVY(), -128 * kPixel);
    const int32_t add[3] = {1, 2, 3};
    a->AddVelocityV(add);
    EXPECT_EQ(a->GetVX(), 6);
    EXPECT_EQ(a->GetVZ(), 3);
}

TEST_F(ActorTest, KillOffscreenJudgesTheBoundsBeforeTheMove)
{
    Actor* a = Make(0, 0);
    a->fKillOffscreen = 1;
    a->MoveBy(-50 * kPixel, 0, 0);
    EXPECT_FALSE(a->IsDead());
    a->MoveBy(-kPixel, 0, 0);
    EXPECT_TRUE(a->IsDead());
    EXPECT_EQ(a->GetCollideClass(), 2);
}

TEST_F(ActorTest, DepthChangeRepaintsWhenOrderChangesOrAsked)
{
    Actor* a = Make(0, 0, 100);
    const int32_t before = a->nBoundsUpdates;
    a->MoveToZ(150);
    EXPECT_EQ(a->nBoundsUpdates, before) << "alone in the list: no reorder, no repaint";
    a->fRedrawOnDepth = 1;
    a->MoveToZ(160);
    EXPECT_EQ(a->nBoundsUpdates, before + 1);
}

TEST_F(ActorTest, CentreAndMoveCentre)
{
    Actor* a = Make(10, 20);
    int32_t x = 0, y = 0;
    a->GetCentre(&x, &y);
    EXPECT_EQ(x, 15 * kPixel);
    EXPECT_EQ(y, 25 * kPixel);
    a->MoveCentreTo(50 * kPixel, 50 * kPixel);
    EXPECT_EQ(a->GetBounds(), (Rect{45, 45, 55, 55}));
    a->MoveCentreToY(10 * kPixel);
    EXPECT_EQ(a->GetBounds().top, 5);
}

TEST_F(ActorTest, PinnedActorIgnoresOffset)
{
    Actor* a = Make(10, 10);
    a->OffsetBy(5 * kPixel, 5 * kPixel);
    EXPECT_EQ(a->GetBounds().left, 5);
    a->fPinned = 1;
    a->OffsetBy(5 * kPixel, 5 * kPixel);
    EXPECT_EQ(a->GetBounds().left, 5);
}

TEST_F(ActorTest, DestructorLeavesTheListAndReleasesCapture)
{
    Actor* a = Make(0, 0);
    Actor* b = Make(0, 0);
    CScene::SetMouseCapture(a);
    delete a;
    EXPECT_EQ(CScene::GetCaptureActor(), nullptr);
    EXPECT_EQ(scene->GetFirstActor(), b);
    EXPECT_EQ(b->GetNext(), nullptr);
}
