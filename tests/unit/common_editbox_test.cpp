#include <gtest/gtest.h>
#include "UiTestSupport.h"
#include "common/CEditBox.h"
#include "common/CEditCaret.h"

namespace {

class EditBoxTest : public ::testing::Test {
protected:
    CEditBox* Make()
    {
        TextDesc desc = GlyphText(szText, &font, 2, 0);
        desc.fTextShadow = 1;
        const ButtonDesc behaviour = Behaviour(kButtonLabel, 0);
        return new CEditBox(&scene, Fix(100), Fix(50), Fix(100), &desc, &behaviour);
    }

    UiTestScreen screen;
    KeyScene scene{&screen, Fix(3), Fix(13)};
    TestGlyphFont font;
    char szText[8] = "";
};

TEST_F(EditBoxTest, StripsLeadingZerosButKeepsOneCharacter)
{
    CEditBox* box = Make();
    const struct {
        const char* text;
        int32_t strip;
        const char* shown;
    } cases[] = {{"007", 1, "7"}, {"0", 1, "0"}, {"000", 1, "0"}, {"007", 0, "007"}, {"", 1, ""}};
    for (const auto& c : cases) {
        box->SetText(c.text, c.strip);
        EXPECT_STREQ(box->GetText(), c.shown) << c.text << c.strip;
    }
}

// The scene origin is added once, not twice, to the caret's place.
TEST_F(EditBoxTest, CaretIsABlinkingBarAtTheTextEndWithinTheText)
{
    CEditBox* box = Make();
    CEditCaret* caret = box->GetCaret();
    EXPECT_EQ(caret->GetScene(), &scene);
    EXPECT_STREQ(caret->GetText(), "|");
    EXPECT_TRUE(caret->IsBlinking());
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
}

TEST_F(EditBoxTest, LockedBoxIgnoresTextAndShowsNoCaretAndHidingCarriesTheCaret)
{
    CEditBox* box = Make();
    CEditCaret* caret = box->GetCaret();
    box->SetText("12", 0);
    box->SetLocked(1);
    EXPECT_TRUE(caret->IsHidden());
    box->SetText("99", 0);
    EXPECT_STREQ(box->GetText(), "12");
    box->Hide();
    box->Show();
    EXPECT_FALSE(box->IsHidden());
    EXPECT_TRUE(caret->IsHidden());
    box->SetLocked(0);
    EXPECT_TRUE(caret->IsBlinking());
    box->SetText("99", 0);
    EXPECT_STREQ(box->GetText(), "99");
    box->Hide();
    EXPECT_TRUE(caret->IsHidden());
    EXPECT_FALSE(caret->IsBlinking());
    box->ToggleVisible();
    EXPECT_FALSE(caret->IsHidden());
    EXPECT_TRUE(caret->IsBlinking());
    box->ToggleVisible();
    EXPECT_TRUE(caret->IsHidden());
}

} // namespace
