// The ball's physics on small synthetic meshes, with a host standing in for
// the game.
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>
#include "base/MouseEvent.h"
#include "game/maze/ALeanBall.h"
#include "game_fakes.h"

namespace {

using gamefakes::Boxes;

constexpr int kStep = ALeanBall::kStepTicks;
constexpr float kT = kStep / 256.0f;
constexpr float kFirstStep = 0.078125f; // the speed a full lean gives in one step

// Volume factor of a sound whose amplitude is level times the full one:
// SetVolume gives 100 dB a unit.
float VolumeOfLevel(float level) { return 1.0f + 20.0f * std::log10(level) / 100.0f; }

class BallTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (auto& sound : sounds)
            sound = new gamefakes::Sound();
        ALeanBall::AdoptSounds(sounds[0], sounds[1], sounds[2], sounds[3]);
        ball = new ALeanBall(&host, MMatrix());
        ball->SetCourse(gamefakes::kMazeOne);
        ball->Restart(0, 0);
    }
    void TearDown() override { ALeanBall::UnloadAssets(); }

    gamefakes::Sound& Sound(ALeanBall::Sound which) { return *sounds[which]; }
    void UseFrame(const Boxes& boxes)
    {
        frame = boxes.Build();
        host.pFrameMesh = frame.get();
    }
    // The board under the ball: the quadrants (+,+), (+,-), (-,-), (-,+) in
    // hitMask, with a gap at the centre so the centre ray misses.
    void UseQuadrants(unsigned hitMask)
    {
        static constexpr float kSign[4][2] = {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
        Boxes boxes;
        boxes.AddTile(50.0f, 50.0f, 0.1f, 0.0f); // far away: never an empty mesh
        for (int i = 0; i < 4; ++i)
            if (hitMask & (1u << i))
                boxes.AddTile(kSign[i][0] * 0.5f, kSign[i][1] * 0.5f, 0.45f, 0.0f);
        board = boxes.Build();
        host.pBoardMesh = board.get();
    }
    void StepFrom(float x, float y, float vx, float vy)
    {
        ball->Place(x, y, 0.0f, vx, vy);
        ball->Update(kStep);
    }

    gamefakes::Host host;
    gamefakes::Sound* sounds[4] = {};
    ALeanBall* ball = nullptr; // the host's actor
    std::unique_ptr<MMesh> frame, board;
};

TEST_F(BallTest, FramesRunWholeStepsCarryTheRestAndRestartDropsTheCarryWithTheRollHeardAtEverySpeed)
{
    ball->Update(24);
    EXPECT_FLOAT_EQ(ball->GetX(), -4.35f);
    EXPECT_FLOAT_EQ(ball->GetZ(), -1.3f - 0.45f);
    EXPECT_EQ(Sound(ALeanBall::RollSound).fVolume, 0.0f) << "silent at rest";
    EXPECT_EQ(ball->TicksToNextChange(), CScene::NoChange) << "at rest the loop may wait for input";
    host.aX = 0.001f;
    EXPECT_EQ(ball->TicksToNextChange(), 0) << "a lean below the dead zone still asks for every frame";
    host.aX = 0.1f;
    for (int i = 0; i < 10; ++i)
        ball->Update(0);
    ball->Update(kStep - 1);
    EXPECT_EQ(ball->GetVX(), 0.0f);
    ball->Update(1);
    EXPECT_NEAR(ball->GetVX(), kFirstStep, 1e-7f);
    EXPECT_NEAR(ball->GetX(), -4.35f + kFirstStep * kT, 1e-6f);
    EXPECT_NEAR(Sound(ALeanBall::RollSound).fVolume, VolumeOfLevel(kFirstStep / 6.0f), 1e-5f) << "heard at every speed";
    ball->Update(25); // six steps, one tick carried
    EXPECT_NEAR(ball->GetVX(), 7 * kFirstStep, 1e-6f);
    ball->Update(kStep - 1);
    EXPECT_NEAR(ball->GetVX(), 8 * kFirstStep, 1e-6f);
    StepFrom(0.0f, 0.0f, 9.0f, 0.0f);
    EXPECT_NEAR(Sound(ALeanBall::RollSound).fVolume, 1.0f, 1e-5f) << "full from six units a second";
    ball->Update(kStep - 1);
    ball->Restart(0, 1);
    ball->Update(1);
    EXPECT_EQ(ball->GetVX(), 0.0f) << "no ticks carried over a restart";
}

// Leaning into a wall, then pulled by a hole: 200 ticks end in the same state
// whatever the frame length.
TEST_F(BallTest, EveryFrameLengthRunsTheSameSteps)
{
    UseFrame(Boxes().Add(0.3f, -5.0f, -0.6f, 0.5f, 5.0f, -0.15f));
    const std::unique_ptr<MMesh> solid = Boxes().AddTile(0.0f, 0.0f, 5.0f, 0.0f).Build();
    host.aX = 0.1f;
    auto run = [&](int frame) {
        ball->Restart(0, 1);
        host.pBoardMesh = solid.get();
        ball->Place(0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
        for (int ticks = 0; ticks < 200; ticks += frame) {
            if (ticks == 100)
                UseQuadrants(0xB);
            ball->Update(frame);
        }
        return std::vector<float>{ball->GetX(), ball->GetY(), ball->GetVX(), ball->GetVY()};
    };
    const std::vector<float> stepped = run(kStep);
    EXPECT_LT(stepped[1], 0.0f) << "pulled";
    for (int frame : {1, 2, 5, 20, 25})
        EXPECT_EQ(run(frame), stepped) << frame << "-tick frames";
}

TEST_F(BallTest, DrawnBetweenTheLastTwoStepsByTheCarriedTicks)
{
    const float stride = 1.0f * kT; // each step at vx 1
    for (int frame : {1, 7, 25}) {
        ball->Restart(0, 1);
        ball->Place(0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
        for (int ticks = frame; ticks <= 60; ticks += frame) {
            ball->Update(frame);
            const int steps = ticks / kStep;
            if (steps == 0)
                continue;
            const float share = float(ticks % kStep) / kStep;
            EXPECT_EQ(ball->GetX(), float(steps) * stride) << frame << " " << ticks;
            EXPECT_FLOAT_EQ(ball->GetDrawnPosition().x, (float(steps - 1) + share) * stride) << frame << " " << ticks;
            EXPECT_NEAR(ball->GetWorld()(0, 0), std::cos((float(steps - 1) + share) * -stride / 0.3f), 1e-5f);
            EXPECT_NEAR(ball->GetOrientation()(0, 0), std::cos(float(steps) * -stride / 0.3f), 1e-5f);
        }
    }
}

// A wall face 0.25 from the ball on one side of an axis, the lean along that axis.
TEST_F(BallTest, AxisWallsStopPushBackAndBumpOnlyWhenFastAndNotOverlapping)
{
    const struct {
        bool yAxis;
        int side;
        float lean, start, v, after, gap, level; // level: the bump's, 0 for none
        bool playing;
    } cases[] = {
        {false, 1, 0.0f, 0.0f, 2.0f, 0.0f, 0.299f, 2.0f, false},
        {false, 1, 0.0f, 0.0f, 0.0f, 0.0f, 0.299f, 0.0f, false},  // a ball at rest is pushed back too
        {false, 1, 0.0f, 0.0f, 1.0f, 0.0f, 0.299f, 0.0f, false},  // slow contacts are silent
        {false, 1, 0.0f, 0.0f, 3.0f, 0.0f, 0.299f, 0.0f, true},   // bumps do not overlap
        {false, 1, 0.0f, 0.0f, -2.0f, -2.0f, 0.25f + 2 * kT, 0.0f, true}, // walls behind are not tested
        {false, 1, 0.05f, 0.0f, 2.0f, 0.0f, 0.299f - 0.015f, 2.0f + kFirstStep / 2, false}, // lean shortens the push
        {false, 1, 0.1f, -0.04f, 0.0f, kFirstStep, 0.29f - kFirstStep * kT, 0.0f, false}, // and the reach: 0.27
        {true, -1, -0.1f, 0.0f, -1.5f, 0.0f, 0.299f - 0.03f, 1.5f + kFirstStep, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.yAxis << c.side << " lean " << c.lean << " v " << c.v);
        const float near = 0.25f * float(c.side), far = near + 0.2f * float(c.side);
        if (c.yAxis)
            UseFrame(Boxes().Add(-5.0f, std::min(near, far), -0.6f, 5.0f, std::max(near, far), -0.15f));
        else
            UseFrame(Boxes().Add(std::min(near, far), -5.0f, -0.6f, std::max(near, far), 5.0f, -0.15f));
        (c.yAxis ? host.aY : host.aX) = c.lean;
        Sound(ALeanBall::Bump).nPlays = 0;
        Sound(ALeanBall::Bump).fPlaying = c.playing;
        StepFrom(c.yAxis ? 0.0f : c.start, c.yAxis ? c.start : 0.0f, c.yAxis ? 0.0f : c.v, c.yAxis ? c.v : 0.0f);
        EXPECT_NEAR(c.yAxis ? ball->GetVY() : ball->GetVX(), c.after, 1e-6f);
        EXPECT_NEAR(0.25f - float(c.side) * (c.yAxis ? ball->GetY() : ball->GetX()), c.gap, 1e-5f);
        EXPECT_EQ(Sound(ALeanBall::Bump).nPlays, c.level > 0.0f ? 1 : 0);
        if (c.level > 0.0f) {
            EXPECT_NEAR(Sound(ALeanBall::Bump).fVolume, VolumeOfLevel(c.level / 6.0f), 1e-5f);
        }
        host.aX = host.aY = 0.0f;
    }
}

TEST_F(BallTest, TopSpeedInFramesOfTwentyFiveTicksStopsOnTheNearSideOfAWall)
{
    UseFrame(Boxes().Add(0.25f, -5.0f, -0.6f, 0.45f, 5.0f, -0.15f));
    host.aX = 0.1f; // leaning into it: the shortest reach
    for (float gap = 0.28f; gap < 0.4f; gap += 0.01f) {
        ball->Place(0.25f - gap, 0.0f, 0.0f, 6.8f, 0.0f);
        for (int frame = 0; frame < 4; ++frame)
            ball->Update(25);
        EXPECT_EQ(ball->GetVX(), 0.0f) << gap;
        EXPECT_NEAR(0.25f - ball->GetX(), 0.299f - 0.03f, 1e-5f) << gap;
    }
}

// Posts on the diagonal and on the ray (0.924, 0.383), out of reach of the axis probes.
TEST_F(BallTest, CornersStopSlowBallsBounceFastOnesSlideAlongAndLeaveBallsMovingAway)
{
    const float d = 0.25f * 0.7071f + 0.02f;
    const struct {
        float cx, cy, half, vx, vy, afterX, afterY;
        int bumps;
    } cases[] = {
        {d, d, 0.02f, 0.05f, 0.05f, 0.0f, 0.0f, 0},
        {d, d, 0.02f, -2.0f, -2.0f, -2.0f, -2.0f, 0},
        {0.26f * 0.924f, 0.26f * 0.383f, 0.015f, 1.0f, 0.5f, -0.3f, 0.15f, 0},
        {d, d, 0.02f, 2.0f, 2.0f, -0.6f, -0.6f, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cx << " v " << c.vx << ", " << c.vy);
        UseFrame(Boxes().Add(c.cx - c.half, c.cy - c.half, -0.6f, c.cx + c.half, c.cy + c.half, -0.15f));
        StepFrom(0.0f, 0.0f, c.vx, c.vy);
        EXPECT_NEAR(ball->GetVX(), c.afterX, 1e-6f);
        EXPECT_NEAR(ball->GetVY(), c.afterY, 1e-6f);
        EXPECT_NEAR(ball->GetX(), c.afterX * kT, 1e-6f);
        EXPECT_EQ(Sound(ALeanBall::Bump).nPlays, c.bumps);
    }
    EXPECT_NEAR(Sound(ALeanBall::Bump).fVolume, VolumeOfLevel(1.2f / 6.0f), 1e-5f) << "bumps after the change";
}

TEST_F(BallTest, HolePullPointsTowardsTheMissingProbes)
{
    const struct {
        unsigned misses; // bit i: probe i misses
        float vx, vy;
    } cases[] = {{0x0, -3, 3}, {0x1, 3, 3},   {0x2, 3, -3},  {0x4, -3, -3}, {0x8, -3, 3},
                          {0x3, 3, 0},  {0x6, 0, -3},  {0xC, -3, 0},  {0x9, 0, 3},   {0x5, 0, 3},
                          {0xA, 0, 3},  {0xE, -3, -3}, {0xD, -3, 3},  {0xB, 3, 3},   {0x7, 3, -3}};
    host.aX = 0.1f; // the lean does not count while pulled
    for (const auto& c : cases) {
        SCOPED_TRACE(c.misses);
        UseQuadrants(~c.misses & 0xF);
        StepFrom(0.0f, 0.0f, 0.0f, 0.0f);
        EXPECT_TRUE(ball->IsPulled());
        EXPECT_EQ(std::pair(ball->GetVX(), ball->GetVY()), std::pair(c.vx, c.vy));
        EXPECT_NEAR(ball->GetX(), c.vx * kT, 1e-6f);
    }
}

TEST_F(BallTest, FallRunsFromRestHeightToTheTrayWithOneEndAndOneSoundEach)
{
    UseQuadrants(0);
    ball->Place(0.0f, 0.0f, -1.75f, 0.0f, 0.0f);
    for (int i = 1; i <= 23; ++i) { // z = -1.75 + 7·t each step: 0.8 is passed at the 24th
        ball->Update(kStep);
        ASSERT_TRUE(ball->IsFalling()) << i;
        EXPECT_NEAR(ball->GetZ(), -1.75f + 7.0f * kT * float(i), 1e-5f);
    }
    EXPECT_FALSE(ball->CastsShadow());
    EXPECT_EQ(host.nEnds, 0);
    EXPECT_FLOAT_EQ(Sound(ALeanBall::RollSound).fVolume, 0.0f);
    for (int i = 0; i < 20; ++i)
        ball->Update(kStep);
    EXPECT_FALSE(ball->IsFalling());
    EXPECT_FLOAT_EQ(ball->GetZ(), 0.8f);
    EXPECT_EQ(host.nLastEnd, 0);
    const std::vector<int> once = {host.nEnds, host.nFalls, sounds[ALeanBall::DropStart]->nPlays,
                                   sounds[ALeanBall::DropEnd]->nPlays};
    EXPECT_EQ(once, std::vector<int>(4, 1));
    // A restart stops a fall and puts the ball back without starting the roll
    // again; the next fall sounds its drop again.
    host.fLost = false;
    StepFrom(1.0f, 1.0f, 0.0f, 0.0f);
    ball->Restart(0, 1);
    EXPECT_FALSE(ball->IsFalling());
    EXPECT_TRUE(ball->CastsShadow());
    EXPECT_FLOAT_EQ(ball->GetY(), 4.38f);
    EXPECT_EQ(Sound(ALeanBall::RollSound).nPlays, 1);
    EXPECT_TRUE(Sound(ALeanBall::RollSound).fLooped);
    StepFrom(1.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(Sound(ALeanBall::DropStart).nPlays, 2);
}

TEST_F(BallTest, LostPlayerIgnoresTheLeanAndTheHolesTheGoalReportsEveryStepAndPressesLean)
{
    UseQuadrants(0);
    host.fLost = true;
    host.aX = host.aY = 0.1f;
    for (int i = 0; i < 10; ++i)
        StepFrom(0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(ball->GetX(), 0.0f);
    EXPECT_FALSE(ball->IsPulled());
    EXPECT_EQ(host.nFalls, 0);
    host.fLost = false;
    host.pBoardMesh = nullptr;
    host.aX = host.aY = 0.0f;
    for (int i = 0; i < 3; ++i)
        StepFrom(-0.7f + 0.19f, -2.0f - 0.19f, 0.0f, 0.0f);
    StepFrom(-0.7f + 0.21f, -2.0f, 0.0f, 0.0f);
    EXPECT_EQ(host.rgnGoals, (std::vector<int>{0, 0, 0}));
    // Left presses lean unless the mouse is locked or the ball hidden.
    const MouseEvent down{MouseEvent::LeftDown, 10, 10};
    EXPECT_TRUE(ball->WantsMouse(&down));
    host.fMouseLocked = true;
    EXPECT_FALSE(ball->WantsMouse(&down));
    host.fMouseLocked = false;
    ball->Hide();
    EXPECT_FALSE(ball->WantsMouse(&down));
}

} // namespace
