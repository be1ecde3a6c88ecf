#include "common/scene/CRectList.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<Rect> Rects(const CRectList& list)
{
    std::vector<Rect> out(static_cast<size_t>(list.GetCount()));
    list.GetRects(out.data(), static_cast<int32_t>(out.size()));
    return out;
}

class RectListTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        list.Destroy();
        EXPECT_EQ(CRectList::GetBlockCount(), 0);
    }
    CRectList list;
};

TEST_F(RectListTest, AddsMergeOrCutAgainstTheNodesThere)
{
    const struct { bool exact; std::vector<Rect> adds; int32_t lastResult; std::vector<Rect> nodes; } cases[] = {
        {false, {{0, 0, 10, 10}, {2, 2, 5, 5}}, 1, {{0, 0, 10, 10}}},
        {false, {{0, 0, 10, 10}, {10, 0, 20, 10}}, 0, {{10, 0, 20, 10}, {0, 0, 10, 10}}}, // touching
        {false, {{0, 0, 10, 10}, {30, 30, 40, 40}, {5, 5, 35, 35}}, 1, {{0, 0, 40, 40}}},
        {false, {{1, 1, 2, 2}, {5, 5, 6, 6}, {0, 0, 10, 10}}, 1, {{0, 0, 10, 10}}},
        {true, {{0, 0, 10, 10}, {5, 0, 15, 10}}, 1, {{0, 0, 15, 10}}}, // cut, then joined
        {true, {{0, 0, 10, 10}, {0, 10, 10, 20}}, 0, {{0, 0, 10, 20}}},
        {true, {{0, 0, 10, 10}, {3, 3, 4, 4}}, 1, {{0, 0, 10, 10}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.adds.back().left);
        int32_t result = -1;
        for (const Rect& r : c.adds)
            result = c.exact ? list.AddExact(r) : list.AddMerged(r);
        EXPECT_EQ(result, c.lastResult);
        EXPECT_EQ(Rects(list), c.nodes);
        list.Clear();
    }
}

TEST_F(RectListTest, ExactKeepsRectanglesDisjointAndCoversTheUnion)
{
    // A cross, a corner overlap and a band through the middle.
    const Rect adds[] = {{10, 0, 20, 30}, {0, 10, 30, 20}, {25, 15, 40, 40}, {0, 12, 40, 14}};
    for (const Rect& r : adds)
        list.AddExact(r);
    const std::vector<Rect> rects = Rects(list);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            int inUnion = 0, inList = 0;
            for (const Rect& r : adds)
                inUnion |= r.Contains(x, y);
            for (const Rect& r : rects)
                inList += r.Contains(x, y);
            ASSERT_EQ(inList, inUnion) << x << "," << y;
        }
}

TEST_F(RectListTest, NodesComeInBlocksOfSixteenThatOutliveClearAndSharedBlocksOutliveDestroy)
{
    for (int i = 0; i < 17; ++i)
        list.AddMerged({i * 10, 0, i * 10 + 5, 5});
    EXPECT_EQ(list.GetCount(), 17);
    EXPECT_EQ(CRectList::GetBlockCount(), 2);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    for (int i = 0; i < 32; ++i)
        list.AddMerged({i * 10, 0, i * 10 + 5, 5});
    EXPECT_EQ(CRectList::GetBlockCount(), 2) << "nodes go back to the free list, not the heap";
    list.Clear();
    CRectList other;
    other.AddMerged({0, 0, 1, 1});
    list.AddMerged({5, 5, 6, 6});
    list.Destroy();
    EXPECT_EQ(CRectList::GetBlockCount(), 2) << "another list still holds a node";
    EXPECT_EQ(Rects(other), (std::vector<Rect>{{0, 0, 1, 1}}));
    other.Clear();
}

} // namespace
