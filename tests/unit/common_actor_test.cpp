#include "common/actors/CActor.h"
#include "common/scene/CScene.h"
#include "scene_fakes.h"
#include <gtest/gtest.h>

using fakes::Actor;

namespace {

constexpr int32_t kPixel = 256;

class ActorTest : public ::testing::Test {
protected:
    void SetUp() override { scene.SetRect({0, 0, 100, 100}, 0, 0); }
    Actor* Make(int32_t xPixels, int32_t yPixels, int32_t depth = 100)
    {
        return new Actor(&scene, "a", xPixels * kPixel, yPixels * kPixel, depth);
    }
    fakes::Scene scene{nullptr};
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

TEST_F(ActorTest, ListRunsByDepthAndLaterEqualDepthIsNearerAndDeleteLeavesItAndTheCapture)
{
    Actor* deep = Make(0, 0, 300);
    Actor* first = Make(0, 0, 100);
    Actor* second = Make(0, 0, 100);
    EXPECT_EQ(scene.GetFirstActor(), second);
    EXPECT_EQ(second->GetNext(), first);
    EXPECT_EQ(first->GetNext(), deep);
    first->MoveToZ(400);
    EXPECT_EQ(scene.GetLastActor(), first);
    EXPECT_EQ(first->GetPrev(), deep);
    CScene::SetMouseCapture(first);
    delete first;
    EXPECT_EQ(CScene::GetCaptureActor(), nullptr);
    EXPECT_EQ(scene.GetLastActor(), deep);
    EXPECT_EQ(deep->GetNext(), nullptr);
}

TEST_F(ActorTest, PositionsIncludeTheSceneOriginAndCentresAreThoseOfTheBounds)
{
    CScene origin(nullptr, 768, 3328, 0, 1, 0, 1);
    Actor* a = new Actor(&origin, "o", 768 + 10 * kPixel, 3328, 5);
    EXPECT_EQ(a->GetX(), 10 * kPixel);
    a->MoveTo(768 + 20 * kPixel, 3328 + kPixel, 5);
    EXPECT_EQ(a->GetBounds(), (Rect{20, 1, 30, 11}));
    // The centre of the bounds; MoveCentreTo takes it likewise.
    Actor* b = Make(10, 20);
    int32_t x = 0, y = 0;
    b->GetCentre(&x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(15 * kPixel, 25 * kPixel));
    b->MoveCentreTo(50 * kPixel, 50 * kPixel);
    EXPECT_EQ(b->GetBounds(), (Rect{45, 45, 55, 55}));
    b->MoveCentreToY(10 * kPixel);
    EXPECT_EQ(b->GetBounds().top, 5);
    b->OffsetBy(5 * kPixel, 5 * kPixel);
    EXPECT_EQ(b->GetBounds().left, 40);
    b->SetPinned(1);
    b->OffsetBy(5 * kPixel, 5 * kPixel);
    EXPECT_EQ(b->GetBounds().left, 40) << "a pinned actor stays put";
}

TEST_F(ActorTest, BlinkCountsPhaseChangesEndsAsItStartedAndHoldsWhilePausedOrStopped)
{
    const struct { int32_t count, shown, hidden, frames, dt, changes; bool blinking, hiddenAtEnd; } cases[] = {
        {3, 10, 10, 100, 10, 6, false, false}, // six changes, ends visible
        {0, 5, 5, 50, 5, 50, true, false},     // without end
        {2, 5, 0, 20, 5, 1, true, true},       // stays hidden after the first hide
        {2, 0, 5, 20, 5, 0, true, false},      // never hides
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << c.shown << c.hidden);
        Actor* a = Make(0, 0);
        a->Blink(c.count, c.shown, c.hidden);
        EXPECT_EQ(CountPhaseChanges(a, c.frames, c.dt), c.changes);
        EXPECT_EQ(a->IsBlinking(), c.blinking);
        EXPECT_EQ(a->IsHidden(), c.hiddenAtEnd);
    }
    Actor* a = Make(0, 0);
    a->Blink(0, 5, 5);
    scene.Suspend(0);
    EXPECT_EQ(CountPhaseChanges(a, 10, 5), 0);
    scene.Resume();
    EXPECT_EQ(CountPhaseChanges(a, 1, 5), 1);
    a->StopBlink();
    EXPECT_EQ(CountPhaseChanges(a, 5, 5), 0);
    EXPECT_TRUE(a->IsHidden());
    a->Show();
    a->Blink(0, 5, 5);
    a->Hide();
    EXPECT_FALSE(a->IsBlinking());
    EXPECT_TRUE(a->IsHidden());
}

TEST_F(ActorTest, GlideMovesTheMajorAxisAtSpeedAndSnapsOntoTheTarget)
{
    const struct {
        int32_t toX, toY, speed, vx, vy;
    } cases[] = {{-40, 20, 20 * kPixel, -20 * kPixel, 10 * kPixel}, {1, 0, 100000, 100000, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toX);
        Actor* a = Make(0, 0);
        a->StartMotion();
        a->GlideTo(c.toX * kPixel, c.toY * kPixel, c.speed);
        EXPECT_EQ(std::pair(a->GetVX(), a->GetVY()), std::pair(c.vx, c.vy));
        for (int i = 0; i < 200 && a->IsGliding(); ++i)
            a->Update(25);
        EXPECT_TRUE(a->HasArrived());
        EXPECT_EQ(std::pair(a->GetX(), a->GetY()), std::pair(c.toX * kPixel, c.toY * kPixel));
        EXPECT_EQ(a->GetVX(), 0);
        a->Restart(0, 0);
        EXPECT_FALSE(a->HasArrived());
    }
}

TEST_F(ActorTest, EdgesClampAtTheSceneBoundsAndPixelZeroOffscreenKillsAndDepthRepaintsOnlyOnReorderOrAsked)
{
    Actor* a = Make(85, 88);
    a->fFreeRight = 0;
    a->fFreeBottom = 0;
    a->MoveBy(20 * kPixel, 20 * kPixel, 0);
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
    EXPECT_EQ(b->nBoundsUpdates, repaints) << "a move clamped to nothing does not repaint";
    Actor* c = Make(0, 0);
    c->fKillOffscreen = 1;
    c->MoveBy(-50 * kPixel, 0, 0);
    EXPECT_FALSE(c->IsDead());
    c->MoveBy(-kPixel, 0, 0);
    EXPECT_TRUE(c->IsDead());
    EXPECT_EQ(c->GetCollideClass(), 2) << "a killed actor collides with nothing";
    Actor* d = Make(0, 0, 300);
    const int32_t before = d->nBoundsUpdates;
    d->MoveToZ(350);
    EXPECT_EQ(d->nBoundsUpdates, before) << "no reorder, no repaint";
    d->fRedrawOnDepth = 1;
    d->MoveToZ(360);
    EXPECT_EQ(d->nBoundsUpdates, before + 1);
}

TEST_F(ActorTest, VelocityMovesPerTickOnceStartedAndSettersKeepTheirAxes)
{
    Actor* a = Make(0, 0);
    a->SetVelocity(256 * kPixel, -128 * kPixel, 0);
    a->Update(10);
    EXPECT_EQ(a->GetX(), 0) << "no motion until started";
    a->StartMotion();
    a->Update(10);
    EXPECT_EQ(std::pair(a->GetX(), a->GetY()), std::pair(10 * kPixel, -5 * kPixel));
    a->SetVelocityZ(77);
    a->SetVelocityX(5);
    EXPECT_EQ(a->GetVY(), -128 * kPixel);
    const int32_t add[3] = {1, 2, 3};
    a->AddVelocityV(add);
    EXPECT_EQ(a->GetVX(), 6);
    EXPECT_EQ(a->GetVZ(), 3) << "setting x clears z";
}

} // namespace
