#include <gtest/gtest.h>
#include "UiTestSupport.h"
#include "common/CEditBox.h"
#include "common/CEditCaret.h"

namespace {

class EditBoxTest : public ::testing::Test {
protected:
    CEditBox* Make(KeyScene* inScene, int32_t fTextShadow = 0)
    {
        TextDesc desc = GlyphText(szText, &font, 2, 0);
        desc.fTextShadow = fTextShadow;
        const ButtonDesc behaviour = Behaviour(kButtonLabel, 0);
        return new CEditBox(inScene, Fix(100), Fix(50), Fix(100), &desc, &behaviour);
    }

    UiTestScreen screen;
    KeyScene scene{&screen};
    TestGlyphFont font;
    char szText[8] = "";
};

TEST_F(EditBoxTest, StripsLeadingZerosButKeepsOneCharacter)
{
    CEditBox* box = Make(&scene);
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

TEST_F(EditBoxTest, CaretIsABlinkingBarInTheSameScene)
{
    CEditBox* box = Make(&scene, 1);
    CEditCaret* caret = box->GetCaret();
    ASSERT_NE(caret, nullptr);
    EXPECT_EQ(caret->GetScene(), &scene);
    EXPECT_STREQ(caret->GetText(), "|");
    EXPECT_TRUE(caret->IsBlinking());
    EXPECT_EQ(caret->GetZ(), box->GetZ() - 256);
    EXPECT_EQ(caret->GetY(), box->GetY() - 768);
}

TEST_F(EditBoxTest, CaretFollowsTheTextEnd)
{
    CEditBox* box = Make(&scene);
    box->SetText("abc", 0);
    EXPECT_EQ(box->GetCaretPos(), 3);
    // 3 glyphs of 10 pixels, less 3 pixels.
    EXPECT_EQ(box->GetCaret()->GetX(), box->GetX() + Fix(27));
    box->MoveCaret(-2);
    EXPECT_EQ(box->GetCaretPos(), 1);
    EXPECT_EQ(box->GetCaret()->GetX(), box->GetX() + Fix(7));
    box->MoveCaret(-5);
    EXPECT_EQ(box->GetCaretPos(), 0);
    box->MoveCaret(10);
    EXPECT_EQ(box->GetCaretPos(), 3);
}

TEST_F(EditBoxTest, CaretIsPlacedWithoutAddingTheOriginTwice)
{
    KeyScene offset(&screen, Fix(3), Fix(13));
    CEditBox* box = Make(&offset);
    EXPECT_EQ(box->GetCaret()->GetY(), box->GetY() - 768);
    box->SetText("ab", 0);
    EXPECT_EQ(box->GetCaret()->GetX(), box->GetX() + Fix(17));
}

TEST_F(EditBoxTest, LockedBoxIgnoresTextAndShowsNoCaret)
{
    CEditBox* box = Make(&scene);
    box->SetText("12", 0);
    box->SetLocked(1);
    EXPECT_TRUE(box->GetCaret()->IsHidden());
    box->SetText("99", 0);
    EXPECT_STREQ(box->GetText(), "12");
    box->Hide();
    box->Show();
    EXPECT_FALSE(box->IsHidden());
    EXPECT_TRUE(box->GetCaret()->IsHidden());

    box->SetLocked(0);
    EXPECT_FALSE(box->GetCaret()->IsHidden());
    EXPECT_TRUE(box->GetCaret()->IsBlinking());
    box->SetText("99", 0);
    EXPECT_STREQ(box->GetText(), "99");
}

TEST_F(EditBoxTest, HideAndToggleCarryTheCaret)
{
    CEditBox* box = Make(&scene);
    box->Hide();
    EXPECT_TRUE(box->IsHidden());
    EXPECT_TRUE(box->GetCaret()->IsHidden());
    EXPECT_FALSE(box->GetCaret()->IsBlinking());
    box->ToggleVisible();
    EXPECT_FALSE(box->IsHidden());
    EXPECT_FALSE(box->GetCaret()->IsHidden());
    EXPECT_TRUE(box->GetCaret()->IsBlinking());
    box->ToggleVisible();
    EXPECT_TRUE(box->GetCaret()->IsHidden());
}

} // namespace
