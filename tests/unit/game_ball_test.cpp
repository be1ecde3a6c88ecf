// The ball's physics on small synthetic meshes, with a host standing in for
// the game, and on the archive's real board and frame meshes.
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <memory>
#include "base/MouseEvent.h"
#include "game/ALeanBall.h"
#include "game_fakes.h"

namespace {

using gamefakes::Boxes;

constexpr int kStep = ALeanBall::kStepTicks;
constexpr float kT = kStep / 256.0f;

// Volume factor of a sound whose amplitude is level times the full one:
// SetVolume gives 100 dB a unit.
float VolumeOfLevel(float level) { return 1.0f + 20.0f * std::log10(level) / 100.0f; }

// Runs the ball for the given ticks in frames of the given length (the last one shorter).
void RunTicks(ALeanBall* ball, int ticks, int frame)
{
    for (; ticks > 0; ticks -= frame)
        ball->Update(std::min(ticks, frame));
}

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

TEST_F(BallTest, RestsOnALevelBoardWithoutMoving)
{
    for (int i = 0; i < 50; ++i)
        ball->Update(kStep);
    EXPECT_FLOAT_EQ(ball->GetX(), -4.35f);
    EXPECT_FLOAT_EQ(ball->GetY(), 4.38f);
    EXPECT_FLOAT_EQ(ball->GetZ(), -1.3f - 0.45f);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_FLOAT_EQ(Roll().fVolume, 0.0f);
    EXPECT_EQ(ball->TicksToNextChange(), CScene::NoChange) << "the loop may wait for input";
    host.aX = 0.001f;
    EXPECT_EQ(ball->TicksToNextChange(), 0) << "a lean below the dead zone still asks for every frame";
}

TEST_F(BallTest, FramesRunWholeStepsAndCarryTheRestOfTheirTicks)
{
    host.aX = 0.1f;
    for (int i = 0; i < 10; ++i)
        ball->Update(0);
    ball->Update(kStep - 1);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_FLOAT_EQ(ball->GetX(), -4.35f);
    ball->Update(1);
    EXPECT_NEAR(ball->GetVX(), 0.078125f, 1e-7f); // full lean, first step
    EXPECT_NEAR(ball->GetX(), -4.35f + 0.078125f * kT, 1e-6f);
    EXPECT_NEAR(Roll().fVolume, VolumeOfLevel(0.078125f / 6.0f), 1e-5f);
    ball->Update(25); // six steps, one tick carried
    EXPECT_NEAR(ball->GetVX(), 7 * 0.078125f, 1e-6f);
    ball->Update(kStep - 1);
    EXPECT_NEAR(ball->GetVX(), 8 * 0.078125f, 1e-6f);
}

TEST_F(BallTest, RollHeardAtEverySpeedAndFullAtSixUnitsASecond)
{
    // Loudness in decibels follows 20·log10 of speed / 6.
    const float speeds[] = {0.03f, 0.5f, 2.0f, 6.0f, 9.0f};
    for (float speed : speeds) {
        ball->Place(0.0f, 0.0f, 0.0f, speed, 0.0f);
        ball->Update(kStep);
        EXPECT_NEAR(Roll().fVolume, VolumeOfLevel(std::min(speed, 6.0f) / 6.0f), 1e-5f) << speed;
        EXPECT_GT(Roll().fVolume, 0.0f) << speed;
    }
    ball->Place(0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    ball->Update(kStep);
    EXPECT_EQ(Roll().fVolume, 0.0f);
}

TEST_F(BallTest, DrawnBetweenTheLastTwoStepsByTheCarriedTicks)
{
    const float stride = 1.0f * kT; // each step at vx 1
    const float turn = -stride / 0.3f; // about y
    for (int frame : {1, 3, 7, 25}) {
        ball->Restart(0, 1); // no ticks carried over
        ball->Place(0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
        for (int ticks = frame; ticks <= 60; ticks += frame) {
            ball->Update(frame);
            const int steps = ticks / kStep;
            if (steps == 0)
                continue;
            const float last = float(steps - 1) * stride, now = float(steps) * stride;
            const float drawn = ball->GetDrawnPosition().x;
            EXPECT_EQ(ball->GetX(), now) << frame << " " << ticks;
            EXPECT_LE(last, drawn);
            EXPECT_LT(drawn, now);
            const float share = float(ticks % kStep) / kStep;
            EXPECT_FLOAT_EQ(drawn, last + stride * share) << frame << " " << ticks;
            EXPECT_NEAR(ball->GetWorld()(0, 0), std::cos((float(steps - 1) + share) * turn), 1e-5f);
        }
    }
}

TEST_F(BallTest, AxisWallStopsPushesBackAndBumpsAtItsSpeedOnlyWhenFastAndNotOverlapping)
{
    WallAt(0.25f);
    ball->Place(0.0f, 0.0f, 0.0f, 2.0f, 0.0f);
    ball->Update(kStep);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_NEAR(0.25f - ball->GetX(), 0.299f, 1e-5f);
    EXPECT_EQ(Bump().nPlays, 1);
    EXPECT_NEAR(Bump().fVolume, VolumeOfLevel(2.0f / 6.0f), 1e-5f);
    ball->Place(0.0f, 0.0f, 0.0f, 0.9f, 0.0f);
    ball->Update(kStep);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_EQ(Bump().nPlays, 1) << "slow contacts are silent";
    Bump().fPlaying = true;
    ball->Place(0.0f, 0.0f, 0.0f, 3.0f, 0.0f);
    ball->Update(kStep);
    EXPECT_EQ(Bump().nPlays, 1) << "bumps do not overlap";
    ball->Place(0.0f, 0.0f, 0.0f, -2.0f, 0.0f);
    ball->Update(kStep);
    EXPECT_FLOAT_EQ(ball->GetVX(), -2.0f) << "walls behind the motion are not tested";
    EXPECT_NEAR(ball->GetX(), -2.0f * kT, 1e-6f);
}

TEST_F(BallTest, LeanShortensTheWallReachAndThePushBack)
{
    WallAt(0.25f);
    host.aX = 0.05f;
    ball->Place(0.0f, 0.0f, 0.0f, 2.0f, 0.0f);
    ball->Update(kStep);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_NEAR(0.25f - ball->GetX(), 0.299f - 0.3f * 0.05f, 1e-5f);
    // Leaning into the wall, a ball 0.29 away is out of reach (0.3 - 0.3·0.1 = 0.27).
    host.aX = 0.1f;
    ball->Place(-0.04f, 0.0f, 0.0f, 0.0f, 0.0f);
    ball->Update(kStep);
    EXPECT_GT(ball->GetVX(), 0.0f);
}

TEST_F(BallTest, TopSpeedInFramesOfTwentyFiveTicksStopsOnTheNearSideOfAWall)
{
    WallAt(0.25f); // 0.2 thick
    host.aX = 0.1f; // leaning into it: the shortest reach
    for (float gap = 0.28f; gap < 0.4f; gap += 0.01f) {
        ball->Place(0.25f - gap, 0.0f, 0.0f, 6.8f, 0.0f);
        for (int frame = 0; frame < 4; ++frame) {
            ball->Update(25);
            ASSERT_LT(ball->GetX(), 0.25f) << gap << " " << frame;
        }
        EXPECT_EQ(ball->GetVX(), 0.0f) << gap;
        EXPECT_NEAR(0.25f - ball->GetX(), 0.299f - 0.03f, 1e-5f) << gap;
    }
}

TEST_F(BallTest, WallOnTheMinusYSideStopsAFallingBall)
{
    frame = Boxes().Add(-5.0f, -0.45f, -0.6f, 5.0f, -0.25f, -0.15f).Build();
    host.pFrameMesh = frame.get();
    host.aY = -0.1f;
    ball->Place(0.0f, 0.0f, 0.0f, 0.0f, -1.5f);
    ball->Update(kStep);
    EXPECT_EQ(ball->GetVY(), 0.0f);
    EXPECT_NEAR(ball->GetY() + 0.25f, 0.299f - 0.03f, 1e-5f);
    EXPECT_NEAR(Bump().fVolume, VolumeOfLevel((1.5f + 0.078125f) / 6.0f), 1e-5f);
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

TEST_F(CornerTest, SlowApproachStopsFastOneBouncesBackAtAThirdMovingAwayIsLeftAlone)
{
    struct Case {
        float v, after;
        int bumps;
    };
    for (const Case& c : {Case{0.05f, 0.0f, 0}, Case{2.0f, -0.6f, 1}, Case{-2.0f, -2.0f, 0}}) {
        Bump().nPlays = 0;
        ball->Place(0.0f, 0.0f, 0.0f, c.v, c.v);
        ball->Update(kStep);
        EXPECT_NEAR(ball->GetVX(), c.after, 1e-6f) << c.v;
        EXPECT_NEAR(ball->GetVY(), c.after, 1e-6f) << c.v;
        EXPECT_NEAR(ball->GetX(), c.after * kT, 1e-6f) << c.v;
        EXPECT_EQ(Bump().nPlays, c.bumps) << c.v;
    }
    EXPECT_NEAR(Bump().fVolume, VolumeOfLevel(1.2f / 6.0f), 1e-5f) << "bumps after the change";
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
    ball->Update(kStep);
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
    ball->Update(kStep);
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
    ball->Update(kStep);
    EXPECT_FALSE(ball->IsPulled());
    EXPECT_FALSE(ball->IsFalling());
}

TEST_F(BallTest, FallRunsFromRestHeightToTheTrayWithOneEndAndOneSoundEach)
{
    board = Quadrants(0);
    host.pBoardMesh = board.get();
    ball->Place(0.0f, 0.0f, -1.75f, 0.0f, 0.0f);
    // z = -1.75 + 7·t each step: 0.8 is passed at the 24th.
    for (int i = 1; i <= 23; ++i) {
        ball->Update(kStep);
        ASSERT_TRUE(ball->IsFalling()) << i;
        EXPECT_NEAR(ball->GetZ(), -1.75f + 7.0f * kT * float(i), 1e-5f);
        EXPECT_EQ(host.nEnds, 0);
    }
    EXPECT_FALSE(ball->CastsShadow());
    EXPECT_EQ(host.nFalls, 1);
    EXPECT_EQ(DropStart().nPlays, 1);
    EXPECT_FLOAT_EQ(Roll().fVolume, 0.0f);
    ball->Update(kStep);
    EXPECT_FALSE(ball->IsFalling());
    EXPECT_FLOAT_EQ(ball->GetZ(), 0.8f);
    EXPECT_EQ(host.nEnds, 1);
    EXPECT_EQ(host.nLastEnd, 0);
    EXPECT_EQ(DropEnd().nPlays, 1);
    for (int i = 0; i < 20; ++i)
        ball->Update(kStep);
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
        ball->Update(kStep);
    EXPECT_EQ(ball->GetX(), 0.0f);
    EXPECT_EQ(ball->GetY(), 0.0f);
    EXPECT_EQ(ball->GetZ(), 0.5f);
    EXPECT_FALSE(ball->IsPulled());
    EXPECT_EQ(host.nFalls, 0);
}

TEST_F(BallTest, GoalAreaReportsEveryStep)
{
    ball->Place(-0.7f + 0.19f, -2.0f - 0.19f, 0.0f, 0.0f, 0.0f);
    for (int i = 0; i < 3; ++i)
        ball->Update(kStep);
    EXPECT_EQ(host.rgnGoals, (std::vector<int>{0, 0, 0}));
    ball->Place(-0.7f + 0.21f, -2.0f, 0.0f, 0.0f, 0.0f);
    ball->Update(kStep);
    EXPECT_EQ(host.rgnGoals.size(), 3u);
}

TEST_F(BallTest, RestartPutsTheBallBackWithoutStartingTheRollAgain)
{
    board = Quadrants(0);
    host.pBoardMesh = board.get();
    ball->Place(1.0f, 1.0f, -1.75f, 0.0f, 0.0f);
    ball->Update(kStep);
    ASSERT_TRUE(ball->IsFalling());
    ball->Update(kStep - 1);
    ball->Restart(0, 1);
    EXPECT_FALSE(ball->IsFalling());
    EXPECT_FALSE(ball->IsPulled());
    EXPECT_TRUE(ball->CastsShadow());
    EXPECT_FLOAT_EQ(ball->GetX(), -4.35f);
    EXPECT_FLOAT_EQ(ball->GetY(), 4.38f);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    EXPECT_EQ(Roll().nPlays, 1);
    EXPECT_TRUE(Roll().fLooped);
    EXPECT_FLOAT_EQ(Roll().fVolume, 0.0f);
    ball->Update(1); // no ticks were carried over: no step, no fall
    EXPECT_FALSE(ball->IsFalling());
    // A new fall sounds its drop again.
    ball->Place(1.0f, 1.0f, -1.75f, 0.0f, 0.0f);
    ball->Update(kStep);
    EXPECT_EQ(DropStart().nPlays, 2);
}

TEST_F(BallTest, LeftButtonsLeanUnlessTheBallIsHiddenOrTheMouseLocked)
{
    const MouseEvent down{MouseEvent::LeftDown, 10, 10};
    EXPECT_TRUE(ball->WantsMouse(&down));
    host.fMouseLocked = true;
    EXPECT_FALSE(ball->WantsMouse(&down));
    host.fMouseLocked = false;
    ball->Hide();
    EXPECT_FALSE(ball->WantsMouse(&down));
}

// The archive's board and frame meshes (entries 10 and 11), leaned from the cursor.
class FrameLengths : public testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite()
    {
        CFileMM archive;
        archive.Open(FileSpec(RVX_RUN_DIR, "RollavexAssets.mm"), 2);
        ASSERT_EQ(ALeanBoard::LoadAssets(&archive), 0);
    }
    static void TearDownTestSuite() { ALeanBoard::UnloadAssets(); }
    void SetUp() override
    {
        ball = gamefakes::PlaceMaze(host, screen);
        board = host.pBoard;
    }
    // A new game leaned by (px, py) from the press point.
    void NewGame(int px, int py)
    {
        ball->Restart(0, 1);
        board->Restart(0, 1);
        host.nFalls = host.nEnds = 0;
        host.fLost = false;
        board->BeginLean(0, 0);
        board->LeanTo(400 + px, 300 + py);
    }

    gamefakes::Screen screen;
    gamefakes::Host host{&screen};
    ALeanBoard* board = nullptr;
    ALeanBall* ball = nullptr;
};

TEST_P(FrameLengths, SameLeanForTheSameTicksGivesTheSameBall)
{
    struct State {
        float x, y, z, vx, vy;
        MMatrix orient;
        bool pulled, falling;
        int falls;
    };
    auto runIn = [&](int frame) {
        NewGame(70, 60);
        RunTicks(ball, 1600, frame);
        return State{ball->GetX(), ball->GetY(), ball->GetZ(), ball->GetVX(), ball->GetVY(),
                     ball->GetOrientation(), ball->IsPulled(), ball->IsFalling(), host.nFalls};
    };
    const State steps = runIn(kStep);
    const State frames = runIn(GetParam());
    EXPECT_EQ(frames.x, steps.x);
    EXPECT_EQ(frames.y, steps.y);
    EXPECT_EQ(frames.z, steps.z);
    EXPECT_EQ(frames.vx, steps.vx);
    EXPECT_EQ(frames.vy, steps.vy);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(frames.orient(r, c), steps.orient(r, c));
    EXPECT_EQ(frames.pulled, steps.pulled);
    EXPECT_EQ(frames.falling, steps.falling);
    EXPECT_EQ(frames.falls, steps.falls);
}

// The lean in pixels that first moves a ball at rest within a quarter second.
TEST_P(FrameLengths, SmallestLeanThatStartsTheBallIsTheSameAsInSteps)
{
    auto smallestIn = [&](int frame) {
        for (int px = 1; px <= 100; ++px) {
            NewGame(px, 0);
            RunTicks(ball, 64, frame);
            if (ball->GetX() != -4.35f)
                return px;
        }
        return 0;
    };
    const int steps = smallestIn(kStep);
    EXPECT_GT(steps, 0);
    EXPECT_EQ(smallestIn(GetParam()), steps);
}

INSTANTIATE_TEST_SUITE_P(OneToTwentyFiveTicks, FrameLengths, testing::Values(1, 2, 3, 7, 16, 25));

} // namespace
