// The leaning board and its frame.
#include <gtest/gtest.h>
#include <cmath>
#include "game/ALeanBoard.h"
#include "game/ALeanFrame.h"
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
    } moves[] = {
        {430, 290, false, -30, 10},
        {550, 460, false, -100, -100},
        {430, 290, false, 20, 70}, // clamped counts do not remember the excess
        {0x10000 + 440, 0x30000 + 290, false, 10, 70}, // only the low 16 bits count
        {480, 250, true, 10, 70},  // the intro lock still follows the mouse...
        {490, 250, false, 0, 70},  // ...so nothing jumps later
    };
    for (const auto& m : moves) {
        host.fLeanLocked = m.fLocked;
        board->LeanTo(m.x, m.y);
        EXPECT_EQ(board->GetLeanX(), m.leanX) << m.x << ", " << m.y;
        EXPECT_EQ(board->GetLeanY(), m.leanY) << m.x << ", " << m.y;
    }
}

TEST_F(BoardTest, SurfaceAndFrameFollowTheLeanAndRestartLevelsThem)
{
    EXPECT_FLOAT_EQ(board->GetSurfaceZ(3.0f, -2.0f), -1.3f);
    board->LeanTo(400, 200); // nLeanY 100: y = 1 rises by sin 0.1
    EXPECT_NEAR(board->GetSurfaceZ(0.0f, 1.0f), std::sin(0.1f) - 1.3f * std::cos(0.1f), 1e-6f);
    ExpectMatrixNear(board->GetFrame()->GetWorld(), board->GetWorld());
    board->Restart(0, 1);
    board->GetFrame()->Restart(0, 1);
    EXPECT_EQ(board->GetLeanX(), 0);
    EXPECT_EQ(board->GetLeanY(), 0);
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
