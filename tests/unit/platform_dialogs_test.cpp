#include "base/FileSpec.h"
#include "platform/MDialogScript.h"
#include "platform/MMessageDialog.h"
#include "platform/MOpenDialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(MessageDialog, DefaultsKindsOutOfRangeAndTextsCutToTheirFields)
{
    MMessageDialog box;
    EXPECT_STREQ(box.GetCaption(), "Message");
    EXPECT_EQ(box.GetResult(), 1);
    for (int32_t nKind : {0, 4}) {
        EXPECT_EQ(box.SetIcon(nKind), 2);
        EXPECT_EQ(box.SetButtons(nKind), 2);
    }
    EXPECT_EQ(box.GetStyle(), 0x2000u);
    box.SetCaption(std::string(100, 'c').c_str());
    box.SetText(std::string(600, 't').c_str());
    EXPECT_EQ(std::strlen(box.GetCaption()), 63u);
    EXPECT_EQ(std::strlen(box.GetText()), 511u);
}

TEST(MessageDialog, ScriptedAnswersAreReturnedRecordedAndPrinted)
{
    MDialogScript::SetAnswers("cancel;no");
    MDialogScript::ClearRecord();
    MMessageDialog first, second, third;
    first.SetButtons(1);
    first.SetText("Sure?");
    EXPECT_EQ(first.Show(nullptr), 2);
    EXPECT_EQ(first.GetResult(), 2);
    second.SetButtons(3);
    EXPECT_EQ(second.Show(nullptr), 7);
    third.SetCaption("Error");
    third.SetText("Gone.");
    testing::internal::CaptureStderr();
    EXPECT_EQ(third.Show(nullptr), 1); // no answer left: the first button
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Gone.\n");
    ASSERT_EQ(MDialogScript::GetRecord().size(), 3u);
    EXPECT_EQ(MDialogScript::GetRecord()[0], "message|Message|Sure?");
    EXPECT_EQ(MDialogScript::GetRecord()[2], "message|Error|Gone.");
}

TEST(OpenDialog, FilterSeparatorsAndNamesCutTo255)
{
    MOpenDialog dialog;
    dialog.SetFilter("Asset files|*.mm|");
    EXPECT_EQ(dialog.GetFilterDescription() + dialog.GetFilterPattern(), "Asset files*.mm");
    dialog.SetFilter("Images;*.tga;All;*.*;");
    EXPECT_EQ(dialog.GetFilterDescription() + dialog.GetFilterPattern(), "Images*.tga");
    dialog.SetFilter("");
    EXPECT_EQ(dialog.GetFilterDescription() + dialog.GetFilterPattern(), "");
    dialog.SetFileName(std::string(400, 'f').c_str());
    EXPECT_EQ(std::strlen(dialog.GetFile()), 255u);
}

TEST(OpenDialog, PathsSplitIntoFolderNameTitleAndExtension)
{
    const struct {
        const char *szPath, *szFolder, *szName;
        std::string extension;
    } cases[] = {
        {"/home/me/games/Other.mmap", "/home/me/games/", "Other.mmap", ".mma"},
        {"RollavexAssets.mm", "", "RollavexAssets.mm", ".mm "},
        {"dir.d/a.m", "dir.d/", "a.m", ".m  "},
        {"dir.d/noext", "dir.d/", "noext", std::string(4, '\0')},
        {"name.", "", "name.", ".   "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szPath);
        MOpenDialog dialog;
        dialog.SetFileName(c.szPath);
        FileSpec where;
        dialog.GetFolderAndName(&where);
        EXPECT_STREQ(where.szFolder, c.szFolder);
        EXPECT_STREQ(where.szName, c.szName);
        char title[256], extension[4];
        dialog.GetFileTitle(title);
        EXPECT_STREQ(title, c.szName);
        dialog.GetExtension(extension);
        EXPECT_EQ(std::string(extension, 4), c.extension);
    }
}

TEST(OpenDialog, ChosenFileOrCancelForCancelTooLongAndExhaustedAnswers)
{
    MDialogScript::SetAnswers("/home/me/Other.mm;cancel;/" + std::string(300, 'p'));
    MDialogScript::ClearRecord();
    MOpenDialog dialog;
    dialog.SetFileName("RollavexAssets.mm");
    EXPECT_EQ(dialog.Show(nullptr), 1);
    EXPECT_STREQ(dialog.GetFile(), "/home/me/Other.mm");
    dialog.SetFileName("RollavexAssets.mm");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dialog.Show(nullptr), 2);
    EXPECT_STREQ(dialog.GetFile(), "RollavexAssets.mm");
    ASSERT_EQ(MDialogScript::GetRecord().size(), 4u);
    EXPECT_EQ(MDialogScript::GetRecord()[1], "open|RollavexAssets.mm");
}

} // namespace
