#include "platform/io/MSettings.h"

#include "FileTestSupport.h"
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <algorithm>
#include <tuple>

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1); }
    void WriteFile(const std::string& content)
    {
        fs::create_directories(keyFolder);
        WriteText(path, content);
    }
    std::string ReadFile() const { return ReadText(path); }
    // Opens the key and returns what it said on stderr.
    std::string Open()
    {
        CaptureStderr();
        EXPECT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
        return GetCapturedStderr();
    }
    int32_t Music()
    {
        int32_t music = 0;
        settings.ReadDword(&music, "Music", 100, "Config");
        return music;
    }

    TempFolder temp;
    const std::string home = temp.Path();
    const std::string keyFolder = home + "/config/Orvande/Rollavex", path = keyFolder + "/settings.ini";
    MSettings settings;
};

TEST_F(SettingsTest, HandWrittenFilesAreReadLineByLine)
{
    struct Case { std::string content; int32_t nMusic; std::vector<int> rgWarnedLines; };
    const std::string pad(MIniFile::kMaxLine, 'x');
    const Case cases[] = {
        {"[Config]\nMusic=-1\n", -1, {}},                     {"[Config]\r\nMusic=7\r\n", 7, {}},
        {"\xEF\xBB\xBF; a comment\n# another\n\n[Config]\n\nMusic = 7 ; inline\n", 7, {}},
        {"  [Config]\n\tMusic=7", 7, {}},                      {"[config]\nmusic=7\n", 7, {}},
        {"[Config]\nMusic=1\nMusic=2\n", 2, {}},               {"[Config\nMusic=7\n", 100, {1}},
        {"[Config]\ngarbage\nMusic=7\n=5\n[Broken\n", 7, {2, 4, 5}}, {"[Other]\nMusic=7\n", 100, {}},
        {"[Config]\nMusic=7\nPad=" + pad + "\n", 7, {3}},     {"[Config]\nMusic=7\nbad\0line\n"s, 7, {3}},
        {"[Config]\nMusic=loud\n", 100, {2}},                  {"[Config]\nMusic=2147483648\n", 100, {2}},
        {"[Config]\nMusic=-2147483648\n", INT32_MIN, {}},      {"", 100, {}},
    };
    for (const Case& c : cases) {
        WriteFile(c.content);
        std::string said = Open();
        CaptureStderr();
        EXPECT_EQ(Music(), c.nMusic) << c.content;
        Music();
        said += GetCapturedStderr();
        for (int line : c.rgWarnedLines)
            EXPECT_NE(said.find(path + ":" + std::to_string(line) + ":"), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), static_cast<long>(c.rgWarnedLines.size()))
            << c.content << " said " << said;
    }
}

TEST_F(SettingsTest, AWriteChangesOneLineAndKeepsTheRest)
{
    struct Case { std::string before; const char* szName; std::string after; };
    const Case cases[] = {
        {"; mine\r\n[Config]\r\nMusic=-1\r\nFullscreen=1\r\njunk\r\nColour=teal\r\n", "Fullscreen",
         "; mine\r\n[Config]\r\nMusic=-1\r\nFullscreen=0\r\njunk\r\nColour=teal\r\n"},
        {"[config]\nfullscreen=1\n", "Fullscreen", "[config]\nFullscreen=0\n"},
        {"[Config]\nMusic=5\n\n[Other]\nx=1\n", "SFX", "[Config]\nMusic=5\nSFX=0\n\n[Other]\nx=1\n"},
        {"[Other]\nx=1", "SFX", "[Other]\nx=1\n[Config]\nSFX=0\n"},
    };
    for (const Case& c : cases) {
        WriteFile(c.before);
        Open();
        EXPECT_EQ(settings.WriteDword(c.szName, 0, "Config"), 0);
        EXPECT_EQ(ReadFile(), c.after) << c.before;
    }
}

// The folder is made on the first write; texts that would not read back are
// not written; a read must fit its buffer.
TEST_F(SettingsTest, WritesMakeTheFolderAndReadBackWhatTheyWrote)
{
    Open();
    const std::string folder = "/games/my folder/";
    ASSERT_EQ(settings.WriteDword("Music", -1, "Config"), 0);
    ASSERT_EQ(settings.WriteString("mmpath", folder.c_str(), "Config"), 0);
    const std::string written = "[Config]\nMusic=-1\nmmpath=" + folder + "\n";
    EXPECT_EQ(ReadFile(), written);
    for (const std::string& text : {"two\nlines"s, " padded"s, "a ; comment"s, std::string(300, 'x')}) {
        CaptureStderr();
        EXPECT_EQ(settings.WriteString("mmpath", text.c_str(), "Config"), MSettings::InvalidParameter) << text;
        EXPECT_NE(GetCapturedStderr().find("mmpath not stored"), std::string::npos);
        EXPECT_EQ(ReadFile(), written);
    }
    MSettings fresh;
    ASSERT_EQ(fresh.OpenConfigRoot("Orvande", "Rollavex"), 0);
    char text[256], small[8];
    EXPECT_EQ(fresh.ReadString(text, "mmpath", ".", "Config", sizeof text), 0);
    EXPECT_EQ(text, folder);
    WriteFile("[Config]\nA=ABCDEFG\nB=ABCDEFGH\nC=ABCDEFGHI\n");
    Open();
    for (auto [szName, nResult, szRead] : {std::tuple{"A", 0, "ABCDEFG"}, {"B", int(MSettings::MoreData), "xy"},
                                           {"C", int(MSettings::MoreData), "xy"}}) {
        EXPECT_EQ(settings.ReadString(small, szName, "xy", "Config", sizeof small), nResult);
        EXPECT_STREQ(small, szRead);
    }
}

// A file that is too big or a folder: the defaults are used and nothing is written.
TEST_F(SettingsTest, AFileThatCannotBeReadIsNeverReplaced)
{
    const std::string big = "[Config]\nMusic=7\n;" + std::string(MIniFile::kMaxSize, 'x') + "\n";
    for (bool fFolder : {true, false}) {
        fs::remove_all(keyFolder);
        if (fFolder)
            fs::create_directories(path);
        else
            WriteFile(big);
        std::string said = Open();
        EXPECT_NE(said.find(path + ": "), std::string::npos) << said;
        EXPECT_EQ(Music(), 100);
        CaptureStderr();
        EXPECT_EQ(settings.WriteDword("Music", 5, "Config"), MSettings::WriteFault);
        EXPECT_NE(GetCapturedStderr().find("Music not stored"), std::string::npos);
        EXPECT_EQ(fs::is_directory(path), fFolder);
        EXPECT_TRUE(fFolder || ReadFile() == big);
    }
}

TEST_F(SettingsTest, AWriteRenamesANewFileOverTheOldKeepingItsMode)
{
    WriteFile("[Config]\nMusic=5\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Open();
    struct stat before {}, after {};
    stat(path.c_str(), &before);
    ASSERT_EQ(settings.WriteDword("SFX", 60, "Config"), 0);
    stat(path.c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(keyFolder), fs::directory_iterator()), 1);
}

// Names that would leave the key are refused; a folder that cannot be made fails the write.
TEST_F(SettingsTest, NamesThatLeaveTheKeyAndFoldersThatCannotBeMadeFailTheWrite)
{
    EXPECT_NE(settings.OpenConfigRoot("..", "Rollavex"), 0);
    EXPECT_NE(settings.OpenConfigRoot("Orvande", "a/b"), 0);
    EXPECT_EQ(settings.WriteDword("Music", 1, "Config"), MSettings::NoKey);
    Open();
    EXPECT_EQ(settings.WriteDword("Music", 1, "../Config"), MSettings::NoKey);
    EXPECT_FALSE(fs::exists(home + "/config"));
    fs::create_directories(home + "/config/Orvande");
    WriteText(keyFolder, "in the way");
    CaptureStderr();
    EXPECT_EQ(settings.WriteDword("Music", 10, "Config"), MSettings::WriteFault);
    EXPECT_NE(GetCapturedStderr().find("Music not stored"), std::string::npos);
}

} // namespace
