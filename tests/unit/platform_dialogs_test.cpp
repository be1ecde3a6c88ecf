#include "base/FileSpec.h"
#include "platform/MDialogScript.h"
#include "platform/MMessageDialog.h"
#include "platform/MOpenDialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(MessageDialog, StartsAsATaskModalOkBoxCaptionedMessage)
{
    MMessageDialog box;
    EXPECT_EQ(box.GetStyle(), 0x2000u);
    EXPECT_STREQ(box.GetCaption(), "Message");
    EXPECT_STREQ(box.GetText(), "");
    EXPECT_EQ(box.GetResult(), 1);
}

TEST(MessageDialog, IconsAndButtonsAddTheirStyleBits)
{
    struct Case {
        int32_t nIcon;
        int32_t nButtons;
        uint32_t nStyle;
    };
    const Case cases[] = {
        {1, 2, 0x2010}, {2, 1, 0x2031}, {3, 3, 0x2144},
    };
    for (const Case& c : cases) {
        MMessageDialog box;
        EXPECT_EQ(box.SetIcon(c.nIcon), 0);
        EXPECT_EQ(box.SetButtons(c.nButtons), 0);
        EXPECT_EQ(box.GetStyle(), c.nStyle) << c.nIcon << "/" << c.nButtons;
    }
    MMessageDialog box;
    EXPECT_EQ(box.SetIcon(0), 2);
    EXPECT_EQ(box.SetIcon(4), 2);
    EXPECT_EQ(box.SetButtons(4), 2);
    EXPECT_EQ(box.GetStyle(), 0x2000u);
}

TEST(MessageDialog, TextsAreCutToTheirFields)
{
    MMessageDialog box;
    box.SetCaption(std::string(100, 'c').c_str());
    box.SetText(std::string(600, 't').c_str());
    EXPECT_EQ(std::strlen(box.GetCaption()), 63u);
    EXPECT_EQ(std::strlen(box.GetText()), 511u);
}

TEST(MessageDialog, ScriptedAnswersAreReturnedAndRecorded)
{
    MDialogScript::SetAnswers("cancel;no");
    MDialogScript::ClearRecord();
    MMessageDialog first;
    first.SetButtons(1);
    first.SetText("Sure?");
    EXPECT_EQ(first.Show(nullptr), 2);
    EXPECT_EQ(first.GetResult(), 2);
    MMessageDialog second;
    second.SetButtons(3);
    EXPECT_EQ(second.Show(nullptr), 7);
    // Without answers left a box takes its first button.
    MMessageDialog third;
    third.SetCaption("Error");
    third.SetText("Gone.");
    testing::internal::CaptureStderr();
    EXPECT_EQ(third.Show(nullptr), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Gone.\n");
    ASSERT_EQ(MDialogScript::GetRecord().size(), 3u);
    EXPECT_EQ(MDialogScript::GetRecord()[0], "message|Message|Sure?");
    EXPECT_EQ(MDialogScript::GetRecord()[2], "message|Error|Gone.");
}

TEST(OpenDialog, FilterSeparatorsBecomeZeroBytes)
{
    MOpenDialog dialog;
    dialog.SetFilter("Asset files|*.mm|");
    EXPECT_EQ(dialog.GetFilterDescription(), "Asset files");
    EXPECT_EQ(dialog.GetFilterPattern(), "*.mm");
    dialog.SetFilter("");
    EXPECT_EQ(dialog.GetFilterDescription(), "");
    EXPECT_EQ(dialog.GetFilterPattern(), "");
    dialog.SetFilter("Images;*.tga;All;*.*;");
    EXPECT_EQ(dialog.GetFilterDescription(), "Images");
    EXPECT_EQ(dialog.GetFilterPattern(), "*.tga");
}

TEST(OpenDialog, ChosenPathSplitsIntoFolderNameTitleAndExtension)
{
    MDialogScript::SetAnswers("/home/me/games/Other.mmap");
    MOpenDialog dialog;
    dialog.SetFileName("RollavexAssets.mm");
    ASSERT_EQ(dialog.Show(nullptr), 1);
    EXPECT_STREQ(dialog.GetFile(), "/home/me/games/Other.mmap");
    FileSpec where;
    dialog.GetFolderAndName(&where);
    EXPECT_STREQ(where.szFolder, "/home/me/games/");
    EXPECT_STREQ(where.szName, "Other.mmap");
    char title[256];
    dialog.GetFileTitle(title);
    EXPECT_STREQ(title, "Other.mmap");
    char extension[4];
    dialog.GetExtension(extension);
    EXPECT_EQ(std::string(extension, 4), ".mma");
}

TEST(OpenDialog, ShortAndMissingExtensions)
{
    MOpenDialog dialog;
    char extension[4];
    dialog.SetFileName("dir.d/a.m");
    dialog.GetExtension(extension);
    EXPECT_EQ(std::string(extension, 4), ".m  ");
    dialog.SetFileName("dir.d/noext");
    dialog.GetExtension(extension);
    EXPECT_EQ(std::string(extension, 4), std::string(4, '\0'));
    dialog.SetFileName("name.");
    dialog.GetExtension(extension);
    EXPECT_EQ(std::string(extension, 4), ".   ");
}

TEST(OpenDialog, ANameWithoutFolderHasAnEmptyFolder)
{
    MOpenDialog dialog;
    dialog.SetFileName("RollavexAssets.mm");
    FileSpec where;
    dialog.GetFolderAndName(&where);
    EXPECT_STREQ(where.szFolder, "");
    EXPECT_STREQ(where.szName, "RollavexAssets.mm");
}

TEST(OpenDialog, CancelTooLongAndExhaustedAnswersCancel)
{
    MDialogScript::SetAnswers("cancel;/" + std::string(300, 'p'));
    MDialogScript::ClearRecord();
    MOpenDialog dialog;
    dialog.SetFileName("RollavexAssets.mm");
    EXPECT_EQ(dialog.Show(nullptr), 2);
    EXPECT_EQ(dialog.Show(nullptr), 2);
    EXPECT_EQ(dialog.Show(nullptr), 2);
    EXPECT_STREQ(dialog.GetFile(), "RollavexAssets.mm");
    ASSERT_EQ(MDialogScript::GetRecord().size(), 3u);
    EXPECT_EQ(MDialogScript::GetRecord()[0], "open|RollavexAssets.mm");
}

TEST(OpenDialog, FileNameIsCutTo255)
{
    MOpenDialog dialog;
    dialog.SetFileName(std::string(400, 'f').c_str());
    EXPECT_EQ(std::strlen(dialog.GetFile()), 255u);
}

} // namespace
