#include "base/Rect.h"
#include <gtest/gtest.h>
#include <vector>

TEST(Rect, RightAndBottomAreExclusiveSoASharedEdgeIsNoOverlap)
{
    const Rect a{0, 0, 10, 10};
    EXPECT_TRUE(a.Contains(0, 0) && a.Contains(9, 9));
    EXPECT_FALSE(a.Contains(10, 5) || a.Contains(5, 10) || a.Contains(-1, 5));
    EXPECT_FALSE(a.Overlaps({10, 0, 20, 10}) || a.Overlaps({0, 10, 10, 20}));
    EXPECT_TRUE(a.Overlaps({9, 9, 20, 20}));
    EXPECT_EQ(a.Intersection({5, -5, 15, 8}), (Rect{5, 0, 10, 8}));
    EXPECT_EQ(a.Union({5, -5, 15, 8}), (Rect{0, -5, 15, 10}));
    EXPECT_TRUE(a.Intersection({20, 20, 30, 30}).IsEmpty());
}

TEST(Rect, SubtractGivesBandsAboveLeftRightBelowInOrder)
{
    Rect pieces[4];
    ASSERT_EQ((Rect{0, 0, 30, 30}).Subtract({10, 10, 20, 20}, pieces), 4);
    EXPECT_EQ(std::vector<Rect>(pieces, pieces + 4),
              (std::vector<Rect>{{0, 0, 30, 10}, {0, 10, 10, 20}, {20, 10, 30, 20}, {0, 20, 30, 30}}));
    // Covered whole: nothing; not overlapped: itself.
    const Rect r{0, 0, 10, 10};
    EXPECT_EQ(r.Subtract({-5, -5, 20, 20}, pieces), 0);
    ASSERT_EQ(r.Subtract({10, 0, 30, 30}, pieces), 1);
    EXPECT_EQ(pieces[0], r);
}
