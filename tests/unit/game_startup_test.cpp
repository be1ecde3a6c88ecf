#include "game/AAppRollavex.h"
#include "common/COptions.h"
#include "platform/MDialogScript.h"
#include "platform/MSettings.h"
#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>


namespace {

// The start-up with the machine's answers and the creation steps faked.
class FakeApp : public AAppRollavex {
public:
    int32_t nGraphicsVersion = 33;
    int32_t fCanRunWindowed = 1;
    int32_t fDisplayLargeEnough = 1;
    int32_t nDeviceResult = 0;
    int32_t nFontsResult = 0;
    int32_t nSoundResult = 0;
    int32_t nLoadResult = 0;
    std::vector<std::string> steps;

protected:
    int32_t GetGraphicsVersion() override { return Step("version", nGraphicsVersion); }
    int32_t CanRunWindowed() override { return Step("bitdepth", fCanRunWindowed); }
    int32_t IsDisplayAtLeast(int32_t w, int32_t h) override
    {
        return Step("display " + std::to_string(w) + "x" + std::to_string(h), fDisplayLargeEnough);
    }
    void ReleaseDevice() override { Step("release", 0); }
    int32_t CreateScreenWindow() override
    {
        return Step("window " + std::to_string(GetWidth()) + "x" + std::to_string(GetHeight()) +
                        (IsFullScreen() ? " full" : " windowed"),
                    0);
    }
    int32_t CreateDevice() override { return Step("device", nDeviceResult); }
    int32_t CreateFonts() override { return Step("fonts", nFontsResult); }
    int32_t InitialiseSound() override { return Step("sound", nSoundResult); }
    void InitialiseMusic() override { Step("music", 0); }
    int32_t LoadAssetsAndCreateGame() override { return Step("load", nLoadResult); }
    void StartGame() override { Step("start", 0); }
    void CloseScreen() override { Step("close", 0); }

private:
    int32_t Step(const std::string& name, int32_t result)
    {
        steps.push_back(name);
        return result;
    }
};

using Steps = std::vector<std::string>;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
        MDialogScript::SetAnswers("");
        MDialogScript::ClearRecord();
        SetApplication(&app);
    }
    void TearDown() override { SetApplication(nullptr); }

    void StoreFullscreen(int32_t value)
    {
        MSettings settings;
        ASSERT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
        ASSERT_EQ(settings.WriteDword("Fullscreen", value, "Config"), 0);
    }
    int32_t StoredFullscreen()
    {
        MSettings settings;
        settings.OpenConfigRoot("Orvande", "Rollavex");
        int32_t value = -5;
        settings.ReadDword(&value, "Fullscreen", -5, "Config");
        return value;
    }
    const std::vector<std::string>& Boxes() { return MDialogScript::GetRecord(); }

    TempFolder home;
    FakeApp app;
};

const Steps kFullScreenRun = {"version", "release", "window 800x600 full", "device", "fonts", "sound",
                              "music",   "load",    "start"};

TEST_F(StartupTest, WithNoSettingsTheGameStartsFullScreenWithoutWindowedChecks)
{
    EXPECT_EQ(app.Initialise(), 1);
    EXPECT_EQ(app.steps, kFullScreenRun);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(app.IsFullScreen(), 1);
    EXPECT_EQ(StoredFullscreen(), -5) << "nothing is written on a good start";
}

TEST_F(StartupTest, WindowedStartChecksDepthAndSize)
{
    StoreFullscreen(0);
    EXPECT_EQ(app.Initialise(), 1);
    const Steps expected = {"version", "bitdepth", "display 800x600", "release", "window 794x575 windowed",
                            "device",  "fonts",    "sound",           "music",   "load",
                            "start"};
    EXPECT_EQ(app.steps, expected);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(StartupTest, OldGraphicsOrASmallDisplayEndTheStartWithAnError)
{
    app.nGraphicsVersion = 32;
    EXPECT_EQ(app.Initialise(), 0);
    EXPECT_EQ(app.steps, Steps{"version"});
    StoreFullscreen(0);
    FakeApp small;
    SetApplication(&small);
    small.fDisplayLargeEnough = 0;
    EXPECT_EQ(small.Initialise(), 0);
    EXPECT_EQ(small.steps, (Steps{"version", "bitdepth", "display 800x600"}));
    EXPECT_EQ(StoredFullscreen(), 0);
    EXPECT_EQ(Boxes(), (Steps{"message|Error|OpenGL 3.3 or higher is not available on this machine.  Please install "
                              "or update the graphics drivers for your video card.",
                              "message|Error|Your screen resolution must be set to 800 x 600 or higher.  Please "
                              "adjust your settings.  Rollavex will exit."}));
    SetApplication(&app);
}

TEST_F(StartupTest, UnusableDepthWarnsAndSwitchesToFullScreen)
{
    StoreFullscreen(0);
    app.fCanRunWindowed = 0;
    EXPECT_EQ(app.Initialise(), 1);
    const Steps expected = {"version", "bitdepth", "release", "window 800x600 full", "device", "fonts",
                            "sound",   "music",    "load",    "start"};
    EXPECT_EQ(app.steps, expected);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "message|Warning|Rollavex has a problem running Direct3D in windowed mode with your "
                          "current video settings.  To run windowed, the bitdepth must be set to 16 or 32 bits.  "
                          "Rollavex will try to run full screen.");
    EXPECT_EQ(StoredFullscreen(), 1);
}

TEST_F(StartupTest, ADeviceFailureFlipsTheStoredDisplayMode)
{
    struct Case {
        int32_t fStoredFull;
        const char* szBox;
        int32_t fNextFull;
    };
    const Case cases[] = {
        {1, "message|Error|Rollavex has a problem running in full screen mode.  Next time it will start in "
            "windowed mode.  Please check your video drivers.  Rollavex will exit.", 0},
        {0, "message|Error|Rollavex encountered a fatal error and will exit.", 1},
    };
    for (const Case& c : cases) {
        StoreFullscreen(c.fStoredFull);
        MDialogScript::ClearRecord();
        FakeApp failing;
        SetApplication(&failing);
        failing.nDeviceResult = 14;
        EXPECT_EQ(failing.Initialise(), 0);
        EXPECT_EQ(failing.steps.back(), "close");
        EXPECT_EQ(failing.steps.end()[-2], "device");
        EXPECT_EQ(Boxes(), std::vector<std::string>{c.szBox});
        EXPECT_EQ(StoredFullscreen(), c.fNextFull);
        SetApplication(&app);
    }
}

TEST_F(StartupTest, MissingFontsNoSoundCardOrNoArchiveEndTheStart)
{
    struct Case {
        int32_t FakeApp::*pnResult;
        const char* szLast;
        std::vector<std::string> rgBoxes; // the archive and the fonts tell their own
    };
    const Case cases[] = {
        {&FakeApp::nFontsResult, "fonts", {}},
        {&FakeApp::nSoundResult, "sound", {"message|Error|The sound card could not be initialized.  Rollavex will exit."}},
        {&FakeApp::nLoadResult, "load", {}},
    };
    for (const Case& c : cases) {
        MDialogScript::ClearRecord();
        FakeApp failing;
        SetApplication(&failing);
        failing.*c.pnResult = 6;
        EXPECT_EQ(failing.Initialise(), 0) << c.szLast;
        Steps expected(kFullScreenRun.begin(), std::find(kFullScreenRun.begin(), kFullScreenRun.end(), c.szLast) + 1);
        expected.push_back("close");
        EXPECT_EQ(failing.steps, expected);
        EXPECT_EQ(Boxes(), c.rgBoxes);
        SetApplication(&app);
    }
}

TEST_F(StartupTest, WithoutTheSettingsFolderTheNextDisplayModeIsStillRemembered)
{
    app.nDeviceResult = 14;
    EXPECT_EQ(app.Initialise(), 0);
    EXPECT_EQ(StoredFullscreen(), 0);
}

TEST(StartupOptions, NoValuesGiveTheDefaultsAndTheFullScreenSettingIsLatched)
{
    TempFolder home;
    setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    FakeApp app;
    SetApplication(&app);
    GetSettings()->OpenConfigRoot("Orvande", "Rollavex");
    COptions* options = app.GetOptions();
    EXPECT_EQ(options->Difficulty, 2) << "before loading";
    options->Load();
    EXPECT_EQ(options->Fullscreen, 1);
    EXPECT_EQ(options->Difficulty, 0);
    ASSERT_TRUE(COptions::IsFullscreenLatched());
    int32_t latched = COptions::GetLatchedFullscreen();

    GetSettings()->WriteDword("Difficulty", 3, "Config");
    GetSettings()->WriteDword("Fullscreen", latched ? 0 : 1, "Config");
    GetSettings()->WriteString("Initials", "ABCDEFGH", "Config");
    options->Load();
    EXPECT_EQ(options->Difficulty, 3) << "both reads agree on a stored value";
    EXPECT_EQ(options->Fullscreen, latched ? 0 : 1);
    EXPECT_EQ(COptions::GetLatchedFullscreen(), latched);
    EXPECT_STREQ(options->Initials, "ABCDEFG");

    options->Save();
    int32_t suits = 0, moveMode = -1;
    EXPECT_EQ(GetSettings()->ReadDword(&suits, "NumDiceSuits", 0, "Config"), 0);
    EXPECT_NE(GetSettings()->ReadDword(&moveMode, "DiceMoveMode", -1, "Config"), 0) << "never written";
    EXPECT_EQ(suits, 2);
    SetApplication(nullptr);
    DestroySettings();
}

} // namespace
