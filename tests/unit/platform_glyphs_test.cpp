#include <algorithm>
#include <gtest/gtest.h>
#include <vector>
#include "platform/MGlyphRasteriser.h"

namespace {

constexpr int32_t kSide = 64;

int32_t Covered(const std::vector<uint8_t>& coverage)
{
    return int32_t(std::count_if(coverage.begin(), coverage.end(), [](uint8_t c) { return c != 0; }));
}

TEST(GlyphRasteriser, FindsTheFaceAndMeasuresByCharacter)
{
    MGlyphRasteriser regular;
    ASSERT_TRUE(regular.Open("Arial", false, false, 21));
    int32_t w = 0, i = 0, cy = 0, cyI = 0;
    regular.Measure('W', &w, &cy);
    regular.Measure('i', &i, &cyI);
    EXPECT_GT(w, i);
    EXPECT_GT(i, 0);
    EXPECT_EQ(cy, cyI);
    EXPECT_GE(cy, 21);
    EXPECT_LE(cy, 27);
    MGlyphRasteriser bold;
    ASSERT_TRUE(bold.Open("Arial", true, false, 21));
    int32_t boldW = 0;
    bold.Measure('W', &boldW, &cy);
    EXPECT_GE(boldW, w);
}

TEST(GlyphRasteriser, RefusesNoSizeAndASecondOpen)
{
    MGlyphRasteriser r;
    EXPECT_FALSE(r.Open("Arial", false, false, 0));
    ASSERT_TRUE(r.Open("Arial", false, false, 12));
    EXPECT_FALSE(r.Open("Arial", false, false, 12));
}

TEST(GlyphRasteriser, DrawsInsideItsCellAfterClearingIt)
{
    MGlyphRasteriser r;
    ASSERT_TRUE(r.Open("Arial", false, false, 21));
    std::vector<uint8_t> coverage(kSide * kSide, 0);
    r.Draw('H', 10, 10, coverage.data(), kSide);
    int32_t cx = 0, cy = 0;
    r.Measure('H', &cx, &cy);
    EXPECT_GT(Covered(coverage), 20);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x)
            if (coverage[y * kSide + x] != 0) {
                EXPECT_GE(x, 10);
                EXPECT_LT(x, 10 + cx);
                EXPECT_GE(y, 10);
                EXPECT_LT(y, 10 + cy);
            }
    // A space clears its cell and paints nothing.
    r.Draw(' ', 0, 0, coverage.data(), kSide);
    r.Draw(' ', 10 + cx / 2, 10, coverage.data(), kSide);
    int32_t space = 0;
    r.Measure(' ', &space, &cy);
    for (int32_t x = 10 + cx / 2; x < std::min(10 + cx / 2 + space, kSide); ++x)
        EXPECT_EQ(coverage[20 * kSide + x], 0);
}

TEST(GlyphRasteriser, ClipsAtTheBufferEdges)
{
    MGlyphRasteriser r;
    ASSERT_TRUE(r.Open("Arial", false, false, 40));
    // A guard band either side of the buffer must stay untouched.
    std::vector<uint8_t> memory(kSide * kSide + 2 * kSide, 0xAB);
    uint8_t* coverage = memory.data() + kSide;
    std::fill(coverage, coverage + kSide * kSide, 0);
    r.Draw('W', kSide - 10, kSide - 10, coverage, kSide);
    r.Draw('W', -20, -20, coverage, kSide);
    r.Draw('i', -200, 5, coverage, kSide); // wholly outside
    r.Draw('i', 5, kSide + 50, coverage, kSide);
    for (int32_t i = 0; i < kSide; ++i) {
        EXPECT_EQ(memory[i], 0xAB);
        EXPECT_EQ(memory[kSide + kSide * kSide + i], 0xAB);
    }
    EXPECT_GT(Covered(std::vector<uint8_t>(coverage, coverage + kSide * kSide)), 0);
}

} // namespace
