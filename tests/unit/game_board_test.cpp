// The leaning board and its frame.
#include <gtest/gtest.h>
#include <cmath>
#include "game/maze/ALeanBoard.h"
#include "game/maze/ALeanFrame.h"
#include "game_fakes.h"
#include "platform/math/MPlane.h"
#include "platform/math/MVector3.h"

namespace {

void ExpectMatrixNear(const MMatrix& a, const MMatrix& b)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(a(r, c), b(r, c), 1e-6f) << r << "," << c;
}

class BoardTest : public testing::Test {
protected:
    void SetUp() override
    {
        placement.SetTranslation(0.0f, 0.0f, -1.3f);
        screen.ptCursor = {400, 300};
        board = new ALeanBoard(&host, placement);
        host.pBoard = board;
        board->BeginLean(0, 0);
    }

    MMatrix placement;
    gamefakes::Screen screen;
    gamefakes::Host host{&screen};
    ALeanBoard* board = nullptr; // the host's actor
};

TEST_F(BoardTest, LeanMovesByThePixelClampsAtATenthOfARadianAndFollowsTheMouseWhileLocked)
{
    const struct {
        int32_t x, y;
        bool fLocked;
        int32_t leanX, leanY;
        int32_t percent = 100;
        bool fInvertY = false;
    } moves[] = {
        {430, 290, false, -30, 10},
        {550, 460, false, -100, -100},
        {430, 290, false, 20, 70}, // clamped counts do not remember the excess
        {0x10000 + 440, 0x30000 + 290, false, 10, 70}, // only the low 16 bits count
        {480, 250, true, 10, 70},  // the intro lock still follows the mouse...
        {490, 250, false, 0, 70},  // ...so nothing jumps later
        {491, 250, false, 0, 70, 50},   // half a count is kept...
        {492, 250, false, -1, 70, 50},  // ...until it makes a whole one
        {492, 260, false, -1, 80, 100, true}, // inverted: down leans as up does
        {402, 160, false, 98, 100, 110},
    };
    for (const auto& m : moves) {
        host.fLeanLocked = m.fLocked;
        board->SetMouseFeel(m.percent, m.fInvertY);
        board->LeanTo(m.x, m.y);
        EXPECT_EQ(std::pair(board->GetLeanX(), board->GetLeanY()), std::pair(m.leanX, m.leanY)) << m.x << ", " << m.y;
    }
}

// Full lean takes 0.4 s (102.4 ticks) of a held key, both ways; opposite keys cancel.
TEST(LeanInput, HeldKeysMoveTowardsFullLeanAtASteadyRateAndTheStickLeansInProportion)
{
    enum : uint32_t { kLeft = 37, kUp = 38, kRight = 39, kDown = 40 };
    const struct {
        uint32_t key;
        bool fDown;
        int32_t ticks, x, y;
    } steps[] = {
        {kLeft, true, 51, 49, 0},    // half way after 0.2 s
        {'W', true, 52, 100, 50},    // full and clamped
        {kRight, true, 25, 75, 75},  // left and right cancel: back to level
        {kLeft, false, 180, -100, 100},
        {'S', true, 1, -100, 99},    // up and down cancel
        {kUp, false, 0, -100, 99},   // never held; W still is
        {'W', false, 205, -100, -100},
        {kRight, false, 102, 0, -100},
        {kDown, false, 1, 0, -100},  // never held; S still is
        {'S', false, 103, 0, 0},
        {'N', true, 10, 0, 0},       // not a lean key
    };
    ALeanInput input;
    for (const auto& s : steps) {
        EXPECT_EQ(input.Press(s.key, s.fDown), s.key != 'N');
        input.Update(s.ticks);
        EXPECT_EQ(std::pair(input.GetX(), input.GetY()), std::pair(s.x, s.y)) << s.key;
    }
    input.Press(kLeft, true);
    input.Update(26);
    input.SetStick(500, -2000); // right half way, up past full
    EXPECT_EQ(std::pair(input.GetX(), input.GetY()), std::pair(25 - 50, 100));
    input.Restart();
    EXPECT_EQ(input.GetX(), -50) << "a restart levels the keys, not the stick";
}

// The keys' lean adds to the mouse's, within the same limits, and not while locked.
TEST_F(BoardTest, KeysLeanOnTopOfTheMouse)
{
    board->LeanTo(340, 300);
    board->GetLeanInput().Press(37, true);
    board->Update(52);
    EXPECT_EQ(board->GetLeanX(), 100);
    host.fLeanLocked = true;
    board->GetLeanInput().Press(37, false);
    board->Update(200);
    EXPECT_EQ(board->GetLeanX(), 100);
    host.fLeanLocked = false;
    board->Update(200);
    EXPECT_EQ(board->GetLeanX(), 60);
}

TEST_F(BoardTest, SurfaceAndFrameFollowTheLeanAndRestartLevelsThem)
{
    EXPECT_FLOAT_EQ(board->GetSurfaceZ(3.0f, -2.0f), -1.3f);
    board->LeanTo(400, 200); // nLeanY 100: y = 1 rises by sin 0.1
    EXPECT_NEAR(board->GetSurfaceZ(0.0f, 1.0f), std::sin(0.1f) - 1.3f * std::cos(0.1f), 1e-6f);
    ExpectMatrixNear(board->GetFrame()->GetWorld(), board->GetWorld());
    board->Restart(0, 1);
    board->GetFrame()->Restart(0, 1);
    EXPECT_EQ(std::pair(board->GetLeanX(), board->GetLeanY()), std::pair(0, 0));
    ExpectMatrixNear(board->GetWorld(), placement);
    ExpectMatrixNear(board->GetFrame()->GetWorld(), placement);
    EXPECT_FLOAT_EQ(board->GetSurfaceZ(1.0f, 1.0f), -1.3f);
}

TEST_F(BoardTest, ShadowPlaneLiesOnTheLeanedBoardLoweredByTheDepth)
{
    board->LeanTo(320, 360);
    const MMatrix& lean = board->GetLeanMatrix();
    MMatrix lower, placed;
    lower.SetTranslation(0.0f, 0.0f, -1.31f);
    placed.SetProduct(lean, lower);
    MPlane plane;
    ALeanFrame::LeanedBoardPlane(lean, -1.31f, &plane);
    for (const auto& p : {MVector3(0.0f, 0.0f, -0.15f), MVector3(4.0f, -3.0f, -0.15f), MVector3(-2.0f, 5.0f, -0.15f)}) {
        MVector3 q;
        q.SetTransformCoord(p, placed);
        EXPECT_NEAR(plane.DotCoord(q), 0.0f, 1e-5f);
    }
    EXPECT_GT(std::fabs(plane.DotCoord(MVector3(0.0f, 0.0f, -1.3f))), 0.1f);
}

} // namespace
