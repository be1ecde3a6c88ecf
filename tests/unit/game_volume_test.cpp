// The game's volumes with its real sounds on OpenAL's silent device.
#include <gtest/gtest.h>
#include <cstdlib>
#include "game/app/AAppRollavex.h"
#include "game/AGameRollavex.h"
#include "game/maze/ALeanBall.h"
#include "common/screen/COptions.h"
#include "FileTestSupport.h"
#include "VoiceGain.h"
#include "platform/audio/MSound.h"
#include "platform/audio/MSoundManager.h"
#include "platform/window/AppTimer.h"
#include "scene_fakes.h"

namespace {

// Every sound effect the game loads sounds at its own volume times the effects
// volume SFX sets when a game begins, the rolling ball's too, whose own volume
// follows its speed each frame. There is sound once the device is open.
TEST(GameVolume, SfxScalesEverySoundEffectOnTopOfItsOwnVolume)
{
    TempFolder stateHome;
    setenv("XDG_STATE_HOME", stateHome.Path().c_str(), 1);
    setenv("ALSOFT_DRIVERS", "null", 0);
    AAppRollavex app;
    SetApplication(&app);
    EXPECT_FALSE(CScreen::HasSound());
    ASSERT_EQ(GetSoundManager()->Initialize(nullptr, snd::DSSCL_PRIORITY, 2, 22050, 16), 0);
    EXPECT_TRUE(CScreen::HasSound());
    AppTimer(TimerStop);
    const struct { int32_t sfx; float effects; } cases[] = {
        {100, 1.0f}, {50, 0.31623f}, {20, 0.06902f}, {1, 4.7533e-4f}, {0, 0.0f}, {-1, 0.0f}};
    for (const auto& [sfx, effects] : cases) {
        SCOPED_TRACE(sfx);
        app.GetOptions()->SFX = sfx;
        fakes::Screen screen;
        screen.OpenGameArchive();
        AGameRollavex game(&screen, 0, 0, 0, 1, 0, 1);
        ASSERT_EQ(game.Load(), 0);
        ASSERT_EQ(game.Begin(), 0);
        game.GetBall()->Place(-4.35f, 4.38f, 0.0f, 1.5f, 0.0f);
        AppTimer(TimerAdvance);
        CScene::UpdateAllScenes();
        // Intro, goal and fall; rolling, drop start, drop end and bump.
        const std::vector<MSound*>& sounds = MSound::GetAllSounds();
        ASSERT_EQ(sounds.size(), 7u);
        const int32_t roll = sounds[3]->GetVolume();
        EXPECT_TRUE(roll > -10000 && roll < 0) << roll;
        for (MSound* sound : sounds)
            EXPECT_NEAR(Gain(sound->GetVoice(0)), MSound::GainOf(sound->GetVolume()) * effects, 1e-5f);
    }
    AppTimer(TimerStart);
    SetApplication(nullptr);
}

} // namespace
