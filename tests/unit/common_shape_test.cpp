#include <gtest/gtest.h>
#include <cstring>
#include <vector>
#include "UiTestSupport.h"
#include "common/CActor.h"
#include "common/CShape.h"
#include "common/CShapeCircle.h"
#include "common/CShapeMask.h"
#include "platform/MFormat.h"

namespace {

class ShapeTest : public ::testing::Test {
protected:
    BoundsActor* Make(int32_t shape, const Rect& bounds) { return new BoundsActor(&scene, shape, bounds); }

    UiTestScreen screen;
    KeyScene scene{&screen};
};

TEST_F(ShapeTest, RectanglesSharingOnlyAnEdgeDoNotTouch)
{
    BoundsActor* a = Make(CShape::kRect, Rect{0, 0, 10, 10});
    EXPECT_FALSE(CShape::Collide(a, Make(CShape::kRect, Rect{10, 0, 20, 10})));
    EXPECT_FALSE(CShape::Collide(a, Make(CShape::kRect, Rect{0, 10, 10, 20})));
    EXPECT_TRUE(CShape::Collide(a, Make(CShape::kRect, Rect{9, 9, 20, 20})));
    EXPECT_FALSE(CShape::Collide(a, nullptr));
}

TEST_F(ShapeTest, UnknownShapeKindsNeverTouch)
{
    BoundsActor* a = Make(3, Rect{0, 0, 10, 10});
    EXPECT_FALSE(CShape::Collide(a, Make(CShape::kRect, Rect{0, 0, 10, 10})));
    EXPECT_FALSE(CShape::Collide(Make(CShape::kCircle, Rect{0, 0, 10, 10}), a));
}

TEST_F(ShapeTest, CirclesTouchOnlyCloserThanTheSumOfTheirRadii)
{
    // 10 x 10 bounds: radius 20 * 64 - 64 = 1216 (4.75 pixels).
    EXPECT_EQ(CShapeCircle::ActorRadius(Rect{0, 0, 10, 10}), 1216);
    const CShapeCircle a(CFixPoint(0, 0), 1216);
    EXPECT_FALSE(a.Overlaps(CShapeCircle(CFixPoint(2432, 0), 1216)));
    EXPECT_TRUE(a.Overlaps(CShapeCircle(CFixPoint(2431, 0), 1216)));
    EXPECT_TRUE(a.Reaches(CFixPoint(0, 1216)));
    EXPECT_FALSE(a.Reaches(CFixPoint(0, 1217)));
}

TEST_F(ShapeTest, CircleActorsUseTheirCentres)
{
    BoundsActor* a = Make(CShape::kCircle, Rect{0, 0, 10, 10});
    // Radii of 4.75 pixels each: centres 9 pixels apart touch, 10 apart do not.
    EXPECT_TRUE(CShape::Collide(a, Make(CShape::kCircle, Rect{9, 0, 19, 10})));
    EXPECT_FALSE(CShape::Collide(a, Make(CShape::kCircle, Rect{10, 0, 20, 10})));
}

TEST_F(ShapeTest, CircleAgainstRectangleByEdgeMidpoints)
{
    const Rect c{0, 0, 10, 10};
    // Midpoints (0, 5), (9, 5), (5, 0), (5, 9).
    EXPECT_TRUE(CShapeCircle::TouchesRect(c, Rect{9, 5, 12, 6}));
    EXPECT_TRUE(CShapeCircle::TouchesRect(c, Rect{5, -3, 6, 1}));
    EXPECT_FALSE(CShapeCircle::TouchesRect(c, Rect{10, 5, 12, 6}));
}

TEST_F(ShapeTest, CircleAgainstRectangleByCornersInPixels)
{
    const Rect c{0, 0, 10, 10};
    // Only the centre pixel: no midpoint inside, but its corners lie at the centre.
    EXPECT_TRUE(CShapeCircle::TouchesRect(c, Rect{5, 5, 6, 6}));
    // A corner 4 pixels right and up of the centre (5.66 pixels away) is outside the 4.75 radius.
    EXPECT_FALSE(CShapeCircle::TouchesRect(c, Rect{9, -10, 20, 1}));
    // A corner 3 pixels right and up (4.24 pixels) is inside it.
    EXPECT_TRUE(CShapeCircle::TouchesRect(c, Rect{8, -10, 20, 2}));
    // Through the dispatch, either way round.
    BoundsActor* circle = Make(CShape::kCircle, c);
    BoundsActor* rect = Make(CShape::kRect, Rect{5, 5, 6, 6});
    EXPECT_TRUE(CShape::Collide(circle, rect));
    EXPECT_TRUE(CShape::Collide(rect, circle));
    EXPECT_FALSE(CShape::Collide(circle, Make(CShape::kRect, Rect{9, -10, 20, 1})));
}

// Pixels of one row-major image in a texture format, for the mask walks.
class Pixels {
public:
    Pixels(int32_t w, int32_t h, int32_t format)
        : nWidth(w), nBytes(format == kFormatA8R8G8B8 ? 4 : 2), nFormat(format), rgBytes(size_t(w * h * nBytes))
    {
    }
    // Writes the raw bytes of one pixel (little-endian word).
    void Set(int32_t x, int32_t y, uint32_t value)
    {
        std::memcpy(&rgBytes[size_t((y * nWidth + x) * nBytes)], &value, size_t(nBytes));
    }
    CShapeMask::View View(int32_t x = 0, int32_t y = 0) const
    {
        return CShapeMask::View{&rgBytes[size_t((y * nWidth + x) * nBytes)], nWidth * nBytes, nFormat};
    }

private:
    int32_t nWidth;
    int32_t nBytes;
    int32_t nFormat;
    std::vector<uint8_t> rgBytes;
};

TEST(ShapeMaskTest, OpacityByPixelFormat)
{
    const struct {
        uint8_t bytes[4];
        int32_t format;
        bool opaque;
    } cases[] = {
        {{0, 0, 0, 127}, kFormatA8R8G8B8, false}, {{0, 0, 0, 128}, kFormatA8R8G8B8, true},
        {{0, 0x80}, kFormatA1R5G5B5, true},       {{0xFF, 0x7F}, kFormatA1R5G5B5, false},
        {{0, 0x10}, kFormatA4R4G4B4, true},       {{0xFF, 0x0F}, kFormatA4R4G4B4, false},
        {{0, 0, 0, 128}, kFormatX8R8G8B8, false}, {{0, 0x80}, kFormatR5G6B5, false}, // no alpha, no opaque pixel
    };
    for (const auto& c : cases)
        EXPECT_EQ(CShapeMask::IsOpaque(c.bytes, c.format), c.opaque) << c.format << " " << int(c.bytes[1]);
}

TEST(ShapeMaskTest, WalksFindTheFirstOpaquePixelOfTheArea)
{
    Pixels image(8, 8, kFormatA8R8G8B8);
    image.Set(6, 5, 0xFF000000);
    EXPECT_TRUE(CShapeMask::AnyOpaque(image.View(), 8, 8));
    EXPECT_FALSE(CShapeMask::AnyOpaque(image.View(), 6, 8));
    EXPECT_FALSE(CShapeMask::AnyOpaque(image.View(), 8, 5));
    EXPECT_TRUE(CShapeMask::AnyOpaque(image.View(6, 5), 1, 1));
}

TEST(ShapeMaskTest, MasksOverlappingWhereOneIsTransparentDoNotTouch)
{
    Pixels a(4, 4, kFormatA8R8G8B8);
    Pixels b(4, 4, kFormatA4R4G4B4);
    a.Set(1, 1, 0xFF000000);
    b.Set(2, 2, 0xF000);
    EXPECT_FALSE(CShapeMask::BothOpaque(a.View(), b.View(), 4, 4));
    b.Set(1, 1, 0x1000);
    EXPECT_TRUE(CShapeMask::BothOpaque(a.View(), b.View(), 4, 4));
}

TEST(ShapeMaskTest, MaskPixelExactlyAtTheRadiusTouches)
{
    Pixels image(8, 1, kFormatA1R5G5B5);
    image.Set(5, 0, 0x8000);
    // Pixel 5 of a row starting at scene pixel 10 has its corner at (15, 20).
    const CShapeCircle reaching(CFixPoint(Fix(10), Fix(20)), Fix(5));
    const CShapeCircle shortOf(CFixPoint(Fix(10), Fix(20)), Fix(5) - 1);
    EXPECT_TRUE(CShapeMask::OpaqueInCircle(image.View(), 8, 1, 10, 20, reaching));
    EXPECT_FALSE(CShapeMask::OpaqueInCircle(image.View(), 8, 1, 10, 20, shortOf));
}

TEST_F(ShapeTest, MaskWithoutImageNeverTouches)
{
    BoundsActor* mask = Make(CShape::kMask, Rect{0, 0, 10, 10});
    EXPECT_FALSE(CShape::Collide(mask, Make(CShape::kRect, Rect{0, 0, 10, 10})));
    EXPECT_FALSE(CShape::Collide(Make(CShape::kCircle, Rect{0, 0, 10, 10}), mask));
    EXPECT_FALSE(CShape::Collide(mask, Make(CShape::kMask, Rect{0, 0, 10, 10})));
}

} // namespace
