#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "GLTestWindow.h"
#include "platform/MFont.h"
#include "platform/MFontSet.h"

namespace {

constexpr int32_t kFail = int32_t(0x80004005);

TEST(FontName, KeepsAtMost79Characters)
{
    const std::string longName(100, 'x');
    MFont font(longName.c_str(), 12, 0);
    EXPECT_EQ(std::string(font.GetFaceName()), std::string(79, 'x'));
}

TEST(FontWithoutDevice, CannotDraw)
{
    MFont font("Arial", 16, 0);
    EXPECT_EQ(font.InitDeviceObjects(nullptr), kFail);
    EXPECT_EQ(font.RestoreDeviceObjects(), kFail);
    EXPECT_EQ(font.DrawText(0, 0, 0xFFFFFFFF, "abc", 0), kFail);
}

class FontTest : public GLTestWindow {
protected:
    void SetUp() override
    {
        GLTestWindow::SetUp();
        ASSERT_EQ(font.InitDeviceObjects(device), 0);
        ASSERT_EQ(font.RestoreDeviceObjects(), 0);
    }
    void TearDown() override
    {
        font.DeleteDeviceObjects();
        GLTestWindow::TearDown();
    }
    int32_t Width(char c) const
    {
        const MFont::GlyphRect& g = font.GetGlyph(c);
        return int32_t((g.right - g.left) * float(font.GetTextureWidth()) + 0.5f);
    }
    MFont::Size Extent(const char* text) const
    {
        MFont::Size size;
        EXPECT_EQ(font.GetTextExtent(text, &size), 0);
        return size;
    }
    // Counts of the vertices handed over in each batch.
    std::vector<int32_t> Batches(const char* text) const
    {
        std::vector<int32_t> counts;
        font.LayOut(0, 0, 0xFFFFFFFF, text, [&](const MScreenVertex*, int32_t n) { counts.push_back(n); });
        return counts;
    }

    MFont font{"Arial", 16, 0};
};

TEST_F(FontTest, GlyphsLieInsideTheTextureWithoutOverlapping)
{
    EXPECT_EQ(font.GetTextureWidth(), 256u);
    EXPECT_FLOAT_EQ(font.GetTextScale(), 1.0f);
    const float rowHeight = font.GetGlyph(' ').bottom - font.GetGlyph(' ').top;
    EXPECT_GT(rowHeight * 256, 18.0f); // 16 points at 96 dpi is a 21-pixel em
    EXPECT_LT(rowHeight * 256, 30.0f);
    for (int c = 33; c < 127; ++c) {
        const MFont::GlyphRect& g = font.GetGlyph(char(c));
        const MFont::GlyphRect& before = font.GetGlyph(char(c - 1));
        EXPECT_GT(g.right, g.left) << char(c);
        EXPECT_LE(g.right, 1.0f) << char(c);
        EXPECT_LE(g.bottom, 1.0f) << char(c);
        EXPECT_TRUE(g.top > before.top || g.left >= before.right) << char(c);
    }
    EXPECT_GT(Width('W'), Width('i'));
    for (int c = 0; c < 256; ++c) {
        if (c >= 32 && c <= 127)
            continue;
        EXPECT_EQ(Width(char(c)), 0) << "byte " << c << " has no glyph";
    }
}

TEST_F(FontTest, ExtentCountsRowsAndTheWidestRow)
{
    const MFont::Size empty = Extent("");
    const int32_t row = empty.cy;
    EXPECT_EQ(empty.cx, 0);
    EXPECT_GT(row, 0);
    const MFont::Size lines = Extent("ab\nWW");
    EXPECT_EQ(lines.cy, 2 * row);
    EXPECT_EQ(lines.cx, Extent("WW").cx);
    EXPECT_GE(lines.cx, Extent("ab").cx);
    EXPECT_EQ(Extent("a\xE9\x01" "b").cx, Extent("ab").cx);
    EXPECT_EQ(Extent("\r\n").cy, 3 * row);
    EXPECT_EQ(font.GetTextExtent(nullptr, nullptr), kFail);
}

TEST_F(FontTest, LayoutFlushesAfter294Vertices)
{
    EXPECT_EQ(Batches(std::string(49, 'x').c_str()), (std::vector<int32_t>{294}));
    EXPECT_EQ(Batches(std::string(50, 'x').c_str()), (std::vector<int32_t>{300, 0}));
    EXPECT_EQ(Batches(std::string(51, 'x').c_str()), (std::vector<int32_t>{300, 6}));
    EXPECT_EQ(Batches("a b\n"), (std::vector<int32_t>{12}));
}

TEST_F(FontTest, LayoutAdvancesAndStartsNewLines)
{
    std::vector<MScreenVertex> quads;
    font.LayOut(10, 20, 0xFF123456, "a b\nc", [&](const MScreenVertex* v, int32_t n) {
        quads.insert(quads.end(), v, v + n);
    });
    ASSERT_EQ(quads.size(), 18u);
    auto left = [&](size_t quad) { return quads[quad * 6 + 1].x; };
    auto top = [&](size_t quad) { return quads[quad * 6 + 1].y; };
    const MFont::GlyphRect& a = font.GetGlyph('a');
    const MFont::GlyphRect& space = font.GetGlyph(' ');
    EXPECT_FLOAT_EQ(left(0), 10);
    EXPECT_FLOAT_EQ(top(0), 20);
    EXPECT_FLOAT_EQ(left(1), 10 + (a.right - a.left + space.right - space.left) * 256);
    EXPECT_FLOAT_EQ(left(2), 10);
    EXPECT_FLOAT_EQ(top(2), 20 + float(Extent("").cy));
    EXPECT_EQ(quads[0].colour, 0xFF123456u);
    EXPECT_FLOAT_EQ(quads[1].u, a.left);
    EXPECT_FLOAT_EQ(quads[0].v, a.bottom);
}

TEST_F(FontTest, DrawTextLeavesTextPixelsOverTheClear)
{
    ASSERT_EQ(device->BeginFrame(), 0);
    ASSERT_EQ(device->BeginSprites(), 0);
    ASSERT_EQ(font.DrawText(4, 4, 0xFFFFFFFF, "HHHH", 0), 0);
    ASSERT_EQ(device->EndSprites(), 0);
    int32_t white = 0, blue = 0;
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 80; ++x) {
            const uint32_t p = PixelAt(x, y);
            white += p == 0xFFFFFFFF;
            blue += p == 0xFF0000FF;
        }
    EXPECT_GT(white, 40);
    EXPECT_GT(blue, 1000);
    EXPECT_EQ(PixelAt(2, 2), 0xFF0000FFu);
    device->EndFrame();
    font.InvalidateDeviceObjects();
    EXPECT_EQ(font.DrawText(4, 4, 0xFFFFFFFF, "H", 0), kFail);
}

using FontSetTest = GLTestWindow;

TEST_F(FontSetTest, HoldsEightFonts)
{
    MFontSet set(device);
    for (uint32_t i = 0; i < 8; ++i)
        EXPECT_EQ(set.Add("Arial", 10 + i, i % 2 ? MFont::kBold : 0), 0);
    EXPECT_EQ(set.Add("Arial", 30, 0), 39);
    EXPECT_EQ(set.GetCount(), 8);
    EXPECT_EQ(set.GetFont(8), nullptr);
    EXPECT_EQ(set.GetFont(-1), nullptr);
    ASSERT_NE(set.GetFont(1), nullptr);
    EXPECT_EQ(set.GetFont(1)->GetTextureWidth(), 256u);
    EXPECT_EQ(set.InvalidateAll(), 0);
    EXPECT_EQ(set.GetFont(0)->DrawText(0, 0, 0xFFFFFFFF, "a", 0), kFail);
    EXPECT_EQ(set.RestoreAll(), 0);
}

TEST_F(FontSetTest, BoldIsWiderThanRegular)
{
    MFontSet set(device);
    set.Add("Arial", 20, 0);
    set.Add("Arial", 20, MFont::kBold);
    MFont::Size regular, bold;
    set.GetFont(0)->GetTextExtent("Rollavex", &regular);
    set.GetFont(1)->GetTextExtent("Rollavex", &bold);
    EXPECT_GT(bold.cx, regular.cx);
}

TEST(FontSetAccessor, IsCreatedOnceAndDestroyed)
{
    MFontSet* set = GetFontSet();
    EXPECT_EQ(GetFontSet(), set);
    EXPECT_EQ(set->Add("Arial", 16, 0), 0); // no device: the font stays, unusable
    EXPECT_EQ(set->GetFont(0)->DrawText(0, 0, 0xFFFFFFFF, "a", 0), kFail);
    DestroyFontSet();
    DestroyDeviceManager();
}

} // namespace
