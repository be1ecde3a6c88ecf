#include <algorithm>
#include <gtest/gtest.h>
#include <vector>
#include "platform/MGlyphRasteriser.h"

namespace {

constexpr int32_t kSide = 64;

TEST(GlyphRasteriser, MeasuresByCharacterAndRefusesNoSizeAndASecondOpen)
{
    MGlyphRasteriser regular, bold, none;
    EXPECT_FALSE(none.Open("Arial", false, false, 0));
    ASSERT_TRUE(regular.Open("Arial", false, false, 21));
    EXPECT_FALSE(regular.Open("Arial", false, false, 12));
    ASSERT_TRUE(bold.Open("Arial", true, false, 21));
    int32_t w = 0, i = 0, boldW = 0, cy = 0, cyI = 0;
    regular.Measure('W', &w, &cy);
    regular.Measure('i', &i, &cyI);
    bold.Measure('W', &boldW, &cy);
    EXPECT_GT(w, i);
    EXPECT_GT(i, 0);
    EXPECT_GE(boldW, w);
    EXPECT_EQ(cy, cyI);
    EXPECT_GE(cy, 21);
    EXPECT_LE(cy, 27);
}

TEST(GlyphRasteriser, DrawsInsideItsCellClippedAtTheBufferEdges)
{
    MGlyphRasteriser r;
    ASSERT_TRUE(r.Open("Arial", false, false, 40));
    // A guard band either side of the buffer must stay untouched.
    std::vector<uint8_t> memory(kSide * kSide + 2 * kSide, 0xAB);
    uint8_t* coverage = memory.data() + kSide;
    std::fill(coverage, coverage + kSide * kSide, 0);
    int32_t cx = 0, cy = 0;
    r.Measure('H', &cx, &cy);
    r.Draw('H', 10, 10, coverage, kSide);
    const auto covered = [&] { return std::count_if(coverage, coverage + kSide * kSide, [](uint8_t c) { return c; }); };
    EXPECT_GT(covered(), 20);
    for (int32_t at = 0; at < kSide * kSide; ++at)
        if (coverage[at] != 0) {
            EXPECT_TRUE(at % kSide >= 10 && at % kSide < 10 + cx && at / kSide >= 10 && at / kSide < 10 + cy) << at;
        }
    const auto before = covered();
    int32_t space = 0;
    r.Measure(' ', &space, &cy);
    r.Draw(' ', 10, 10, coverage, kSide); // clears its cell, paints nothing
    EXPECT_LT(covered(), before);
    for (int32_t x = 10; x < 10 + space; ++x)
        EXPECT_EQ(coverage[30 * kSide + x], 0);
    r.Draw('W', kSide - 10, kSide - 10, coverage, kSide);
    r.Draw('W', -20, -20, coverage, kSide);
    r.Draw('i', -200, 5, coverage, kSide); // wholly outside
    r.Draw('i', 5, kSide + 50, coverage, kSide);
    for (int32_t at = 0; at < kSide; ++at) {
        EXPECT_EQ(memory[at], 0xAB);
        EXPECT_EQ(memory[kSide + kSide * kSide + at], 0xAB);
    }
    EXPECT_GT(covered(), 0);
}

} // namespace
