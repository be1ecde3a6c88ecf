// The ball's physics on small synthetic meshes, with a host standing in for the game.
#include <gtest/gtest.h>
#include <cmath>
#include <memory>
#include "base/MouseEvent.h"
#include "game/ALeanBall.h"
#include "game_fakes.h"

namespace {

using gamefakes::Boxes;

constexpr int kFrame = 16; // ticks: a sixteenth of a second
constexpr float kT = kFrame / 256.0f;

class BallTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (auto& sound : sounds)
            sound = new gamefakes::Sound();
        ALeanBall::AdoptSounds(sounds[0], sounds[1], sounds[2], sounds[3]);
        ball = new ALeanBall(&host, MMatrix());
    }
    void TearDown() override { ALeanBall::UnloadAssets(); }

    gamefakes::Sound& Roll() { return *sounds[ALeanBall::RollSound]; }
    gamefakes::Sound& DropStart() { return *sounds[ALeanBall::DropStart]; }
    gamefakes::Sound& DropEnd() { return *sounds[ALeanBall::DropEnd]; }
    gamefakes::Sound& Bump() { return *sounds[ALeanBall::Bump]; }

    // A wall face at x = wallX, tall enough for the probes at z = -0.2.
    void WallAt(float wallX)
    {
        frame = Boxes().Add(wallX, -5.0f, -0.6f, wallX + 0.2f, 5.0f, -0.15f).Build();
        host.pFrameMesh = frame.get();
    }

    gamefakes::Host host;
    gamefakes::Sound* sounds[4] = {};
    ALeanBall* ball = nullptr; // the host's actor
    std::unique_ptr<MMesh> frame;
    std::unique_ptr<MMesh> board;
};

TEST_F(BallTest, StartsAtTheStartWithTheRollSoundLoopingSilently)
{
    EXPECT_FLOAT_EQ(ball->GetX(), -4.35f);
    EXPECT_FLOAT_EQ(ball->GetY(), 4.38f);
    EXPECT_FLOAT_EQ(ball->GetZ(), 0.0f);
    EXPECT_TRUE(ball->CastsShadow());
    EXPECT_EQ(Roll().nPlays, 1);
    EXPECT_TRUE(Roll().fLooped);
    EXPECT_FLOAT_EQ(Roll().fVolume, 0.0f);
}

TEST_F(BallTest, RestsOnALevelBoardWithoutMoving)
{
    for (int i = 0; i < 50; ++i)
        ball->Update(kFrame);
    EXPECT_FLOAT_EQ(ball->GetX(), -4.35f);
    EXPECT_FLOAT_EQ(ball->GetY(), 4.38f);
    EXPECT_FLOAT_EQ(ball->GetZ(), -1.3f - 0.45f);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_FLOAT_EQ(Roll().fVolume, 0.0f);
    EXPECT_EQ(ball->TicksToNextChange(), CScene::NoChange) << "the loop may wait for input";
    host.aX = 0.001f;
    EXPECT_EQ(ball->TicksToNextChange(), 0) << "a lean below the dead zone still asks for every frame";
}

TEST_F(BallTest, FullLeanGivesAFirstFrameSpeedOfZeroPoint3125)
{
    host.aX = 0.1f;
    ball->Update(kFrame);
    EXPECT_NEAR(ball->GetVX(), 0.3125f, 1e-6f);
    EXPECT_EQ(ball->GetVY(), 0.0f);
    EXPECT_NEAR(ball->GetX(), -4.35f + 0.3125f * kT, 1e-6f);
    EXPECT_NEAR(Roll().fVolume, 0.3125f / 6.0f, 1e-6f);
    ball->Update(kFrame);
    EXPECT_NEAR(ball->GetVX(), 0.625f, 1e-6f);
}

TEST_F(BallTest, DeadZoneHoldsSmallLeansDependingOnTheFrameLength)
{
    host.aY = -0.007f; // 0.021875 a frame of 16 ticks, 0.0342 a frame of 25
    for (int i = 0; i < 10; ++i)
        ball->Update(kFrame);
    EXPECT_EQ(ball->GetVY(), 0.0f);
    EXPECT_FLOAT_EQ(ball->GetY(), 4.38f);
    ball->Update(25);
    EXPECT_NEAR(ball->GetVY(), -0.007f * 25 / 256.0f * 50, 1e-6f);
}

TEST_F(BallTest, RollingTurnsTheBallByItsDistanceOverItsRadius)
{
    ball->Update(kFrame);
    EXPECT_FLOAT_EQ(ball->GetWorld()(0, 0), 1.0f);
    ball->Place(0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    ball->Update(kFrame);
    // About y by -(t·vx)/0.3.
    const float angle = -kT * 1.0f / 0.3f;
    EXPECT_NEAR(ball->GetWorld()(0, 0), std::cos(angle), 1e-5f);
    EXPECT_NEAR(std::fabs(ball->GetWorld()(0, 2)), std::fabs(std::sin(angle)), 1e-5f);
    EXPECT_NEAR(ball->GetWorld()(3, 0), kT, 1e-6f);
}

TEST_F(BallTest, AxisWallStopsThePushesBackAndBumpsAtItsSpeed)
{
    WallAt(0.25f);
    ball->Place(0.0f, 0.0f, 0.0f, 2.0f, 0.0f);
    ball->Update(kFrame);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_NEAR(0.25f - ball->GetX(), 0.299f, 1e-5f);
    EXPECT_EQ(Bump().nPlays, 1);
    EXPECT_NEAR(Bump().fVolume, 2.0f / 6.0f, 1e-6f);
}

TEST_F(BallTest, LeanShortensTheWallReachAndThePushBack)
{
    WallAt(0.25f);
    host.aX = 0.05f;
    ball->Place(0.0f, 0.0f, 0.0f, 2.0f, 0.0f);
    ball->Update(kFrame);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_NEAR(0.25f - ball->GetX(), 0.299f - 0.3f * 0.05f, 1e-5f);
    // Leaning into the wall, a ball 0.29 away is out of reach (0.3 - 0.3·0.1 = 0.27).
    host.aX = 0.1f;
    ball->Place(-0.04f, 0.0f, 0.0f, 0.0f, 0.0f);
    ball->Update(kFrame);
    EXPECT_GT(ball->GetVX(), 0.0f);
}

TEST_F(BallTest, SlowWallContactsAreSilentAndBumpsDoNotOverlap)
{
    WallAt(0.25f);
    ball->Place(0.0f, 0.0f, 0.0f, 0.9f, 0.0f);
    ball->Update(kFrame);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_EQ(Bump().nPlays, 0);
    Bump().fPlaying = true;
    ball->Place(0.0f, 0.0f, 0.0f, 3.0f, 0.0f);
    ball->Update(kFrame);
    EXPECT_EQ(Bump().nPlays, 0);
}

TEST_F(BallTest, WallsBehindTheMotionAreNotTested)
{
    WallAt(0.25f);
    ball->Place(0.0f, 0.0f, 0.0f, -2.0f, 0.0f);
    ball->Update(kFrame);
    EXPECT_FLOAT_EQ(ball->GetVX(), -2.0f);
    EXPECT_NEAR(ball->GetX(), -2.0f * kT, 1e-6f);
}

TEST_F(BallTest, WallOnTheMinusYSideStopsAFallingBall)
{
    frame = Boxes().Add(-5.0f, -0.45f, -0.6f, 5.0f, -0.25f, -0.15f).Build();
    host.pFrameMesh = frame.get();
    host.aY = -0.1f;
    ball->Place(0.0f, 0.0f, 0.0f, 0.0f, -1.5f);
    ball->Update(kFrame);
    EXPECT_EQ(ball->GetVY(), 0.0f);
    EXPECT_NEAR(ball->GetY() + 0.25f, 0.299f - 0.03f, 1e-5f);
    EXPECT_NEAR(Bump().fVolume, (1.5f + 0.3125f) / 6.0f, 1e-5f);
}

// A post on the diagonal towards (+x, +y), out of reach of every other probe.
class CornerTest : public BallTest {
protected:
    void SetUp() override
    {
        BallTest::SetUp();
        const float c = 0.25f * 0.7071f + 0.02f;
        frame = Boxes().Add(c - 0.02f, c - 0.02f, -0.6f, c + 0.02f, c + 0.02f, -0.15f).Build();
        host.pFrameMesh = frame.get();
    }
};

TEST_F(CornerTest, SlowApproachStopsInsteadOfBouncing)
{
    ball->Place(0.0f, 0.0f, 0.0f, 0.05f, 0.05f);
    ball->Update(kFrame);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_EQ(ball->GetVY(), 0.0f);
    EXPECT_EQ(ball->GetX(), 0.0f);
    EXPECT_EQ(Bump().nPlays, 0);
}

TEST_F(CornerTest, FastApproachBouncesBackAtAThirdAndBumpsAfterTheChange)
{
    ball->Place(0.0f, 0.0f, 0.0f, 2.0f, 2.0f);
    ball->Update(kFrame);
    EXPECT_NEAR(ball->GetVX(), -0.6f, 1e-6f);
    EXPECT_NEAR(ball->GetVY(), -0.6f, 1e-6f);
    EXPECT_NEAR(ball->GetX(), -0.6f * kT, 1e-6f);
    EXPECT_EQ(Bump().nPlays, 1);
    EXPECT_NEAR(Bump().fVolume, 1.2f / 6.0f, 1e-6f);
}

TEST_F(CornerTest, MovingAwayFromTheCornerLeavesItAlone)
{
    ball->Place(0.0f, 0.0f, 0.0f, -2.0f, -2.0f);
    ball->Update(kFrame);
    EXPECT_FLOAT_EQ(ball->GetVX(), -2.0f);
    EXPECT_FLOAT_EQ(ball->GetVY(), -2.0f);
}

TEST(BallCornerSlide, MostlyXRaySlidesYAndBouncesX)
{
    gamefakes::Host host;
    ALeanBall* ball = new ALeanBall(&host, MMatrix());
    // On the ray (0.924, 0.383), not on the diagonal nor the x axis.
    const float cx = 0.26f * 0.924f, cy = 0.26f * 0.383f;
    auto frame = Boxes().Add(cx - 0.015f, cy - 0.015f, -0.6f, cx + 0.015f, cy + 0.015f, -0.15f).Build();
    host.pFrameMesh = frame.get();
    ball->Place(0.0f, 0.0f, 0.0f, 1.0f, 0.5f);
    ball->Update(kFrame);
    EXPECT_NEAR(ball->GetVX(), -0.3f, 1e-6f);
    EXPECT_NEAR(ball->GetVY(), 0.15f, 1e-6f);
}

// The board under the ball: the quadrants whose probe should hit, with a gap
// at the centre so the centre ray misses.
std::unique_ptr<MMesh> Quadrants(unsigned hitMask)
{
    static constexpr float kSign[4][2] = {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
    Boxes boxes;
    for (int i = 0; i < 4; ++i) {
        if (hitMask & (1u << i))
            boxes.AddTile(kSign[i][0] * 0.5f, kSign[i][1] * 0.5f, 0.45f, 0.0f);
    }
    // Far away, so a board with no quadrant still is a mesh.
    boxes.AddTile(50.0f, 50.0f, 0.1f, 0.0f);
    return boxes.Build();
}

struct PullCase {
    unsigned misses; // bit i: probe i misses; probes (+,+), (+,-), (-,-), (-,+)
    float vx, vy;
};

class HolePull : public BallTest, public testing::WithParamInterface<PullCase> {};

TEST_P(HolePull, VelocityPointsTowardsTheMissingProbes)
{
    const PullCase& c = GetParam();
    board = Quadrants(~c.misses & 0xF);
    host.pBoardMesh = board.get();
    host.aX = 0.1f; // the lean does not count while pulled
    ball->Place(0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    ball->Update(kFrame);
    EXPECT_TRUE(ball->IsPulled());
    EXPECT_FALSE(ball->IsFalling());
    EXPECT_EQ(ball->GetVX(), c.vx);
    EXPECT_EQ(ball->GetVY(), c.vy);
    EXPECT_NEAR(ball->GetX(), c.vx * kT, 1e-6f);
}

INSTANTIATE_TEST_SUITE_P(AllCombinations, HolePull,
                         testing::Values(PullCase{0x0, -3, 3}, PullCase{0x1, 3, 3}, PullCase{0x2, 3, -3},
                                         PullCase{0x4, -3, -3}, PullCase{0x8, -3, 3}, PullCase{0x3, 3, 0},
                                         PullCase{0x6, 0, -3}, PullCase{0xC, -3, 0}, PullCase{0x9, 0, 3},
                                         PullCase{0x5, 0, 3}, PullCase{0xA, 0, 3}, PullCase{0xE, -3, -3},
                                         PullCase{0xD, -3, 3}, PullCase{0xB, 3, 3}, PullCase{0x7, 3, -3}));

TEST_F(BallTest, OverTheBoardNothingPulls)
{
    board = Boxes().AddTile(0.0f, 0.0f, 2.0f, 0.0f).Build();
    host.pBoardMesh = board.get();
    ball->Place(0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    ball->Update(kFrame);
    EXPECT_FALSE(ball->IsPulled());
    EXPECT_FALSE(ball->IsFalling());
}

TEST_F(BallTest, FallRunsFromRestHeightToTheTrayWithOneEndAndOneSoundEach)
{
    board = Quadrants(0);
    host.pBoardMesh = board.get();
    ball->Place(0.0f, 0.0f, -1.75f, 0.0f, 0.0f);
    // z = -1.75 + 7·t each frame of a sixteenth: 0.8 is passed at the sixth.
    for (int i = 1; i <= 5; ++i) {
        ball->Update(kFrame);
        ASSERT_TRUE(ball->IsFalling()) << i;
        EXPECT_NEAR(ball->GetZ(), -1.75f + 7.0f * kT * float(i), 1e-5f);
        EXPECT_EQ(host.nEnds, 0);
    }
    EXPECT_FALSE(ball->CastsShadow());
    EXPECT_EQ(host.nFalls, 1);
    EXPECT_EQ(DropStart().nPlays, 1);
    EXPECT_FLOAT_EQ(Roll().fVolume, 0.0f);
    ball->Update(kFrame);
    EXPECT_FALSE(ball->IsFalling());
    EXPECT_FLOAT_EQ(ball->GetZ(), 0.8f);
    EXPECT_EQ(host.nEnds, 1);
    EXPECT_EQ(host.nLastEnd, 0);
    EXPECT_EQ(DropEnd().nPlays, 1);
    for (int i = 0; i < 20; ++i)
        ball->Update(kFrame);
    EXPECT_EQ(host.nEnds, 1);
    EXPECT_EQ(host.nFalls, 1);
    EXPECT_EQ(DropStart().nPlays, 1);
    EXPECT_EQ(DropEnd().nPlays, 1);
    EXPECT_FLOAT_EQ(ball->GetZ(), 0.8f);
}

TEST_F(BallTest, LostPlayerIgnoresTheLeanAndTheHoles)
{
    board = Quadrants(0);
    host.pBoardMesh = board.get();
    host.fLost = true;
    host.aX = 0.1f;
    host.aY = 0.1f;
    ball->Place(0.0f, 0.0f, 0.5f, 0.0f, 0.0f);
    for (int i = 0; i < 10; ++i)
        ball->Update(kFrame);
    EXPECT_EQ(ball->GetX(), 0.0f);
    EXPECT_EQ(ball->GetY(), 0.0f);
    EXPECT_EQ(ball->GetZ(), 0.5f);
    EXPECT_FALSE(ball->IsPulled());
    EXPECT_EQ(host.nFalls, 0);
}

TEST_F(BallTest, GoalAreaReportsEveryFrame)
{
    ball->Place(-0.7f + 0.19f, -2.0f - 0.19f, 0.0f, 0.0f, 0.0f);
    for (int i = 0; i < 3; ++i)
        ball->Update(kFrame);
    EXPECT_EQ(host.rgnGoals, (std::vector<int>{0, 0, 0}));
    ball->Place(-0.7f + 0.21f, -2.0f, 0.0f, 0.0f, 0.0f);
    ball->Update(kFrame);
    EXPECT_EQ(host.rgnGoals.size(), 3u);
}

TEST_F(BallTest, RestartPutsTheBallBackWithoutStartingTheRollAgain)
{
    board = Quadrants(0);
    host.pBoardMesh = board.get();
    ball->Place(1.0f, 1.0f, -1.75f, 0.0f, 0.0f);
    ball->Update(kFrame);
    ASSERT_TRUE(ball->IsFalling());
    ball->Restart(0, 1);
    EXPECT_FALSE(ball->IsFalling());
    EXPECT_FALSE(ball->IsPulled());
    EXPECT_TRUE(ball->CastsShadow());
    EXPECT_FLOAT_EQ(ball->GetX(), -4.35f);
    EXPECT_FLOAT_EQ(ball->GetY(), 4.38f);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_EQ(Roll().nPlays, 1);
    EXPECT_FLOAT_EQ(Roll().fVolume, 0.0f);
    // A new fall sounds its drop again.
    ball->Place(1.0f, 1.0f, -1.75f, 0.0f, 0.0f);
    ball->Update(kFrame);
    EXPECT_EQ(DropStart().nPlays, 2);
}

TEST_F(BallTest, MouseFilterTakesLeftButtonsUnlessHiddenOrLocked)
{
    MouseEvent down{MouseEvent::LeftDown, 10, 10};
    MouseEvent up{MouseEvent::LeftUp, 10, 10};
    MouseEvent right{MouseEvent::RightDown, 10, 10};
    MouseEvent move{MouseEvent::Move, 10, 10};
    EXPECT_TRUE(ball->WantsMouse(&down));
    EXPECT_TRUE(ball->WantsMouse(&up));
    EXPECT_FALSE(ball->WantsMouse(&right));
    EXPECT_FALSE(ball->WantsMouse(&move));
    host.fMouseLocked = true;
    EXPECT_FALSE(ball->WantsMouse(&down));
    host.fMouseLocked = false;
    ball->Hide();
    EXPECT_FALSE(ball->WantsMouse(&down));
}

} // namespace
