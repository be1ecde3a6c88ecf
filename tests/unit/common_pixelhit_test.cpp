#include <gtest/gtest.h>
#include <cstring>
#include "GLTestDevice.h"
#include "UiTestSupport.h"
#include "common/CActorButton.h"
#include "common/CShape.h"
#include "common/CSprite.h"
#include "common/CSpriteArray.h"
#include "platform/MFormat.h"
#include "platform/MTexture.h"

namespace {

// A 4 x 2 texture whose pixel alphas are given row by row.
MTexture* AlphaTexture(const uint8_t alpha[8])
{
    auto* texture = new MTexture(4, 2);
    int32_t pitch = 0;
    auto* bits = static_cast<uint8_t*>(texture->Lock(nullptr, &pitch, 0));
    if (!bits)
        return texture;
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 4; ++x) {
            const uint32_t texel = uint32_t(alpha[y * 4 + x]) << 24 | 0x00FFFFFF;
            std::memcpy(bits + y * pitch + x * 4, &texel, 4);
        }
    texture->UnLock(0);
    return texture;
}

const uint8_t kLeftColumnOpaque[8] = {255, 127, 0, 0, 128, 0, 0, 0};

class PixelHitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!GLTestDevice())
            GTEST_SKIP() << "no display for a texture";
        screen.SetDevice(GLTestDevice());
        sprite = new CSprite(AlphaTexture(kLeftColumnOpaque));
        ASSERT_EQ(sprite->pTexture->GetFormat(), kFormatA8R8G8B8);
        states.Store(0, sprite);
        states.nCount = 1;
    }

    UiTestScreen screen;
    KeyScene scene{&screen};
    CSpriteArray states{1};
    CSprite* sprite = nullptr;
};

TEST_F(PixelHitTest, AlphaOf127IsTransparentAnd128OpaqueAndOutsideIsTransparent)
{
    const struct {
        int32_t x, y, transparent;
    } cases[] = {{0, 0, 0}, {1, 0, 1}, {0, 1, 0}, {3, 1, 1}, {4, 0, 1}, {0, 2, 1}, {-1, 0, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(sprite->IsTransparentAt(c.x, c.y, 0, 0), c.transparent) << c.x << "," << c.y;
    // The texture is not left locked by any lookup.
    int32_t pitch = 0;
    EXPECT_NE(sprite->pTexture->Lock(nullptr, &pitch, 0), nullptr);
    sprite->pTexture->UnLock(0);
}

TEST_F(PixelHitTest, ButtonTakesPressesOnlyOnOpaquePixelsOfItsImage)
{
    char text[4] = "";
    const TextDesc desc = GlyphText(text, nullptr);
    const ButtonDesc behaviour = Behaviour(kButtonSwitch, 78);
    states.Store(1, new CSprite(AlphaTexture(kLeftColumnOpaque)));
    states.nCount = 2;
    auto* button = new CActorButton(&desc, &behaviour, &scene, Fix(20), Fix(10), Fix(50), &states, 0);
    EXPECT_EQ(button->GetBounds(), (Rect{20, 10, 24, 12}));
    Dispatch(MouseEvent::LeftDown, 21, 10); // transparent: the scene's
    EXPECT_TRUE(scene.rgKeys.empty());
    Dispatch(MouseEvent::LeftDown, 20, 11);
    EXPECT_EQ(scene.rgKeys, (std::vector<std::string>{"+78"}));
    EXPECT_EQ(button->GetImage(), states.Get(1));
}

// An image-mask actor at a given place.
class MaskActor : public CActor {
public:
    MaskActor(CScene* scene, CSprite* image, int32_t left, int32_t top)
        : CActor(scene, 0, 0, Fix(10), 0, CShape::kMask), pImage(image)
    {
        rcBounds = Rect{left, top, left + image->nWidth, top + image->nHeight};
    }
    CSprite* GetImage() override { return pImage; }
    void UpdateBounds() override {}
    void Draw(const Rect*) override {}

private:
    CSprite* pImage;
};

TEST_F(PixelHitTest, MasksTouchOnlyWithTheirOpaquePixels)
{
    auto* mask = new MaskActor(&scene, sprite, 10, 10); // opaque at (10, 10) and (10, 11)
    EXPECT_TRUE(CShape::Collide(mask, new BoundsActor(&scene, CShape::kRect, Rect{0, 0, 11, 11})));
    EXPECT_FALSE(CShape::Collide(mask, new BoundsActor(&scene, CShape::kRect, Rect{11, 0, 20, 20})));
    EXPECT_TRUE(CShape::Collide(new BoundsActor(&scene, CShape::kRect, Rect{10, 11, 11, 12}), mask));
    // A circle whose radius reaches the pixel corner (10, 10).
    EXPECT_TRUE(CShape::Collide(mask, new BoundsActor(&scene, CShape::kCircle, Rect{6, 6, 14, 14})));
    EXPECT_FALSE(CShape::Collide(mask, new BoundsActor(&scene, CShape::kCircle, Rect{11, 6, 19, 14})));
    // The same image, or another texture, one pixel lower meets ours; one pixel right it lies over our
    // transparent column.
    CSprite other(AlphaTexture(kLeftColumnOpaque));
    for (CSprite* image : {sprite, &other}) {
        EXPECT_TRUE(CShape::Collide(mask, new MaskActor(&scene, image, 10, 11)));
        EXPECT_FALSE(CShape::Collide(mask, new MaskActor(&scene, image, 11, 10)));
    }
}

} // namespace
