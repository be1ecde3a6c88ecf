#include <gtest/gtest.h>
#include "UiTestSupport.h"
#include "common/actors/CActor.h"
#include "common/actors/CShape.h"
#include "common/actors/CShapeCircle.h"
#include "common/actors/CShapeMask.h"
#include "platform/video/MFormat.h"

namespace {

// Circles of 10 x 10 bounds have radius 20 * 64 - 64 = 1216 (4.75 pixels);
// a circle touches a rectangle by its edge midpoints or by the corners of its pixels.
TEST(ShapeTest, CollideByTheShapesOfBothActors)
{
    UiTestScreen screen;
    KeyScene scene(&screen);
    const int32_t R = CShape::kRect, C = CShape::kCircle, M = CShape::kMask;
    const struct { int32_t shapeA; Rect a; int32_t shapeB; Rect b; bool touch; } cases[] = {
        {R, {0, 0, 10, 10}, R, {10, 0, 20, 10}, false}, // sharing only an edge
        {R, {0, 0, 10, 10}, R, {0, 10, 10, 20}, false},
        {R, {0, 0, 10, 10}, R, {9, 9, 20, 20}, true},
        {3, {0, 0, 10, 10}, R, {0, 0, 10, 10}, false}, // unknown kinds never touch
        {C, {0, 0, 10, 10}, 3, {0, 0, 10, 10}, false},
        {C, {0, 0, 10, 10}, C, {9, 0, 19, 10}, true}, // centres 9 pixels apart
        {C, {0, 0, 10, 10}, C, {10, 0, 20, 10}, false},
        {C, {0, 0, 10, 10}, R, {5, 5, 6, 6}, true},
        {R, {5, 5, 6, 6}, C, {0, 0, 10, 10}, true},
        {C, {0, 0, 10, 10}, R, {9, -10, 20, 1}, false},
        {M, {0, 0, 10, 10}, R, {0, 0, 10, 10}, false}, // a mask without image never touches
        {C, {0, 0, 10, 10}, M, {0, 0, 10, 10}, false},
        {M, {0, 0, 10, 10}, M, {0, 0, 10, 10}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.shapeA << c.shapeB << " " << c.b.left << "," << c.b.top);
        auto* a = new BoundsActor(&scene, c.shapeA, c.a);
        EXPECT_EQ(CShape::Collide(a, new BoundsActor(&scene, c.shapeB, c.b)), c.touch);
        EXPECT_FALSE(CShape::Collide(a, nullptr));
    }
}

TEST(ShapeTest, CirclesTouchOnlyCloserThanTheSumOfTheirRadii)
{
    EXPECT_EQ(CShapeCircle::ActorRadius(Rect{0, 0, 10, 10}), 1216);
    const CShapeCircle a(CFixPoint(0, 0), 1216);
    EXPECT_FALSE(a.Overlaps(CShapeCircle(CFixPoint(2432, 0), 1216)));
    EXPECT_TRUE(a.Overlaps(CShapeCircle(CFixPoint(2431, 0), 1216)));
    EXPECT_TRUE(a.Reaches(CFixPoint(0, 1216)));
    EXPECT_FALSE(a.Reaches(CFixPoint(0, 1217)));
    // Midpoints (0, 5), (9, 5), (5, 0), (5, 9); the corner of the centre pixel lies at the centre;
    // a corner 4 pixels right and up (5.66 away) is outside, one 3 right and up (4.24) inside.
    const struct { Rect r; bool touch; } rects[] = {{{9, 5, 12, 6}, true},  {{5, -3, 6, 1}, true},
                                                    {{10, 5, 12, 6}, false}, {{5, 5, 6, 6}, true},
                                                    {{9, -10, 20, 1}, false}, {{8, -10, 20, 2}, true}};
    for (const auto& c : rects)
        EXPECT_EQ(CShapeCircle::TouchesRect(Rect{0, 0, 10, 10}, c.r), c.touch) << c.r.left << "," << c.r.top;
}

// Opacity by format; walks over 32-bit images are tested with device textures.
TEST(ShapeMaskTest, OpacityByPixelFormat)
{
    const struct { uint8_t bytes[4]; int32_t format; bool opaque; } cases[] = {
        {{0, 0, 0, 127}, kFormatA8R8G8B8, false}, {{0, 0, 0, 128}, kFormatA8R8G8B8, true},
        {{0, 0x80}, kFormatA1R5G5B5, true},       {{0xFF, 0x7F}, kFormatA1R5G5B5, false},
        {{0, 0x10}, kFormatA4R4G4B4, true},       {{0xFF, 0x0F}, kFormatA4R4G4B4, false},
        {{0, 0, 0, 128}, kFormatX8R8G8B8, false}, {{0, 0x80}, kFormatR5G6B5, false}, // no alpha, no opaque pixel
    };
    for (const auto& c : cases)
        EXPECT_EQ(CShapeMask::IsOpaque(c.bytes, c.format), c.opaque) << c.format << " " << int(c.bytes[1]);
}

} // namespace
