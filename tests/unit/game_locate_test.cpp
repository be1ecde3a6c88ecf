#include "game/AAppRollavex.h"
#include "common/CFileMM.h"
#include "platform/MDialogScript.h"
#include "platform/MSettings.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kArchive = "RollavexAssets.mm";
constexpr const char* kCannotLocate =
    "message|Message|An asset file cannot be located.  Please point to the directory where it is located.";
constexpr const char* kMissing = "message|Message|Game cannot be loaded.  An asset file is missing.";
constexpr const char* kAsked = "open|RollavexAssets.mm";

void WriteLong(std::ofstream& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The smallest archive: the form and a map of one entry.
void WriteArchive(const fs::path& path)
{
    std::ofstream out(path, std::ios::binary);
    out.write("FFIR", 4);
    WriteLong(out, 20);
    out.write("LFMM", 4);
    out.write(" pam", 4);
    WriteLong(out, 8);
    WriteLong(out, 1);
    WriteLong(out, 0);
}

class LocateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/rvx_locate_XXXXXX";
        root = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        fs::create_directories(root / "config/Orvande/Rollavex");
        fs::create_directories(root / "work");
        fs::create_directories(root / "stored");
        fs::create_directories(root / "empty");
        oldDir = fs::current_path();
        fs::current_path(root / "work");
        SetApplication(&app);
        ASSERT_EQ(GetSettings()->OpenConfigRoot("Orvande", "Rollavex"), 0);
        MDialogScript::SetAnswers("");
        MDialogScript::ClearRecord();
    }
    void TearDown() override
    {
        SetApplication(nullptr);
        fs::current_path(oldDir);
        fs::remove_all(root);
    }

    int32_t Locate(const std::string& answers)
    {
        MDialogScript::SetAnswers(answers);
        CFileMM archive;
        return AAppRollavex::LocateAndOpenArchive(&archive, kArchive, nullptr, ".");
    }
    std::string StoredPath()
    {
        char path[256];
        GetSettings()->ReadString(path, "mmpath", "<none>", "Config", sizeof path);
        return path;
    }
    const std::vector<std::string>& Shown() { return MDialogScript::GetRecord(); }

    fs::path root;
    fs::path oldDir;
    AAppRollavex app;
};

TEST_F(LocateTest, AnArchiveInTheWorkingFolderOpensWithoutAsking)
{
    WriteArchive(root / "work" / kArchive);
    EXPECT_EQ(Locate(""), 0);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(LocateTest, TheStoredFolderIsTriedSecond)
{
    WriteArchive(root / "stored" / kArchive);
    GetSettings()->WriteString("mmpath", (root / "stored/").c_str(), "Config");
    EXPECT_EQ(Locate(""), 0);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(LocateTest, CancellingTheDialogGivesUp)
{
    EXPECT_EQ(Locate("ok;cancel;ok"), 6);
    EXPECT_EQ(Shown(), (std::vector<std::string>{kCannotLocate, kAsked, kMissing}));
    EXPECT_EQ(StoredPath(), "<none>");
}

TEST_F(LocateTest, TheChosenFolderIsStoredAndTheArchiveOpenedFromIt)
{
    WriteArchive(root / "stored" / kArchive);
    fs::path picked = root / "stored" / "whatever.mm";
    EXPECT_EQ(Locate("ok;" + picked.string()), 0);
    EXPECT_EQ(Shown(), (std::vector<std::string>{kCannotLocate, kAsked}));
    EXPECT_EQ(StoredPath(), (root / "stored/").string());
}

TEST_F(LocateTest, AFolderWithoutTheArchiveIsStoredAndTheUserAskedAgain)
{
    fs::path picked = root / "empty" / "other.mm";
    EXPECT_EQ(Locate("ok;" + picked.string() + ";ok;cancel;ok"), 6);
    EXPECT_EQ(Shown(), (std::vector<std::string>{kCannotLocate, kAsked, kCannotLocate, kAsked, kMissing}));
    EXPECT_EQ(StoredPath(), (root / "empty/").string());
}

TEST_F(LocateTest, WithoutTheSettingsKeyTheChoiceIsNotKeptAndTheUserAskedAgain)
{
    fs::remove_all(root / "config/Orvande");
    GetSettings()->OpenConfigRoot("Orvande", "Rollavex");
    WriteArchive(root / "stored" / kArchive);
    fs::path picked = root / "stored" / kArchive;
    EXPECT_EQ(Locate("ok;" + picked.string() + ";ok;cancel"), 6);
    EXPECT_EQ(Shown().size(), 5u);
}

// Found but damaged: told so with the fault's identifier, and no file dialog.
TEST_F(LocateTest, AFoundButDamagedArchiveIsToldWithoutAsking)
{
    const std::string damaged = "message|Error|The asset file RollavexAssets.mm was found but is damaged.  "
                                "Please reinstall Rollavex.  Rollavex will exit.";
    std::ofstream(root / "work" / kArchive) << "not an archive at all, just text";
    EXPECT_EQ(Locate("ok"), 7);
    EXPECT_EQ(Shown(), (std::vector<std::string>{damaged + "  (file: win32/MFileMMIOline: 177)"}));
    WriteArchive(root / "work" / kArchive);
    fs::resize_file(root / "work" / kArchive, 27); // one byte short
    EXPECT_EQ(Locate("ok"), 7);
    EXPECT_EQ(Shown().back(), damaged + "  (file: win32/MFileMMIOline: 177)");
}

} // namespace
