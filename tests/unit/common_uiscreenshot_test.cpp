// Engine actors on the OpenGL device: the fade, pixel hits on images and
// glyph labels.
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include "GLTestWindow.h"
#include "UiTestSupport.h"
#include "common/actors/CActorButton.h"
#include "common/actors/CActorFade.h"
#include "common/scene/CSceneStack.h"
#include "common/actors/CShape.h"
#include "common/assets/CSprite.h"
#include "common/assets/CSpriteArray.h"
#include "platform/video/MFormat.h"
#include "platform/video/MTexture.h"

namespace {

const int32_t kFadePos[3] = {0, 0, 2560};
const uint8_t kLeftColumnOpaque[8] = {255, 127, 0, 0, 128, 0, 0, 0}; // alphas of a 4 x 2 image

// A 4 x 2 texture with the alphas given row by row.
MTexture* AlphaTexture(const uint8_t alpha[8])
{
    auto* texture = new MTexture(4, 2);
    int32_t pitch = 0;
    auto* bits = static_cast<uint8_t*>(texture->Lock(nullptr, &pitch, 0));
    for (int32_t i = 0; i < 8; ++i) {
        const uint32_t texel = uint32_t(alpha[i]) << 24 | 0x00FFFFFF;
        std::memcpy(bits + i / 4 * pitch + i % 4 * 4, &texel, 4);
    }
    texture->UnLock(0);
    return texture;
}

// A mask actor of a 4 x 2 image at a given place.
BoundsActor* Mask(CScene* scene, CSprite* image, int32_t left, int32_t top)
{
    return new BoundsActor(scene, CShape::kMask, Rect{left, top, left + 4, top + 2}, image);
}

// A screen of another colour depth than 32 bits, whose fade texture is not A4R4G4B4.
struct ShallowDevice : fakes::Device {
    int32_t GetBitsPerPixel() const override { return 16; }
};

class UiDrawTest : public GLTestWindow {
protected:
    void SetUp() override
    {
        Open(800, 600);
        UseDevice(device);
    }
    void TearDown() override
    {
        scene.reset();
        Close();
    }
    void UseDevice(BDevice* with)
    {
        screen.SetDevice(with);
        scene = std::make_unique<KeyScene>(&screen);
    }
    // Runs frames of dt ticks; the number of steps they made.
    static int32_t Run(CActorFade* fade, int32_t frames, int32_t dt)
    {
        const int32_t before = fade->GetStep();
        for (int32_t i = 0; i < frames; ++i)
            fade->Update(dt);
        return fade->GetStep() - before;
    }
    UiTestScreen screen;
    std::unique_ptr<KeyScene> scene;
};

// Without a device the fade covers the scene; a fade that cannot run ends revealed at once.
TEST_F(UiDrawTest, OneFadeActorWhateverTheSceneAndOnAShallowScreenItEndsRevealedAtOnce)
{
    ShallowDevice shallow;
    KeyScene second(&screen);
    UseDevice(nullptr);
    scene->SetRect(Rect{0, 0, 300, 200}, 0, 0);
    CActorFade* fade = CActorFade::Get(scene.get(), kFadePos);
    EXPECT_EQ(fade->GetBounds(), (Rect{0, 0, 300, 200}));
    EXPECT_EQ(CActorFade::Get(&second, kFadePos), fade);
    UseDevice(&shallow);
    EXPECT_EQ(CActorFade::Current(), nullptr) << "deleted with its scene";
    fade = CActorFade::Get(scene.get(), kFadePos);
    fade->StartFade(1);
    EXPECT_EQ(fade->GetBounds(), (Rect{0, 0, 800, 600}));
    EXPECT_TRUE(fade->IsRevealed() && fade->IsHidden());
    EXPECT_FALSE(fade->IsFading() || fade->IsCovered());
    EXPECT_EQ(Run(fade, 10, 4), 0);
    scene.reset();
}

// A step every four ticks; a one-tick frame counts two, a long frame twelve.
TEST_F(UiDrawTest, FadeStepsEveryTwoOneTickFramesAndOnceInALongFrame)
{
    CActorFade* fade = CActorFade::Get(scene.get(), kFadePos);
    fade->StartFade(1);
    EXPECT_EQ(fade->TicksToNextChange(), 0) << "a fade steps on every frame";
    CScene::DrawAllScenes();
    EXPECT_EQ(Run(fade, 1, 1), 0);
    EXPECT_FALSE(CSceneStack::IsRepaintPending());
    EXPECT_EQ(fade->GetStepLeft(), 2);
    EXPECT_EQ(Run(fade, 1, 1), 1);
    EXPECT_TRUE(CSceneStack::IsRepaintPending()) << "a fade step draws the next frame";
    // 26 steps in all, then one more turn to end.
    EXPECT_EQ(Run(fade, 50, 1), 25);
    EXPECT_EQ(Run(fade, 2, 1), 0);
    EXPECT_TRUE(fade->IsRevealed() && fade->IsHidden() && !fade->IsFading());
    EXPECT_EQ(fade->TicksToNextChange(), CScene::NoChange);
    fade->StartFade(1); // again, from full alpha
    EXPECT_EQ(Run(fade, 1, 100), 1);
    EXPECT_EQ(fade->GetStepLeft(), -4);
    EXPECT_EQ(Run(fade, 1, 12), 1);
    EXPECT_EQ(fade->GetStepLeft(), -12);
}

// Alpha 127 is transparent and 128 opaque; only opaque pixels take presses and touch.
TEST_F(UiDrawTest, OpaquePixelsAloneTakePressesAndTouch)
{
    CSpriteArray states(2);
    for (int i = 0; i < 2; ++i)
        states.Store(i, new CSprite(AlphaTexture(kLeftColumnOpaque)));
    states.nCount = 2;
    CSprite* sprite = states.Get(0);
    ASSERT_EQ(sprite->pTexture->GetFormat(), kFormatA8R8G8B8);
    const struct { int32_t x, y, transparent; } cases[] = {{0, 0, 0},  {1, 0, 1}, {0, 1, 0}, {3, 1, 1},
                                                            {4, 0, 1}, {0, 2, 1}, {-1, 0, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(sprite->IsTransparentAt(c.x, c.y, 0, 0), c.transparent) << c.x << "," << c.y;
    int32_t pitch = 0;
    EXPECT_NE(sprite->pTexture->Lock(nullptr, &pitch, 0), nullptr) << "no lookup leaves the texture locked";
    sprite->pTexture->UnLock(0);
    char text[4] = "";
    const TextDesc desc = GlyphText(text, nullptr);
    const ButtonDesc behaviour = Behaviour(kButtonSwitch, 78);
    KeyScene* s = scene.get();
    auto* button = new CActorButton(&desc, &behaviour, s, Fix(20), Fix(10), Fix(50), &states, 0);
    EXPECT_EQ(button->GetBounds(), (Rect{20, 10, 24, 12}));
    Dispatch(MouseEvent::LeftDown, 21, 10); // transparent: the scene's
    EXPECT_TRUE(s->rgKeys.empty());
    Dispatch(MouseEvent::LeftDown, 20, 11);
    EXPECT_EQ(s->rgKeys, (std::vector<std::string>{"+78"}));
    EXPECT_EQ(button->GetImage(), states.Get(1));
    auto* mask = Mask(s, sprite, 10, 10); // opaque at (10, 10) and (10, 11)
    EXPECT_TRUE(CShape::Collide(mask, new BoundsActor(s, CShape::kRect, Rect{0, 0, 11, 11})));
    EXPECT_FALSE(CShape::Collide(mask, new BoundsActor(s, CShape::kRect, Rect{11, 0, 20, 20})));
    EXPECT_TRUE(CShape::Collide(new BoundsActor(s, CShape::kRect, Rect{10, 11, 11, 12}), mask));
    // A circle whose radius reaches the pixel corner (10, 10).
    EXPECT_TRUE(CShape::Collide(mask, new BoundsActor(s, CShape::kCircle, Rect{6, 6, 14, 14})));
    EXPECT_FALSE(CShape::Collide(mask, new BoundsActor(s, CShape::kCircle, Rect{11, 6, 19, 14})));
    // The same image, or another, one pixel lower meets ours; one pixel right it lies over our
    // transparent column.
    for (CSprite* with : {sprite, states.Get(1)}) {
        EXPECT_TRUE(CShape::Collide(mask, Mask(s, with, 10, 11)));
        EXPECT_FALSE(CShape::Collide(mask, Mask(s, with, 11, 10)));
    }
    scene.reset();
}

// A 4 x 8 glyph of one colour.
CSprite* SolidGlyph(uint32_t colour)
{
    auto* texture = new MTexture(4, 8);
    texture->Fill32(colour);
    return new CSprite(texture);
}

TEST_F(UiDrawTest, GlyphFontLabelDrawsEachGlyphInItsCell)
{
    CGlyphFont font(2);
    font.chFirst = 'A';
    font.Store(0, SolidGlyph(0xFFFF0000));
    font.Store(1, SolidGlyph(0xFF00FF00));
    font.nCount = 2;
    font.nLineHeight = 8;
    font.nAdvance = 5;
    font.nSpacing = 2;
    char text[8] = "AB A";
    const TextDesc desc{text, 8, 2, 1, &font, 0, 0xFFFFFFFF, 0, 0};
    const ButtonDesc label = Behaviour(kButtonLabel, 0);
    // The scene deletes the label, which does not touch its font again.
    new CActorButton(&desc, &label, scene.get(), Fix(400), Fix(400), Fix(100), nullptr, 0);
    // A at 408, B after A's width and the spacing, a blank of 5, then A again.
    ASSERT_EQ(device->BeginFrame(), 0);
    scene->Draw();
    const struct { int32_t x, y; uint32_t rgb; } pixels[] = {{409, 411, 0xFF0000}, {412, 411, 0x0000FF},
                                                              {415, 411, 0x00FF00}, {422, 411, 0x0000FF},
                                                              {426, 411, 0xFF0000}, {426, 416, 0x0000FF}};
    for (const auto& p : pixels)
        EXPECT_EQ(PixelAt(p.x, p.y) & 0xFFFFFF, p.rgb) << p.x << "," << p.y;
    device->EndFrame();
}

} // namespace
