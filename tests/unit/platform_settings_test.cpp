#include "platform/MSettings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/rvx_settings_XXXXXX";
        home = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
        keyFolder = home + "/Orvande/Rollavex";
    }
    void TearDown() override { fs::remove_all(home); }

    void CreateKey() { fs::create_directories(keyFolder); }
    void WriteConfig(const std::string& content) { std::ofstream(keyFolder + "/Config") << content; }
    std::string ReadConfig() const
    {
        std::ifstream in(keyFolder + "/Config");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string home;
    std::string keyFolder;
    MSettings settings;
};

TEST_F(SettingsTest, WithoutTheKeyFolderReadsGiveDefaultsAndWritesFail)
{
    EXPECT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), MSettings::NotFound);
    EXPECT_FALSE(settings.IsOpen());
    int32_t value = 0;
    EXPECT_NE(settings.ReadDword(&value, "Music", 100, "Config"), 0);
    EXPECT_EQ(value, 100);
    EXPECT_EQ(settings.WriteDword("Music", 5, "Config"), MSettings::NoKey);
    EXPECT_FALSE(fs::exists(keyFolder));
}

TEST_F(SettingsTest, NamesThatLeaveTheKeyAreRefused)
{
    CreateKey();
    EXPECT_NE(settings.OpenConfigRoot("..", "Rollavex"), 0);
    EXPECT_NE(settings.OpenConfigRoot("Orvande", "a/b"), 0);
    ASSERT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
    EXPECT_EQ(settings.WriteDword("Music", 1, "../Config"), MSettings::NoKey);
}

TEST_F(SettingsTest, NumbersAndTextsRoundTrip)
{
    CreateKey();
    ASSERT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
    ASSERT_EQ(settings.WriteDword("Music", -1, "Config"), 0);
    ASSERT_EQ(settings.WriteString("mmpath", "/games/with\ttab\nand \\ slash/", "Config"), 0);
    ASSERT_EQ(settings.WriteDword("Players", 3, "Config"), 0);

    MSettings fresh;
    ASSERT_EQ(fresh.OpenConfigRoot("Orvande", "Rollavex"), 0);
    int32_t music = 0, players = 0;
    EXPECT_EQ(fresh.ReadDword(&music, "Music", 100, "Config"), 0);
    EXPECT_EQ(fresh.ReadDword(&players, "Players", 1, "Config"), 0);
    EXPECT_EQ(music, -1);
    EXPECT_EQ(players, 3);
    char path[256];
    EXPECT_EQ(fresh.ReadString(path, "mmpath", ".", "Config", sizeof path), 0);
    EXPECT_STREQ(path, "/games/with\ttab\nand \\ slash/");
}

TEST_F(SettingsTest, StringsMustFitTheBuffer)
{
    CreateKey();
    ASSERT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
    char out[8];
    settings.WriteString("Initials", "ABCDEFG", "Config");
    EXPECT_EQ(settings.ReadString(out, "Initials", "", "Config", sizeof out), 0);
    EXPECT_STREQ(out, "ABCDEFG");

    settings.WriteString("Initials", "ABCDEFGH", "Config");
    EXPECT_EQ(settings.ReadString(out, "Initials", "", "Config", sizeof out), 0);
    EXPECT_STREQ(out, "ABCDEFG");

    settings.WriteString("Initials", "ABCDEFGHI", "Config");
    EXPECT_EQ(settings.ReadString(out, "Initials", "xy", "Config", sizeof out), MSettings::MoreData);
    EXPECT_STREQ(out, "xy");
}

TEST_F(SettingsTest, ATextTooLongForANumberGivesTheDefault)
{
    CreateKey();
    ASSERT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
    settings.WriteString("Music", "loud!", "Config");
    int32_t music = 0;
    EXPECT_EQ(settings.ReadDword(&music, "Music", 100, "Config"), MSettings::MoreData);
    EXPECT_EQ(music, 100);
}

TEST_F(SettingsTest, DamagedFilesReadAsEmpty)
{
    CreateKey();
    ASSERT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
    const std::string cases[] = {
        "",
        "garbage\n",
        "RVXSETTINGS 1\ndword\tMusic\t7\n",                 // cut before the end line
        "RVXSETTINGS 1\ndword\tMusic\t7",                   // cut inside a line
        "RVXSETTINGS 1\ndword\tMusic\t99999999999\nend\n",   // out of range
        "RVXSETTINGS 1\ndword\tMusic\t-3\nend\n",
        "RVXSETTINGS 1\nsz\tmmpath\tbad\\q\nend\n",          // unknown escape
        "RVXSETTINGS 1\nblob\tMusic\t7\nend\n",
        "RVXSETTINGS 1\ndword\tMusic\t7\nend\ntrailing\n",
        "RVXSETTINGS 1\ndword\tMusic\t7\0\nend\n"s,             // a zero byte
    };
    for (const std::string& content : cases) {
        WriteConfig(content);
        int32_t music = 0;
        EXPECT_NE(settings.ReadDword(&music, "Music", 100, "Config"), 0) << content;
        EXPECT_EQ(music, 100) << content;
    }
}

TEST_F(SettingsTest, OversizedFilesAreNotRead)
{
    CreateKey();
    ASSERT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
    std::string big = "RVXSETTINGS 1\ndword\tMusic\t7\n";
    big += "sz\tpad\t" + std::string(70000, 'x') + "\nend\n";
    WriteConfig(big);
    int32_t music = 0;
    settings.ReadDword(&music, "Music", 100, "Config");
    EXPECT_EQ(music, 100);
}

TEST_F(SettingsTest, WritingOverADamagedFileStartsAfresh)
{
    CreateKey();
    ASSERT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
    WriteConfig("RVXSETTINGS 1\ndword\tMusic\t7\n");
    ASSERT_EQ(settings.WriteDword("Fullscreen", 0, "Config"), 0);
    EXPECT_EQ(ReadConfig(), "RVXSETTINGS 1\ndword\tFullscreen\t0\nend\n");
}

TEST_F(SettingsTest, WritesReplaceTheFileWholeAndLeaveNoTemporaries)
{
    CreateKey();
    ASSERT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
    ASSERT_EQ(settings.WriteDword("Music", 50, "Config"), 0);
    struct stat before {};
    stat((keyFolder + "/Config").c_str(), &before);
    ASSERT_EQ(settings.WriteDword("SFX", 60, "Config"), 0);
    struct stat after {};
    stat((keyFolder + "/Config").c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino) << "a new file is renamed over the old one";
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(keyFolder))
        ++entries;
    EXPECT_EQ(entries, 1);
    EXPECT_EQ(ReadConfig(), "RVXSETTINGS 1\ndword\tMusic\t50\ndword\tSFX\t60\nend\n");
}

TEST_F(SettingsTest, AFailedWriteIsReportedAndLeavesNoTemporary)
{
    CreateKey();
    ASSERT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
    fs::create_directories(keyFolder + "/Config/blocker");
    EXPECT_EQ(settings.WriteDword("Music", 10, "Config"), MSettings::WriteFault);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(keyFolder))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(SettingsService, IsCreatedOnceAndDestroyed)
{
    MSettings* first = GetSettings();
    EXPECT_EQ(GetSettings(), first);
    DestroySettings();
    EXPECT_NE(GetSettings(), nullptr);
    DestroySettings();
}

} // namespace
