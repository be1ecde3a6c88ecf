// The leaning board, its frame and the base.
#include <gtest/gtest.h>
#include <cmath>
#include "game/ALeanBase.h"
#include "game/ALeanBoard.h"
#include "game/ALeanFrame.h"
#include "game_fakes.h"
#include "platform/MPlane.h"
#include "platform/MVector3.h"

namespace {

MMatrix BoardPlacement()
{
    MMatrix m;
    m.SetTranslation(0.0f, 0.0f, -1.3f);
    return m;
}

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
        screen.ptCursor = {400, 300};
        board = new ALeanBoard(&host, BoardPlacement());
        host.pBoard = board;
        board->BeginLean(0, 0);
    }

    gamefakes::Screen screen;
    gamefakes::Host host{&screen};
    ALeanBoard* board = nullptr; // the host's actor
};

TEST_F(BoardTest, MovesLeanByThePixelAndClampAtATenthOfARadian)
{
    board->LeanTo(430, 290);
    EXPECT_EQ(board->GetLeanX(), -30);
    EXPECT_EQ(board->GetLeanY(), 10);
    board->LeanTo(550, 460);
    EXPECT_EQ(board->GetLeanX(), -100);
    EXPECT_EQ(board->GetLeanY(), -100);
    EXPECT_FLOAT_EQ(host.GetLeanAngleX(), 0.1f);
    EXPECT_FLOAT_EQ(host.GetLeanAngleY(), -0.1f);
    // Back by the same travel: clamped counts do not remember the excess.
    board->LeanTo(430, 290);
    EXPECT_EQ(board->GetLeanX(), 20);
    EXPECT_EQ(board->GetLeanY(), 70);
}

TEST_F(BoardTest, OnlyTheLow16BitsOfTheMouseCount)
{
    board->LeanTo(0x10000 + 410, 0x30000 + 300);
    EXPECT_EQ(board->GetLeanX(), -10);
    EXPECT_EQ(board->GetLeanY(), 0);
}

TEST_F(BoardTest, IntroLockStillFollowsTheMouseSoNothingJumpsLater)
{
    host.fLeanLocked = true;
    board->LeanTo(480, 250);
    EXPECT_EQ(board->GetLeanX(), 0);
    EXPECT_EQ(board->GetLeanY(), 0);
    host.fLeanLocked = false;
    board->LeanTo(490, 250);
    EXPECT_EQ(board->GetLeanX(), -10);
    EXPECT_EQ(board->GetLeanY(), 0);
}

TEST_F(BoardTest, SurfaceHeightFollowsTheLean)
{
    EXPECT_FLOAT_EQ(board->GetSurfaceZ(0.0f, 0.0f), -1.3f);
    EXPECT_FLOAT_EQ(board->GetSurfaceZ(3.0f, -2.0f), -1.3f);
    board->LeanTo(400, 200); // nLeanY 100
    EXPECT_NEAR(board->GetSurfaceZ(0.0f, 1.0f), std::sin(0.1f) - 1.3f * std::cos(0.1f), 1e-6f);
    board->LeanTo(500, 200); // nLeanX -100 as well
    const float a = -0.1f, b = 0.1f, x = 2.0f, y = -1.0f;
    EXPECT_NEAR(board->GetSurfaceZ(x, y), y * std::sin(b) + (-1.3f * std::cos(a) - x * std::sin(a)) * std::cos(b),
                1e-6f);
    ExpectMatrixNear(board->GetFrame()->GetWorld(), board->GetWorld());
}

TEST_F(BoardTest, RestartLevelsBoardAndFrame)
{
    board->LeanTo(470, 260);
    board->Restart(0, 1);
    board->GetFrame()->Restart(0, 1);
    EXPECT_EQ(board->GetLeanX(), 0);
    EXPECT_EQ(board->GetLeanY(), 0);
    ExpectMatrixNear(board->GetLeanMatrix(), MMatrix());
    ExpectMatrixNear(board->GetWorld(), BoardPlacement());
    ExpectMatrixNear(board->GetFrame()->GetWorld(), BoardPlacement());
    EXPECT_FLOAT_EQ(board->GetSurfaceZ(1.0f, 1.0f), -1.3f);
}

TEST_F(BoardTest, FrameCastsAShadowAndTheBoardDoesNot)
{
    EXPECT_FALSE(board->CastsShadow());
    EXPECT_TRUE(board->GetFrame()->CastsShadow());
    ALeanBase* base = new ALeanBase(&host, MMatrix());
    EXPECT_TRUE(base->CastsShadow());
}

TEST(ShadowPlane, LiesOnTheLeanedBoardLoweredByTheDepth)
{
    MMatrix ry, rx, lean, lower, placed;
    ry.SetRotationY(0.08f);
    rx.SetRotationX(-0.06f);
    lean.SetProduct(ry, rx);
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
