#include "common/CRectList.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<Rect> Rects(const CRectList& list)
{
    std::vector<Rect> out(static_cast<size_t>(list.GetCount()));
    list.GetRects(out.data(), static_cast<int32_t>(out.size()));
    return out;
}

int64_t Area(const std::vector<Rect>& rects)
{
    int64_t sum = 0;
    for (const Rect& r : rects)
        sum += int64_t(r.right - r.left) * (r.bottom - r.top);
    return sum;
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

} // namespace

TEST_F(RectListTest, AddsMergeOrCutAgainstTheNodesThere)
{
    const struct {
        bool exact;
        std::vector<Rect> adds;
        int32_t lastResult;
        std::vector<Rect> nodes;
    } cases[] = {
        {false, {{0, 0, 10, 10}, {2, 2, 5, 5}}, 1, {{0, 0, 10, 10}}},
        {false, {{0, 0, 10, 10}, {10, 0, 20, 10}}, 0, {{10, 0, 20, 10}, {0, 0, 10, 10}}}, // touching
        {false, {{0, 0, 10, 10}, {30, 30, 40, 40}, {5, 5, 35, 35}}, 1, {{0, 0, 40, 40}}},
        {false, {{1, 1, 2, 2}, {5, 5, 6, 6}, {0, 0, 10, 10}}, 1, {{0, 0, 10, 10}}},
        {true, {{0, 0, 10, 10}, {5, 0, 15, 10}}, 1, {{0, 0, 15, 10}}}, // cut, then joined
        {true, {{0, 0, 10, 10}, {0, 10, 10, 20}}, 0, {{0, 0, 10, 20}}},
        {true, {{0, 0, 10, 10}, {3, 3, 4, 4}}, 1, {{0, 0, 10, 10}}},
    };
    for (const auto& c : cases) {
        int32_t result = -1;
        for (const Rect& r : c.adds)
            result = c.exact ? list.AddExact(r) : list.AddMerged(r);
        EXPECT_EQ(result, c.lastResult) << c.adds.back().left;
        EXPECT_EQ(Rects(list), c.nodes) << c.adds.back().left;
        list.Clear();
    }
}

TEST_F(RectListTest, ExactKeepsRectanglesDisjointAndCoversTheUnion)
{
    // A cross, a corner overlap and a band through the middle.
    list.AddExact({10, 0, 20, 30});
    list.AddExact({0, 10, 30, 20});
    list.AddExact({25, 15, 40, 40});
    list.AddExact({0, 12, 40, 14});
    const std::vector<Rect> rects = Rects(list);
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_FALSE(rects[i].IsEmpty());
        for (size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(rects[i].Overlaps(rects[j])) << i << " overlaps " << j;
    }
    int64_t covered = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inUnion = Rect{10, 0, 20, 30}.Contains(x, y) || Rect{0, 10, 30, 20}.Contains(x, y) ||
                                 Rect{25, 15, 40, 40}.Contains(x, y) || Rect{0, 12, 40, 14}.Contains(x, y);
            covered += inUnion;
        }
    EXPECT_EQ(Area(rects), covered);
}

TEST_F(RectListTest, ExactInsideExistingAddsNothing)
{
    list.AddExact({0, 0, 10, 10});
    EXPECT_EQ(list.AddExact({3, 3, 4, 4}), 1);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(RectListTest, SeventeenthNodeTakesSecondBlockAndClearKeepsBlocks)
{
    for (int i = 0; i < 16; ++i)
        list.AddMerged({i * 10, 0, i * 10 + 5, 5});
    EXPECT_EQ(CRectList::GetBlockCount(), 1);
    list.AddMerged({500, 0, 505, 5});
    EXPECT_EQ(list.GetCount(), 17);
    EXPECT_EQ(CRectList::GetBlockCount(), 2);

    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(CRectList::GetBlockCount(), 2) << "nodes go back to the free list, not the heap";
    for (int i = 0; i < 32; ++i)
        list.AddMerged({i * 10, 0, i * 10 + 5, 5});
    EXPECT_EQ(CRectList::GetBlockCount(), 2) << "32 nodes fit in the two blocks";
}

TEST_F(RectListTest, DestroyKeepsBlocksAnotherListStillUses)
{
    CRectList other;
    other.AddMerged({0, 0, 1, 1});
    list.AddMerged({5, 5, 6, 6});
    list.Destroy();
    EXPECT_EQ(CRectList::GetBlockCount(), 1);
    EXPECT_EQ(Rects(other), (std::vector<Rect>{{0, 0, 1, 1}}));
    other.Clear();
}
