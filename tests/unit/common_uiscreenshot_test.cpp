#include <gtest/gtest.h>
#include <epoxy/gl.h>
#include <vector>
#include "GLTestDevice.h"
#include "UiTestSupport.h"
#include "common/CActorButton.h"
#include "common/CActorFade.h"
#include "common/CEditBox.h"
#include "common/CEditCaret.h"
#include "common/CGlyphFont.h"
#include "common/CSprite.h"
#include "platform/MTexture.h"

namespace {

struct Pixel {
    int r, g, b;
};

// The back buffer as the scene engine left it, top row first.
class Picture {
public:
    Picture(int32_t w, int32_t h) : nWidth(w), nHeight(h), rgBytes(size_t(w * h * 4))
    {
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgBytes.data());
    }
    Pixel At(int32_t x, int32_t y) const
    {
        const uint8_t* p = &rgBytes[size_t(((nHeight - 1 - y) * nWidth + x) * 4)];
        return Pixel{p[0], p[1], p[2]};
    }
    // Pixels of r that pass the test.
    template <class Test>
    int32_t Count(const Rect& r, Test test) const
    {
        int32_t n = 0;
        for (int32_t y = r.top; y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x)
                n += test(At(x, y)) ? 1 : 0;
        return n;
    }

private:
    int32_t nWidth;
    int32_t nHeight;
    std::vector<uint8_t> rgBytes;
};

bool Near(const Pixel& p, int r, int g, int b)
{
    const auto close = [](int a, int e) { return a >= e - 3 && a <= e + 3; };
    return close(p.r, r) && close(p.g, g) && close(p.b, b);
}

class UiScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        device = GLTestDevice();
        if (!device)
            GTEST_SKIP() << "no display";
        screen.SetDevice(device);
        scene = std::make_unique<KeyScene>(&screen);

        char newText[8] = "New";
        const TextDesc buttonText{newText, 8, 0, 0, nullptr, 0, 0xFFFFFFFF, 1, 0};
        const ButtonDesc push = Behaviour(kButtonPush, 78, 1);
        button = new CActorButton(&buttonText, &push, scene.get(), Fix(200), Fix(100), Fix(200), nullptr, 0);

        char empty[4] = "";
        const TextDesc lineText{empty, 64, 2, 0, nullptr, 1, 0xFFFFFF00, 0, 0};
        const ButtonDesc label = Behaviour(kButtonLabel, 0);
        box = new CEditBox(scene.get(), Fix(300), Fix(300), Fix(100), &lineText, &label);
        box->SetText("Well done", 0);
    }

    Picture DrawFrame()
    {
        EXPECT_EQ(device->BeginFrame(), 0);
        scene->Draw();
        Picture picture(device->GetBackBufferWidth(), device->GetBackBufferHeight());
        device->EndFrame();
        return picture;
    }

    MDeviceManager* device = nullptr;
    UiTestScreen screen;
    std::unique_ptr<KeyScene> scene;
    CActorButton* button = nullptr;
    CEditBox* box = nullptr;
};

TEST_F(UiScreenshotTest, ButtonEditBoxAndFadeInProgress)
{
    const Rect frame = button->GetBounds();
    const Rect buttonText = button->GetTextRect();
    const Rect boxText = box->GetTextRect();
    ASSERT_GT(buttonText.right - buttonText.left, 10);
    ASSERT_GT(boxText.right - boxText.left, 40);

    const Picture plain = DrawFrame();
    EXPECT_TRUE(Near(plain.At(700, 500), 0, 0, 255)); // the cleared back buffer
    EXPECT_TRUE(Near(plain.At(frame.left + 4, frame.top + 4), 127, 0, 0));
    const auto white = [](const Pixel& p) { return p.r > 200 && p.g > 200 && p.b > 200; };
    const auto yellow = [](const Pixel& p) { return p.r > 200 && p.g > 200 && p.b < 80; };
    const auto cyan = [](const Pixel& p) { return p.r < 80 && p.g > 200 && p.b > 200; };
    EXPECT_GT(plain.Count(buttonText, white), 15);
    EXPECT_GT(plain.Count(boxText, yellow), 40);
    const Rect caretArea = box->GetCaret()->GetBounds();
    EXPECT_GT(plain.Count(caretArea, cyan), 5);

    // Thirteen steps in: the overlay was last filled with alpha 255 - 10 * 12.
    scene->FadeIn();
    CActorFade* fade = CActorFade::Current();
    ASSERT_NE(fade, nullptr);
    for (int32_t i = 0; i < 13; ++i)
        fade->Update(4);
    ASSERT_TRUE(fade->IsFading());
    const Picture faded = DrawFrame();
    EXPECT_TRUE(Near(faded.At(700, 500), 0, 0, 120));
    EXPECT_TRUE(Near(faded.At(frame.left + 4, frame.top + 4), 60, 0, 0));
    EXPECT_EQ(faded.Count(buttonText, white), 0);
    EXPECT_EQ(faded.Count(boxText, yellow), 0);
    const auto dimYellow = [](const Pixel& p) { return p.r > 90 && p.g > 90 && p.b < 40; };
    EXPECT_GT(faded.Count(boxText, dimYellow), 40);

    // Revealed: the overlay is no longer drawn.
    for (int32_t i = 0; i < 20; ++i)
        fade->Update(4);
    EXPECT_TRUE(fade->IsRevealed());
    const Picture revealed = DrawFrame();
    EXPECT_TRUE(Near(revealed.At(700, 500), 0, 0, 255));
}

// A 4 x 8 glyph of one colour.
CSprite* SolidGlyph(uint32_t colour)
{
    auto* texture = new MTexture(4, 8);
    texture->Fill32(colour);
    return new CSprite(texture);
}

TEST_F(UiScreenshotTest, GlyphFontLabelDrawsEachGlyphInItsCell)
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
    auto* glyphs = new CActorButton(&desc, &label, scene.get(), Fix(400), Fix(400), Fix(100), nullptr, 0);
    ASSERT_EQ(glyphs->GetTextRect().left, 408);
    ASSERT_EQ(glyphs->GetTextRect().top, 408);

    // A at 408, B after A's width and the spacing, a blank of 5, then A again.
    const Picture picture = DrawFrame();
    EXPECT_TRUE(Near(picture.At(409, 411), 255, 0, 0));
    EXPECT_TRUE(Near(picture.At(412, 411), 0, 0, 255));
    EXPECT_TRUE(Near(picture.At(415, 411), 0, 255, 0));
    EXPECT_TRUE(Near(picture.At(422, 411), 0, 0, 255));
    EXPECT_TRUE(Near(picture.At(426, 411), 255, 0, 0));
    EXPECT_TRUE(Near(picture.At(426, 416), 0, 0, 255));
}

} // namespace
