#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "GLTestWindow.h"
#include "platform/text/MFont.h"
#include "platform/text/MFontSet.h"
#include "platform/text/MGlyphRasteriser.h"

namespace {

constexpr int32_t kFail = int32_t(0x80004005);

TEST(FontWithoutDevice, KeepsAtMost79CharactersOfItsNameAndCannotDraw)
{
    MFont font(std::string(100, 'x').c_str(), 12, 0);
    EXPECT_EQ(std::string(font.GetFaceName()), std::string(79, 'x'));
    EXPECT_EQ(font.InitDeviceObjects(nullptr), kFail);
    EXPECT_EQ(font.RestoreDeviceObjects(), kFail);
    EXPECT_EQ(font.DrawText(0, 0, 0xFFFFFFFF, "abc", 0), kFail);
    EXPECT_FALSE(MGlyphRasteriser().Open("Arial", false, false, 0));
}

using FontTest = GLTestWindow;

// Rows count line breaks of either kind; bytes without a glyph (outside 32 to
// 126, also those above 127) take no room.
TEST_F(FontTest, ExtentAndLayoutCountRowsSkipBytesWithoutGlyphsAndFlushAfter294Vertices)
{
    MFont font("Arial", 16, 0);
    ASSERT_EQ(font.InitDeviceObjects(device), 0);
    EXPECT_EQ(font.GetTextureWidth(), 256u);
    EXPECT_FLOAT_EQ(font.GetTextScale(), 1.0f);
    MFont::Size empty, lines, ww, plain, odd, breaks;
    for (auto [text, size] : {std::pair{"", &empty}, {"ab\nWW", &lines}, {"WW", &ww}, {"ab", &plain},
                              {"a\xE9\x01" "b", &odd}, {"\r\n", &breaks}})
        EXPECT_EQ(font.GetTextExtent(text, size), 0);
    EXPECT_EQ(empty.cx, 0);
    EXPECT_GT(empty.cy, 18); // 16 points at 96 dpi is a 21-pixel em
    EXPECT_LT(empty.cy, 30);
    EXPECT_EQ(lines.cy, 2 * empty.cy);
    EXPECT_EQ(lines.cx, ww.cx);
    EXPECT_GT(ww.cx, plain.cx);
    EXPECT_EQ(odd.cx, plain.cx);
    EXPECT_EQ(breaks.cy, 3 * empty.cy);
    EXPECT_EQ(font.GetTextExtent(nullptr, nullptr), kFail);
    // Quads of six vertices go out in batches of 300 at most; a line break
    // starts the next row at the first x.
    const auto batches = [&](const std::string& text) {
        std::vector<int32_t> counts;
        font.LayOut(0, 0, 0xFFFFFFFF, text.c_str(), [&](const MScreenVertex*, int32_t n) { counts.push_back(n); });
        return counts;
    };
    EXPECT_EQ(batches(std::string(49, 'x')), (std::vector<int32_t>{294}));
    EXPECT_EQ(batches(std::string(50, 'x')), (std::vector<int32_t>{300, 0}));
    EXPECT_EQ(batches(std::string(51, 'x')), (std::vector<int32_t>{300, 6}));
    std::vector<MScreenVertex> quads;
    const auto keep = [&](const MScreenVertex* v, int32_t n) { quads.insert(quads.end(), v, v + n); };
    font.LayOut(10, 20, 0xFF123456, "a\nc", keep);
    ASSERT_EQ(quads.size(), 12u);
    EXPECT_EQ(std::pair(quads[7].x, quads[7].y), std::pair(10.0f, 20.0f + float(empty.cy)));
    EXPECT_EQ(quads[0].colour, 0xFF123456u);
    EXPECT_EQ(quads[1].u, font.GetGlyph('a').left);
}

// Eight fonts at most (39 beyond); fonts lost with the device cannot draw until restored.
TEST_F(FontTest, SetHoldsEightFontsThatDrawOnlyWhileRestored)
{
    MFontSet set(device);
    for (uint32_t i = 0; i < 8; ++i)
        EXPECT_EQ(set.Add("Arial", 10 + i, i % 2 ? MFont::kBold : 0), 0);
    EXPECT_EQ(set.Add("Arial", 30, 0), 39);
    EXPECT_EQ(set.GetCount(), 8);
    EXPECT_EQ(set.GetFont(8), nullptr);
    EXPECT_EQ(set.GetFont(-1), nullptr);
    ASSERT_EQ(device->BeginFrame(), 0);
    ASSERT_EQ(device->BeginSprites(), 0);
    EXPECT_EQ(set.InvalidateAll(), 0);
    EXPECT_EQ(set.GetFont(0)->DrawText(4, 4, 0xFFFFFFFF, "H", 0), kFail);
    EXPECT_EQ(set.RestoreAll(), 0);
    EXPECT_EQ(set.GetFont(7)->DrawText(4, 4, 0xFFFFFFFF, "HHHH", 0), 0);
    ASSERT_EQ(device->EndSprites(), 0);
    EXPECT_EQ(PixelAt(2, 2), 0xFF0000FFu);
    EXPECT_EQ(PixelAt(6, 12), 0xFFFFFFFFu); // the H's left stem
    device->EndFrame();
}

} // namespace
