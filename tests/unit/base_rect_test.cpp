#include "base/Rect.h"
#include <gtest/gtest.h>

TEST(Rect, ContainsTreatsRightAndBottomAsExclusive)
{
    const Rect r{0, 0, 10, 10};
    EXPECT_TRUE(r.Contains(0, 0));
    EXPECT_TRUE(r.Contains(9, 9));
    EXPECT_FALSE(r.Contains(10, 5));
    EXPECT_FALSE(r.Contains(5, 10));
    EXPECT_FALSE(r.Contains(-1, 5));
}

TEST(Rect, SharedEdgeIsNoOverlap)
{
    const Rect a{0, 0, 10, 10};
    EXPECT_FALSE(a.Overlaps({10, 0, 20, 10}));
    EXPECT_FALSE(a.Overlaps({0, 10, 10, 20}));
    EXPECT_TRUE(a.Overlaps({9, 9, 20, 20}));
}

TEST(Rect, IntersectionAndUnion)
{
    const Rect a{0, 0, 10, 10};
    const Rect b{5, -5, 15, 8};
    EXPECT_EQ(a.Intersection(b), (Rect{5, 0, 10, 8}));
    EXPECT_EQ(a.Union(b), (Rect{0, -5, 15, 10}));
    EXPECT_TRUE(a.Intersection({20, 20, 30, 30}).IsEmpty());
}

TEST(Rect, SubtractGivesBandsAboveLeftRightBelowInOrder)
{
    const Rect outer{0, 0, 30, 30};
    Rect pieces[4];
    ASSERT_EQ(outer.Subtract({10, 10, 20, 20}, pieces), 4);
    EXPECT_EQ(pieces[0], (Rect{0, 0, 30, 10}));
    EXPECT_EQ(pieces[1], (Rect{0, 10, 10, 20}));
    EXPECT_EQ(pieces[2], (Rect{20, 10, 30, 20}));
    EXPECT_EQ(pieces[3], (Rect{0, 20, 30, 30}));
}

TEST(Rect, SubtractEdgeCases)
{
    const Rect r{0, 0, 10, 10};
    Rect pieces[4];
    EXPECT_EQ(r.Subtract({-5, -5, 20, 20}, pieces), 0);
    ASSERT_EQ(r.Subtract({5, 0, 15, 10}, pieces), 1);
    EXPECT_EQ(pieces[0], (Rect{0, 0, 5, 10}));
    ASSERT_EQ(r.Subtract({20, 20, 30, 30}, pieces), 1);
    EXPECT_EQ(pieces[0], r);
}
