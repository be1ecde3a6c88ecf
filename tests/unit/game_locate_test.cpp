#include "game/app/AAppRollavex.h"
#include "common/assets/CFileMM.h"
#include "platform/dialogs/MDialogScript.h"
#include "platform/io/MSettings.h"
#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kArchive = "RollavexAssets.mm";
constexpr const char* kCannotLocate =
    "message|Message|An asset file cannot be located.  Please point to the directory where it is located.";
constexpr const char* kMissing = "message|Message|Game cannot be loaded.  An asset file is missing.";
constexpr const char* kAsked = "open|RollavexAssets.mm";
using Boxes = std::vector<std::string>;

// The smallest archive: the form and a map of one entry (none: a rejected archive).
void WriteArchive(const fs::path& path, uint32_t nEntries = 1)
{
    fs::create_directories(path.parent_path());
    WriteAllBytes(path, Archive(nEntries, std::vector<uint32_t>(nEntries, 0), {}));
}

// The working folder is work/; the data folders are home/ and dirs-a/, dirs-b/
// after a relative entry.
class LocateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root / "home").c_str(), 1);
        setenv("XDG_DATA_DIRS", ("relative:" + (root / "dirs-a").string() + ":" + (root / "dirs-b/").string()).c_str(), 1);
        fs::create_directories(root / "work");
        fs::current_path(root / "work");
        SetApplication(&app);
        ASSERT_EQ(GetSettings()->OpenConfigRoot("Orvande", "Rollavex"), 0);
    }
    void TearDown() override
    {
        SetApplication(nullptr);
        fs::current_path(oldDir);
    }

    int32_t Locate(const std::string& answers)
    {
        MDialogScript::SetAnswers(answers);
        MDialogScript::ClearRecord();
        CFileMM archive;
        return AAppRollavex::LocateAndOpenArchive(&archive, kArchive, nullptr, ".");
    }
    std::string StoredPath()
    {
        char path[256];
        GetSettings()->ReadString(path, "mmpath", "<none>", "Config", sizeof path);
        return path;
    }
    const Boxes& Shown() { return MDialogScript::GetRecord(); }

    TempFolder folder;
    const fs::path root{folder.Path()};
    const fs::path oldDir = fs::current_path();
    AAppRollavex app;
};

// The working folder, the stored folder, then rollavex/ in $XDG_DATA_HOME and
// in each absolute $XDG_DATA_DIRS entry. The first archive found ends the
// search, a rejected one (no entries) with 7 after its message.
TEST_F(LocateTest, SearchOrder)
{
    const struct {
        const char* szGood;
        const char* szRejected;
        int32_t nResult;
    } cases[] = {
        {"work", "stored", 0},   {"stored", "home", 0},  {"dirs-b", nullptr, 0},
        {"dirs-b", "dirs-a", 7}, {"dirs-a", "home", 7}, {"work/relative", nullptr, 6},
    };
    GetSettings()->WriteString("mmpath", (root / "stored/").c_str(), "Config");
    auto place = [&](const std::string& folder) {
        return folder == "stored" || folder == "work" ? root / folder / kArchive : root / folder / "rollavex" / kArchive;
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.szGood);
        WriteArchive(place(test.szGood));
        if (test.szRejected)
            WriteArchive(place(test.szRejected), 0);
        EXPECT_EQ(Locate("ok;cancel;ok"), test.nResult);
        EXPECT_EQ(Shown().empty(), test.nResult == 0);
        for (const char* folder : {"work", "stored", "home", "dirs-a", "dirs-b", "work/relative"})
            fs::remove(place(folder));
    }
}

// The chosen folder is stored, with or without the archive; without it the
// player is asked again until the archive is found or the player cancels.
TEST_F(LocateTest, AskingStoresTheChosenFolderUntilTheArchiveIsFoundOrThePlayerCancels)
{
    EXPECT_EQ(Locate("ok;" + (root / "empty/other.mm").string() + ";ok;cancel;ok"), 6);
    EXPECT_EQ(Shown(), (Boxes{kCannotLocate, kAsked, kCannotLocate, kAsked, kMissing}));
    EXPECT_EQ(StoredPath(), (root / "empty/").string());
    WriteArchive(root / "stored" / kArchive);
    EXPECT_EQ(Locate("ok;" + (root / "stored/whatever.mm").string()), 0);
    EXPECT_EQ(Shown(), (Boxes{kCannotLocate, kAsked}));
    EXPECT_EQ(StoredPath(), (root / "stored/").string());
}

TEST_F(LocateTest, AChoiceThatCannotBeStoredIsStillUsed)
{
    fs::create_directories(root / "config/Orvande/Rollavex/settings.ini");
    GetSettings()->OpenConfigRoot("Orvande", "Rollavex");
    WriteArchive(root / "stored" / kArchive);
    EXPECT_EQ(Locate("ok;" + (root / "stored" / kArchive).string()), 0);
    EXPECT_EQ(Shown(), (Boxes{kCannotLocate, kAsked}));
}

// Found but damaged: told so with the fault's identifier, and no file dialog.
TEST_F(LocateTest, AFoundButDamagedArchiveIsToldWithoutAsking)
{
    const Boxes damaged = {"message|Error|The asset file RollavexAssets.mm was found but is damaged.  Please "
                           "reinstall Rollavex.  Rollavex will exit.  (file: win32/MFileMMIOline: 177)"};
    WriteText(root / "work" / kArchive, "not an archive at all, just text");
    EXPECT_EQ(Locate("ok"), 7);
    EXPECT_EQ(Shown(), damaged);
}

} // namespace
