#include <gtest/gtest.h>
#include <cstring>
#include "UiTestSupport.h"
#include "common/CActorButton.h"

namespace {

class ButtonTest : public ::testing::Test {
protected:
    CActorButton* Make(char* text, const ButtonDesc& behaviour, int32_t hAlign = 0, int32_t vAlign = 0,
                       int32_t x = 100, int32_t y = 50)
    {
        const TextDesc desc = GlyphText(text, &font, hAlign, vAlign);
        return new CActorButton(&desc, &behaviour, &scene, Fix(x), Fix(y), Fix(100), nullptr, 0);
    }

    UiTestScreen screen;
    KeyScene scene{&screen};
    TestGlyphFont font;
    char szText[32] = "abcd"; // 40 x 12 in the test font
};

// Centred on (100, 50); right edge at x and top at y; left edge at x and bottom at y.
TEST_F(ButtonTest, AlignmentPlacesBoxAndText)
{
    struct Case {
        int32_t hAlign, vAlign;
        Rect bounds, text;
    } cases[] = {{0, 0, {72, 36, 128, 64}, {80, 44, 120, 56}},
                 {1, 1, {44, 50, 100, 78}, {52, 58, 92, 70}},
                 {2, 2, {100, 22, 156, 50}, {108, 30, 148, 42}}};
    for (const Case& c : cases) {
        CActorButton* label = Make(szText, Behaviour(kButtonLabel, 0), c.hAlign, c.vAlign);
        EXPECT_EQ(label->GetBounds(), c.bounds) << c.hAlign;
        EXPECT_EQ(label->GetTextRect(), c.text) << c.hAlign;
    }
}

TEST_F(ButtonTest, PressedStateMovesBoundsAndTextTwoPixels)
{
    CActorButton* label = Make(szText, Behaviour(kButtonLabel, 0));
    label->SetState(CActorButton::kPressed);
    EXPECT_EQ(label->GetBounds(), (Rect{74, 38, 130, 66}));
    EXPECT_EQ(label->GetTextRect(), (Rect{82, 46, 122, 58}));
    label->SetState(CActorButton::kNormal);
    EXPECT_EQ(label->GetBounds(), (Rect{72, 36, 128, 64}));
}

TEST_F(ButtonTest, EmptyLabelGetsFiftyByTwenty)
{
    char empty[4] = "";
    CActorButton* label = Make(empty, Behaviour(kButtonLabel, 0));
    EXPECT_EQ(label->GetBounds(), (Rect{100, 50, 150, 70}));
}

TEST_F(ButtonTest, SceneOriginIsNotPartOfTheBounds)
{
    KeyScene offset(&screen, Fix(3), Fix(13));
    const TextDesc desc = GlyphText(szText, &font);
    const ButtonDesc behaviour = Behaviour(kButtonLabel, 0);
    auto* label = new CActorButton(&desc, &behaviour, &offset, Fix(103), Fix(63), Fix(100), nullptr, 0);
    EXPECT_EQ(label->GetBounds(), (Rect{72, 36, 128, 64}));
}

TEST_F(ButtonTest, TextIsCutToMaxLen)
{
    char longText[32] = "abcdefghijklmnopqrstu"; // 16 + 5 characters
    CActorButton* label = Make(longText, Behaviour(kButtonLabel, 0));
    EXPECT_STREQ(label->GetText(), "abcdefghijklmnop");
    EXPECT_EQ(label->GetTextRect().right - label->GetTextRect().left, 160);
    label->SetText("0123456789abcdefXYZ");
    EXPECT_STREQ(label->GetText(), "0123456789abcdef");
    label->SetText("ab");
    EXPECT_STREQ(label->GetText(), "ab");
    EXPECT_EQ(label->GetBounds(), (Rect{82, 36, 118, 64}));
}

TEST_F(ButtonTest, ZeroFillWritesDigitsIntoTheCreatorsText)
{
    ButtonDesc behaviour = Behaviour(kButtonLabel, 0);
    behaviour.nZeroFill = 3;
    CActorButton* label = Make(szText, behaviour);
    EXPECT_STREQ(szText, "000");
    EXPECT_STREQ(label->GetText(), "000");
}

TEST_F(ButtonTest, PushButtonClickSendsKeyDownAndUpThroughTheScene)
{
    CActorButton* button = Make(szText, Behaviour(kButtonPush, 78, 1));
    EXPECT_EQ(Dispatch(MouseEvent::LeftDown, 100, 50), 1);
    EXPECT_EQ(button->GetState(), CActorButton::kPressed);
    EXPECT_EQ(CScene::GetCaptureActor(), button);
    EXPECT_EQ(Dispatch(MouseEvent::LeftUp, 101, 51), 1);
    EXPECT_EQ(button->GetState(), CActorButton::kNormal);
    EXPECT_EQ(CScene::GetCaptureActor(), nullptr);
    EXPECT_EQ(scene.rgKeys, (std::vector<std::string>{"+78", "-78"}));
}

TEST_F(ButtonTest, PushButtonReleasedOutsideSendsOnlyKeyDown)
{
    CActorButton* button = Make(szText, Behaviour(kButtonPush, 27, 1));
    Dispatch(MouseEvent::LeftDown, 100, 50);
    // Moves while captured reach the button, which ignores them.
    EXPECT_EQ(Dispatch(MouseEvent::Move, 300, 300), 0);
    EXPECT_EQ(Dispatch(MouseEvent::LeftUp, 300, 300), 1);
    EXPECT_EQ(button->GetState(), CActorButton::kNormal);
    EXPECT_EQ(CScene::GetCaptureActor(), nullptr);
    EXPECT_EQ(scene.rgKeys, (std::vector<std::string>{"+27"}));
}

TEST_F(ButtonTest, PushButtonPressGoesFromNormalToPressedOnly)
{
    CActorButton* button = Make(szText, Behaviour(kButtonPush, 78, 1));
    button->SetState(CActorButton::kPressed);
    Dispatch(MouseEvent::LeftDown, 102, 52);
    EXPECT_EQ(button->GetState(), CActorButton::kPressed) << "a second press does not disable it";
    Dispatch(MouseEvent::LeftUp, 102, 52);
    EXPECT_EQ(button->GetState(), CActorButton::kNormal);
}

TEST_F(ButtonTest, SceneOpenedWhileHeldGivesTheButtonItsReleaseWithoutCommand)
{
    CActorButton* button = Make(szText, Behaviour(kButtonPush, 78, 1));
    Dispatch(MouseEvent::LeftDown, 100, 50);
    {
        KeyScene dialog(&screen);
        EXPECT_EQ(button->GetState(), CActorButton::kNormal);
        EXPECT_EQ(CScene::GetCaptureActor(), nullptr);
        Dispatch(MouseEvent::LeftUp, 100, 50);
        EXPECT_TRUE(dialog.rgKeys.empty());
    }
    EXPECT_EQ(scene.rgKeys, (std::vector<std::string>{"+78"}));
    Dispatch(MouseEvent::LeftDown, 100, 50);
    Dispatch(MouseEvent::LeftUp, 100, 50);
    EXPECT_EQ(scene.rgKeys, (std::vector<std::string>{"+78", "+78", "-78"}));
}

TEST_F(ButtonTest, PushButtonWithOneStateTakesNoPress)
{
    CActorButton* button = Make(szText, Behaviour(kButtonPush, 78)); // no frame: one state
    EXPECT_EQ(button->CountStates(), 1);
    EXPECT_EQ(Dispatch(MouseEvent::LeftDown, 100, 50), 0);
    EXPECT_EQ(button->GetState(), CActorButton::kNormal);
    EXPECT_EQ(CScene::GetCaptureActor(), nullptr);
    EXPECT_TRUE(scene.rgKeys.empty());
}

TEST_F(ButtonTest, CheckBoxTogglesOnEachPress)
{
    CActorButton* box = Make(szText, Behaviour(kButtonCheckBox, 67, 1));
    Dispatch(MouseEvent::LeftDown, 100, 50);
    EXPECT_EQ(box->GetState(), CActorButton::kPressed);
    Dispatch(MouseEvent::LeftUp, 100, 50); // no capture: the scene's own
    Dispatch(MouseEvent::LeftDown, 100, 50);
    EXPECT_EQ(box->GetState(), CActorButton::kNormal);
    Dispatch(MouseEvent::LeftDown, 100, 50);
    EXPECT_EQ(box->GetState(), CActorButton::kPressed);
    EXPECT_EQ(scene.rgKeys, (std::vector<std::string>{"+67", "+67", "+67"}));
}

TEST_F(ButtonTest, DisabledCheckBoxChangesNothingAndSendsNothing)
{
    CActorButton* box = Make(szText, Behaviour(kButtonCheckBox, 67, 1));
    box->SetState(CActorButton::kDisabled);
    EXPECT_EQ(Dispatch(MouseEvent::LeftDown, 100, 50), 0);
    EXPECT_EQ(box->GetState(), CActorButton::kDisabled);
    EXPECT_TRUE(scene.rgKeys.empty());
}

TEST_F(ButtonTest, SwitchStaysOn)
{
    CActorButton* toggle = Make(szText, Behaviour(kButtonSwitch, 83, 1));
    Dispatch(MouseEvent::LeftDown, 100, 50);
    Dispatch(MouseEvent::LeftUp, 100, 50);
    Dispatch(MouseEvent::LeftDown, 102, 52);
    EXPECT_EQ(toggle->GetState(), CActorButton::kPressed);
    EXPECT_EQ(scene.rgKeys, (std::vector<std::string>{"+83", "+83"}));
}

TEST_F(ButtonTest, LabelStateIsFrozenWhileTheSceneIsPaused)
{
    CActorButton* label = Make(szText, Behaviour(kButtonLabel, 0));
    CActorButton* button = Make(szText, Behaviour(kButtonPush, 78, 1));
    scene.Pause();
    label->SetState(CActorButton::kPressed);
    button->SetState(CActorButton::kPressed);
    EXPECT_EQ(label->GetState(), CActorButton::kNormal);
    EXPECT_EQ(button->GetState(), CActorButton::kPressed);
}

} // namespace
