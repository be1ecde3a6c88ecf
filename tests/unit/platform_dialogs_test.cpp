#include "FileTestSupport.h"
#include "base/FileSpec.h"
#include "platform/dialogs/MDialogScript.h"
#include "platform/dialogs/MMessageDialog.h"
#include "platform/dialogs/MOpenDialog.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The system dialog: zenity if it is on the path, else kdialog. An answer is taken
// only from a clean exit, fits the name field and, to open, names a file that exists.
// Runs first: once a test scripts answers, every dialog in the process is scripted.
TEST(OpenDialog, AsksZenityThenKdialog)
{
    if (MDialogScript::IsActive())
        GTEST_SKIP() << "dialogs are scripted";
    TempFolder bin;
    const std::string chosen = bin.File("Chosen.mm"), gone = bin.File("Gone.mm"), overlong(300, 'p');
    WriteText(chosen, "");
    const struct {
        const char *program, *answer;
        int mode, status, result;
        const char* args;
    } cases[] = {
        {"zenity", chosen.c_str(), 0, 0, 1, "--file-selection --filename=Rollavex.mm --file-filter=Asset files | *.mm"},
        {"zenity", gone.c_str(), 0, 0, 2, nullptr},
        {"zenity", gone.c_str(), 1, 0, 1, "--file-selection --filename=Rollavex.mm --save --file-filter"},
        {"zenity", chosen.c_str(), 0, 1, 2, nullptr},
        {"zenity", overlong.c_str(), 1, 0, 2, nullptr},
        {"kdialog", chosen.c_str(), 0, 0, 1, "--getopenfilename Rollavex.mm *.mm|Asset files"},
    };
    const std::string path = std::getenv("PATH");
    setenv("PATH", bin.Path().c_str(), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program + std::string(" ") + c.answer);
        std::filesystem::remove(bin.File("zenity"));
        std::filesystem::remove(bin.File("kdialog"));
        const std::string program = bin.File(c.program);
        WriteText(program, "#!/bin/sh\necho \"$*\" > " + program + ".args\necho '" + c.answer + "'\nexit " +
                               std::to_string(c.status) + "\n");
        if (c.program == std::string("zenity")) // present but never asked
            WriteText(bin.File("kdialog"), "#!/bin/sh\necho " + chosen + "\n");
        std::error_code absent;
        for (const char* name : {"zenity", "kdialog"})
            std::filesystem::permissions(bin.File(name), std::filesystem::perms::owner_all, absent);
        MOpenDialog dialog(c.mode);
        dialog.SetFilter("Asset files|*.mm|");
        dialog.SetFileName("Rollavex.mm");
        EXPECT_EQ(dialog.Show(nullptr), c.result);
        EXPECT_STREQ(dialog.GetFile(), c.result == 1 ? c.answer : "Rollavex.mm");
        if (c.args) {
            EXPECT_EQ(ReadText(program + ".args").rfind(c.args, 0), 0u) << ReadText(program + ".args");
        }
    }
    setenv("PATH", path.c_str(), 1);
}

// Kinds outside 1 to 3 are refused; texts are cut to their fields; scripted
// answers are returned and recorded, and each text also goes to stderr.
TEST(MessageDialog, KindsTextsAndScriptedAnswers)
{
    MDialogScript::SetAnswers("cancel;no");
    MDialogScript::ClearRecord();
    MMessageDialog first, second, third;
    EXPECT_EQ(first.SetIcon(0) + first.SetIcon(4) + first.SetButtons(0) + first.SetButtons(4), 8);
    EXPECT_EQ(first.GetStyle(), 0x2000u);
    EXPECT_EQ(second.SetIcon(3) + second.SetButtons(2), 0);
    first.SetCaption(std::string(100, 'c').c_str());
    first.SetText(std::string(600, 't').c_str());
    EXPECT_EQ(std::strlen(first.GetCaption()), 63u);
    EXPECT_EQ(std::strlen(first.GetText()), 511u);
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
    EXPECT_EQ(MDialogScript::GetRecord()[1], "message|Message|");
    EXPECT_EQ(MDialogScript::GetRecord()[2], "message|Error|Gone.");
}

TEST(OpenDialog, PathsSplitIntoFolderNameTitleAndExtension)
{
    const struct { const char *szPath, *szFolder, *szName; std::string extension; } cases[] = {
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

// Filters split at either separator; names are cut to 255; a cancel, a
// path too long or no answer left cancels and keeps the name.
TEST(OpenDialog, FiltersNamesAndAnswers)
{
    MOpenDialog dialog;
    for (auto [szFilter, szBoth] : {std::pair{"Asset files|*.mm|", "Asset files*.mm"},
                                    {"Images;*.tga;All;*.*;", "Images*.tga"}, {"", ""}}) {
        dialog.SetFilter(szFilter);
        EXPECT_EQ(dialog.GetFilterDescription() + dialog.GetFilterPattern(), szBoth);
    }
    dialog.SetFileName(std::string(400, 'f').c_str());
    EXPECT_EQ(std::strlen(dialog.GetFile()), 255u);
    MDialogScript::SetAnswers("/home/me/Other.mm;cancel;/" + std::string(300, 'p'));
    MDialogScript::ClearRecord();
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
