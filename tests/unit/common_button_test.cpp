#include <gtest/gtest.h>
#include "GLTestWindow.h"
#include "UiTestSupport.h"
#include "common/actors/CActorButton.h"
#include "common/actors/CActorHotspot.h"
#include "common/actors/CEditBox.h"
#include "common/actors/CEditCaret.h"
#include "common/actors/DrawBevelFrame.h"

namespace {

using Keys = std::vector<std::string>;

class ButtonTest : public ::testing::Test {
protected:
    CActorButton* Make(char* text, const ButtonDesc& behaviour, int32_t hAlign = 0, int32_t vAlign = 0,
                       CScene* in = nullptr)
    {
        const TextDesc desc = GlyphText(text, &font, hAlign, vAlign);
        return new CActorButton(&desc, &behaviour, in ? in : &scene, Fix(100), Fix(50), Fix(100), nullptr, 0);
    }
    // An edit box with shadowed left-aligned text in a scene at (3, 13).
    CEditBox* EditBox()
    {
        TextDesc desc = GlyphText(szEdit, &font, 2, 0);
        desc.fTextShadow = 1;
        const ButtonDesc behaviour = Behaviour(kButtonLabel, 0);
        return new CEditBox(&offset, Fix(100), Fix(50), Fix(100), &desc, &behaviour);
    }

    UiTestScreen screen;
    KeyScene offset{&screen, Fix(3), Fix(13)}; // below the scene that takes the mouse
    KeyScene scene{&screen};
    TestGlyphFont font;
    char szText[32] = "abcd"; // 40 x 12 in the test font
    char szEdit[8] = "";
};

// Bounds leave out the scene origin; a pressed button moves two pixels; an empty one is fifty by twenty.
TEST_F(ButtonTest, AlignmentPlacesBoxAndTextPressedMovesThemTwoPixelsAndTextIsCutToMaxLen)
{
    const struct { int32_t hAlign, vAlign; Rect bounds, text; } cases[] = {
        {0, 0, {69, 23, 125, 51}, {77, 31, 117, 43}},
        {1, 1, {41, 37, 97, 65}, {49, 45, 89, 57}},
        {2, 2, {97, 9, 153, 37}, {105, 17, 145, 29}}};
    for (const auto& c : cases) {
        CActorButton* label = Make(szText, Behaviour(kButtonLabel, 0), c.hAlign, c.vAlign, &offset);
        EXPECT_EQ(label->GetBounds(), c.bounds) << c.hAlign;
        EXPECT_EQ(label->GetTextRect(), c.text) << c.hAlign;
        label->SetState(CActorButton::kPressed);
        EXPECT_EQ(label->GetBounds().left - c.bounds.left, 2);
        EXPECT_EQ(label->GetTextRect().bottom - c.text.bottom, 2);
    }
    char empty[4] = "";
    EXPECT_EQ(Make(empty, Behaviour(kButtonLabel, 0), 0, 0, &offset)->GetBounds(), (Rect{97, 37, 147, 57}));
    char longText[32] = "abcdefghijklmnopqrstu"; // 16 + 5 characters
    CActorButton* label = Make(longText, Behaviour(kButtonLabel, 0));
    EXPECT_STREQ(label->GetText(), "abcdefghijklmnop");
    EXPECT_EQ(label->GetTextRect().Width(), 160);
    label->SetText("0123456789abcdefXYZ");
    EXPECT_STREQ(label->GetText(), "0123456789abcdef");
    label->SetText("ab");
    EXPECT_EQ(label->GetBounds(), (Rect{82, 36, 118, 64}));
    ButtonDesc zeros = Behaviour(kButtonLabel, 0);
    zeros.nZeroFill = 3;
    EXPECT_STREQ(Make(szText, zeros)->GetText(), "000");
    EXPECT_STREQ(szText, "000");
}

// Each row: a button, mouse events with the state after each, the keys the scene got.
TEST_F(ButtonTest, ClicksByKind)
{
    using E = MouseEvent;
    struct Step { uint32_t type; uint16_t x, y; int32_t state; };
    const struct { int32_t kind, command, framed, initial; std::vector<Step> steps; Keys keys; } cases[] = {
        // Released outside: moves while captured reach the button, which ignores them.
        {kButtonPush, 27, 1, 0, {{E::LeftDown, 100, 50, 1}, {E::Move, 300, 300, 1}, {E::LeftUp, 300, 300, 0}},
         {"+27"}},
        // A second press does not disable it.
        {kButtonPush, 78, 1, 1, {{E::LeftDown, 102, 52, 1}, {E::LeftUp, 102, 52, 0}}, {"+78", "-78"}},
        {kButtonPush, 78, 0, 0, {{E::LeftDown, 100, 50, 0}}, {}}, // no frame: one state, no press
        {kButtonCheckBox, 67, 1, 0,
         {{E::LeftDown, 100, 50, 1}, {E::LeftUp, 100, 50, 1}, {E::LeftDown, 100, 50, 0}, {E::LeftDown, 100, 50, 1}},
         {"+67", "+67", "+67"}},
        {kButtonCheckBox, 67, 1, 2, {{E::LeftDown, 100, 50, 2}}, {}},
        {kButtonSwitch, 83, 1, 0, {{E::LeftDown, 100, 50, 1}, {E::LeftUp, 100, 50, 1}, {E::LeftDown, 102, 52, 1}},
         {"+83", "+83"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind * 100 + c.command);
        scene.rgKeys.clear();
        CActorButton* button = Make(szText, Behaviour(c.kind, c.command, c.framed));
        button->SetState(c.initial);
        for (const Step& s : c.steps) {
            Dispatch(s.type, s.x, s.y);
            EXPECT_EQ(button->GetState(), s.state) << s.type;
        }
        EXPECT_EQ(CScene::GetCaptureActor(), nullptr);
        EXPECT_EQ(scene.rgKeys, c.keys);
        delete button;
    }
}

TEST_F(ButtonTest, SceneOpenedWhileHeldGivesTheButtonItsReleaseWithoutCommand)
{
    CActorButton* button = Make(szText, Behaviour(kButtonPush, 78, 1));
    Dispatch(MouseEvent::LeftDown, 100, 50);
    EXPECT_EQ(CScene::GetCaptureActor(), button);
    {
        KeyScene dialog(&screen);
        EXPECT_EQ(button->GetState(), CActorButton::kNormal);
        EXPECT_EQ(CScene::GetCaptureActor(), nullptr);
        Dispatch(MouseEvent::LeftUp, 100, 50);
        EXPECT_TRUE(dialog.rgKeys.empty());
    }
    Dispatch(MouseEvent::LeftDown, 100, 50);
    Dispatch(MouseEvent::LeftUp, 100, 50);
    EXPECT_EQ(scene.rgKeys, (Keys{"+78", "+78", "-78"}));
    // While the scene is paused a label's state is frozen, a button's is not.
    CActorButton* label = Make(szText, Behaviour(kButtonLabel, 0));
    scene.Suspend(0);
    label->SetState(CActorButton::kPressed);
    button->SetState(CActorButton::kPressed);
    EXPECT_EQ(label->GetState(), CActorButton::kNormal);
    EXPECT_EQ(button->GetState(), CActorButton::kPressed);
}

// The dialog tests click hotspots; here their place, centre and the disabled state.
TEST_F(ButtonTest, HotspotCoversItsRectangleLessTheOriginAndWhenDisabledTakesNothing)
{
    KeyScene top(&screen, Fix(3), Fix(13));
    auto* hotspot = new CActorHotspot(&top, 10, 20, 50, 60, Fix(50), 49);
    EXPECT_EQ(hotspot->GetBounds(), (Rect{7, 7, 47, 47}));
    int32_t x = 0, y = 0;
    hotspot->GetCentre(&x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(Fix(30 - 3), Fix(40 - 13)));
    const MouseEvent right = Mouse(MouseEvent::RightDown, 20, 20);
    EXPECT_FALSE(hotspot->WantsMouse(&right));
    hotspot->SetEnabled(0);
    const MouseEvent press = Mouse(MouseEvent::LeftDown, 20, 20);
    EXPECT_EQ(hotspot->OnMouse(&press), 0);
}

// The scene origin is added once, not twice, to the caret's place.
TEST_F(ButtonTest, EditBoxCaretIsABarAtTheTextEndAndLeadingZerosGoButOneCharacter)
{
    CEditBox* box = EditBox();
    CEditCaret* caret = box->GetCaret();
    EXPECT_EQ(caret->GetScene(), &offset);
    EXPECT_STREQ(caret->GetText(), "|");
    EXPECT_EQ(caret->GetZ(), box->GetZ() - 256);
    EXPECT_EQ(caret->GetY(), box->GetY() - Fix(3));
    box->SetText("abc", 0);
    EXPECT_EQ(box->GetCaretPos(), 3);
    EXPECT_EQ(caret->GetX(), box->GetX() + Fix(27)) << "3 glyphs of 10 pixels, less 3 pixels";
    box->MoveCaret(-2);
    EXPECT_EQ(caret->GetX(), box->GetX() + Fix(7));
    box->MoveCaret(-5);
    EXPECT_EQ(box->GetCaretPos(), 0);
    box->MoveCaret(10);
    EXPECT_EQ(box->GetCaretPos(), 3);
    const struct { const char* text; int32_t strip; const char* shown; } cases[] = {
        {"007", 1, "7"}, {"000", 1, "0"}, {"007", 0, "007"}, {"", 1, ""}};
    for (const auto& c : cases) {
        box->SetText(c.text, c.strip);
        EXPECT_STREQ(box->GetText(), c.shown) << c.text << c.strip;
    }
}

TEST_F(ButtonTest, EditBoxLockedIgnoresTextAndShowsNoCaretAndHidingCarriesTheCaret)
{
    CEditBox* box = EditBox();
    CEditCaret* caret = box->GetCaret();
    box->SetText("12", 0);
    box->SetLocked(1);
    box->SetText("99", 0);
    EXPECT_STREQ(box->GetText(), "12");
    box->Show();
    EXPECT_TRUE(caret->IsHidden());
    box->SetLocked(0);
    EXPECT_TRUE(caret->IsBlinking());
    box->ToggleVisible();
    EXPECT_TRUE(caret->IsHidden() && !caret->IsBlinking());
    box->ToggleVisible();
    EXPECT_TRUE(!caret->IsHidden() && caret->IsBlinking());
}

using BevelTest = GLTestWindow;

// Raised bevels grow outwards, sunken ones lie inside the box; the edges are
// the colour brightened halfway to white and halved.
TEST_F(BevelTest, RaisedGrowOutwardsSunkenLieInside)
{
    constexpr uint32_t kBlue = 0xFF0000FF;
    ASSERT_EQ(device->BeginFrame(), 0);
    EXPECT_EQ(DrawBevelFrame(10, 10, 10, 20, 0, 1, 0, 1, 0), int32_t(0x80070057));
    ASSERT_EQ(DrawBevelFrame(20, 20, 60, 50, 0xFF00FF00, 2, 0xFF808080, 1, 0), 0);
    ASSERT_EQ(DrawBevelFrame(80, 20, 120, 50, 0xFF00FF00, -3, 0xFF808080, 2, 1), 0);
    const struct { int32_t x, y; uint32_t colour; } pixels[] = {
        {30, 30, 0xFF00FF00}, {30, 18, 0xFFBFBFBF}, {30, 51, 0xFF404040}, {61, 18, 0xFF404040},
        {30, 17, kBlue},      {90, 22, 0xFF404040}, {90, 47, 0xFFBFBFBF}, {90, 30, kBlue}};
    for (const auto& p : pixels)
        EXPECT_EQ(PixelAt(p.x, p.y), p.colour) << p.x << "," << p.y;
    EXPECT_EQ(device->EndFrame(), 0);
}

} // namespace
