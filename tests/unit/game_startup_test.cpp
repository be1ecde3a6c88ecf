#include "game/app/AAppRollavex.h"
#include "game/options/AOptionsRollavex.h"
#include "game/app/AScreenRollavex.h"
#include "common/screen/COptions.h"
#include "platform/dialogs/MDialogScript.h"
#include "platform/io/MSettings.h"
#include "FileTestSupport.h"
#include "WindowEvents.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <tuple>
#include <string>
#include <vector>

namespace {

// The start-up with the machine's answers and the creation steps faked; the
// steps taken are noted in order.
class FakeApp : public AAppRollavex {
public:
    int32_t nGraphicsVersion = 33, fCanRunWindowed = 1, fDisplayLargeEnough = 1;
    int32_t nDeviceResult = 0, nFontsResult = 0, nSoundResult = 0, nLoadResult = 0;
    std::string steps;

protected:
    int32_t GetGraphicsVersion() override { return Step("version", nGraphicsVersion); }
    int32_t CanRunWindowed() override { return Step("bitdepth", fCanRunWindowed); }
    int32_t IsDisplayAtLeast(int32_t w, int32_t h) override
    {
        return Step("display" + std::to_string(w) + "x" + std::to_string(h), fDisplayLargeEnough);
    }
    void ReleaseDevice() override { Step("release", 0); }
    // A screen without a window of its own.
    int32_t CreateScreenWindow() override
    {
        SetScreen(new AScreenRollavex());
        return Step("window" + std::to_string(GetWidth()) + "x" + std::to_string(GetHeight()) +
                        (IsFullScreen() ? "full" : "windowed"), 0);
    }
    int32_t CreateDevice() override { return Step("device", nDeviceResult); }
    int32_t CreateFonts() override { return Step("fonts", nFontsResult); }
    int32_t InitialiseSound() override { return Step("sound", nSoundResult); }
    void InitialiseMusic() override { Step("music", 0); }
    int32_t LoadAssetsAndCreateGame() override { return Step("load", nLoadResult); }
    void StartGame() override { Step("start", 0); }
    int32_t Run() override { return Step("run", 0); }
    void CloseScreen() override { Step("close", 0); }
    void ShutdownServices() override
    {
        Step(GetScreen() ? "services" : "services-after-the-screen", 0);
        AAppRollavex::ShutdownServices();
    }

private:
    int32_t Step(const std::string& name, int32_t result)
    {
        steps += (steps.empty() ? "" : " ") + name;
        return result;
    }
};

int32_t StoredFullscreen()
{
    MSettings settings;
    settings.OpenConfigRoot("Orvande", "Rollavex");
    int32_t value = -1;
    settings.ReadDword(&value, "Fullscreen", -1, "Config");
    return value;
}

const std::string kFull = "version release window800x600full device";
const std::string kWindowed = "version bitdepth display800x600 release window794x575windowed device";

// Each run starts from its own settings folder, with Fullscreen stored or not
// (-1); a failed device flips the stored display mode, even without a folder.
// A start that ends after its message exits with 1, for launchers to see.
TEST(Startup, StepsMessagesExitCodeAndTheStoredDisplayModeOfEachRun)
{
    struct Run {
        int32_t nStored;
        int32_t FakeApp::*pnAnswer; // the one answer changed, if any
        int32_t nAnswer;
        std::string steps;
        std::string box; // the one message box, if any
        int32_t nExit, nStoredAfter;
    };
    const Run runs[] = {
        {-1, nullptr, 0, kFull + " fonts sound music load start run", "", 0, -1},
        {0, nullptr, 0, kWindowed + " fonts sound music load start run", "", 0, 0},
        {-1, &FakeApp::nGraphicsVersion, 32, "version",
         "message|Error|OpenGL 3.3 or higher is not available on this machine.  Please install or update the "
         "graphics drivers for your video card.", 1, -1},
        {0, &FakeApp::fDisplayLargeEnough, 0, "version bitdepth display800x600",
         "message|Error|Your screen resolution must be set to 800 x 600 or higher.  Please adjust your "
         "settings.  Rollavex will exit.", 1, 0},
        {0, &FakeApp::fCanRunWindowed, 0,
         "version bitdepth release window800x600full device fonts sound music load start run",
         "message|Warning|Rollavex has a problem running Direct3D in windowed mode with your current video "
         "settings.  To run windowed, the bitdepth must be set to 16 or 32 bits.  Rollavex will try to run full "
         "screen.", 0, 1},
        {-1, &FakeApp::nDeviceResult, 14, kFull + " close",
         "message|Error|Rollavex has a problem running in full screen mode.  Next time it will start in "
         "windowed mode.  Please check your video drivers.  Rollavex will exit.", 1, 0},
        {0, &FakeApp::nDeviceResult, 14, kWindowed + " close",
         "message|Error|Rollavex encountered a fatal error and will exit.", 1, 1},
        {-1, &FakeApp::nFontsResult, 6, kFull + " fonts close", "", 1, -1}, // the fonts tell their own
        {-1, &FakeApp::nSoundResult, 6, kFull + " fonts sound music load start run", "", 0, -1}, // plays silently
        {-1, &FakeApp::nLoadResult, 6, kFull + " fonts sound music load close", "", 1, -1}, // as does the archive
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.steps);
        TempFolder home;
        setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
        if (run.nStored >= 0) {
            MSettings settings;
            ASSERT_EQ(settings.OpenConfigRoot("Orvande", "Rollavex"), 0);
            ASSERT_EQ(settings.WriteDword("Fullscreen", run.nStored, "Config"), 0);
        }
        MDialogScript::SetAnswers("");
        MDialogScript::ClearRecord();
        FakeApp app;
        if (run.pnAnswer)
            app.*run.pnAnswer = run.nAnswer;
        SetApplication(&app);
        EXPECT_EQ(app.Execute(), run.nExit);
        EXPECT_EQ(app.steps, run.steps);
        EXPECT_EQ(MDialogScript::GetRecord(), std::vector<std::string>(!run.box.empty(), run.box));
        EXPECT_EQ(StoredFullscreen(), run.nStoredAfter);
        SetApplication(nullptr);
    }
}

// A fake app as the application, with its own settings folder.
class AppTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
        SetApplication(&app);
    }
    void TearDown() override { SetApplication(nullptr); }

    TempFolder home;
    FakeApp app;
};

// The device and the other services end while the screen and its window still exist.
TEST_F(AppTest, ShutdownEndsTheServicesBeforeTheScreen)
{
    ASSERT_EQ(app.Initialise(), 1);
    app.steps.clear();
    app.Shutdown();
    EXPECT_EQ(app.steps, "services");
    EXPECT_EQ(app.GetScreen(), nullptr);
}

// No stored difficulty reads as 0, a stored one is used; initials of 8 are cut to 7, longer ones refused; the
// full-screen setting is latched at the first read; the game's save writes the
// suits but never the move mode.
TEST_F(AppTest, OptionsDefaultsCutInitialsTheLatchAndWhatASaveWrites)
{
    GetSettings()->OpenConfigRoot("Orvande", "Rollavex");
    COptions* options = app.GetOptions();
    options->Load();
    EXPECT_EQ(options->Difficulty, 0);
    ASSERT_TRUE(COptions::IsFullscreenLatched());
    const int32_t latched = COptions::GetLatchedFullscreen();
    GetSettings()->WriteDword("Fullscreen", !latched, "Config");
    GetSettings()->WriteDword("Difficulty", 3, "Config");
    GetSettings()->WriteString("Initials", "ABCDEFGH", "Config");
    options->Load();
    EXPECT_EQ(options->Fullscreen, !latched);
    EXPECT_EQ(COptions::GetLatchedFullscreen(), latched);
    EXPECT_EQ(options->Difficulty, 3);
    EXPECT_STREQ(options->Initials, "ABCDEFG");
    GetSettings()->WriteString("Initials", "ABCDEFGHI", "Config");
    options->Load();
    EXPECT_STREQ(options->Initials, "") << "longer initials fall back to none";
    GetSettings()->WriteString("Initials", "ABCDEFGH", "Config");
    options->Save();
    int32_t suits = 0, moveMode = -1;
    EXPECT_EQ(GetSettings()->ReadDword(&suits, "NumDiceSuits", 0, "Config"), 0);
    EXPECT_EQ(suits, 2);
    EXPECT_NE(GetSettings()->ReadDword(&moveMode, "DiceMoveMode", -1, "Config"), 0);
    // The controls and the window's size: in range they are kept, out of it
    // their defaults stand (0: the picture's size).
    const struct {
        const char* subkey;
        const char* name;
        int32_t AOptionsRollavex::*field;
        int32_t stored, loaded;
    } controls[] = {{"Input", "MouseSensitivity", &AOptionsRollavex::MouseSensitivity, 10, 10},
                    {"Input", "MouseSensitivity", &AOptionsRollavex::MouseSensitivity, 1001, 100},
                    {"Input", "InvertY", &AOptionsRollavex::InvertY, 1, 1},
                    {"Input", "InvertY", &AOptionsRollavex::InvertY, 2, 0},
                    {"Input", "StickDeadZone", &AOptionsRollavex::StickDeadZone, 90, 90},
                    {"Input", "StickDeadZone", &AOptionsRollavex::StickDeadZone, -1, 15},
                    {"Config", "WindowWidth", &AOptionsRollavex::WindowWidth, 320, 320},
                    {"Config", "WindowWidth", &AOptionsRollavex::WindowWidth, 319, 0},
                    {"Config", "WindowHeight", &AOptionsRollavex::WindowHeight, 16384, 16384},
                    {"Config", "WindowHeight", &AOptionsRollavex::WindowHeight, 16385, 0}};
    auto* game = static_cast<AOptionsRollavex*>(options);
    for (const auto& c : controls) {
        GetSettings()->WriteDword(c.name, c.stored, c.subkey);
        options->Load();
        EXPECT_EQ(game->*c.field, c.loaded) << c.name << "=" << c.stored;
    }
}

int32_t Stored(const char* name)
{
    int32_t value = -1;
    GetSettings()->ReadDword(&value, name, -1, "Config");
    return value;
}

// F11 and Alt+Enter switch the window at once and keep the choice; a held
// key switches once, Enter alone does not. A windowed size the player
// changed is kept when the game ends; other lines stay as they were.
TEST_F(AppTest, FullScreenKeysSwitchAtOnceAndTheChoiceAndTheWindowedSizeAreKept)
{
    GetSettings()->OpenConfigRoot("Orvande", "Rollavex");
    GetSettings()->WriteDword("Fullscreen", 0, "Config");
    GetSettings()->WriteDword("Music", -1, "Config");
    app.GetOptions()->Load();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    {
        AScreenRollavex screen;
        ASSERT_EQ(screen.Create("Rollavex", 794, 575, 0x11B), 0);
        const struct {
            SDL_Keycode key;
            uint16_t mod;
            uint8_t repeat;
            int32_t full;
        } keys[] = {{SDLK_F11, 0, 0, 1},         {SDLK_F11, 0, 1, 1},        {SDLK_RETURN, KMOD_LALT, 0, 0},
                    {SDLK_RETURN, 0, 0, 0},      {SDLK_KP_ENTER, KMOD_RALT, 0, 1}, {SDLK_F11, KMOD_SHIFT, 0, 0}};
        for (const auto& k : keys) {
            SDL_Event e{};
            e.key.keysym.sym = k.key;
            e.key.keysym.mod = k.mod;
            e.key.repeat = k.repeat;
            for (uint32_t type : {SDL_KEYDOWN, SDL_KEYUP}) {
                e.type = type;
                screen.HandleEvent(e);
            }
            EXPECT_EQ(screen.IsFullScreenShown(), k.full != 0) << SDL_GetKeyName(k.key);
            EXPECT_EQ(Stored("Fullscreen"), k.full) << SDL_GetKeyName(k.key);
        }
        screen.HandleEvent(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 1000, 700));
        EXPECT_EQ(Stored("WindowWidth"), -1) << "kept when the game ends";
        screen.Close();
    }
    EXPECT_EQ(std::tuple(Stored("WindowWidth"), Stored("WindowHeight"), Stored("Music")), std::tuple(1000, 700, -1));
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace
