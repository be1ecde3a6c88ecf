#include <gtest/gtest.h>
#include <memory>
#include "GLTestDevice.h"
#include "UiTestSupport.h"
#include "common/CActorFade.h"

namespace {

const int32_t kFadePos[3] = {0, 0, 2560};

// A device that only answers its colour depth and size.
class DepthDevice : public BDevice {
public:
    explicit DepthDevice(int32_t bits) : nBits(bits) {}
    int32_t BeginFrame() override { return 0; }
    int32_t EndFrame() override { return 0; }
    int32_t BeginSprites() override { return 0; }
    int32_t EndSprites() override { return 0; }
    int32_t GetBackBufferWidth() const override { return 640; }
    int32_t GetBackBufferHeight() const override { return 480; }
    int32_t GetBitsPerPixel() const override { return nBits; }

private:
    int32_t nBits;
};

class FadeTest : public ::testing::Test {
protected:
    // The device goes first: it needs the window that a later first use would lack.
    FadeTest() { GLTestDevice(); }
    void UseDevice(BDevice* device)
    {
        screen.SetDevice(device);
        scene = std::make_unique<KeyScene>(&screen);
    }
    CActorFade* StartFade()
    {
        CActorFade* fade = CActorFade::Get(scene.get(), kFadePos);
        fade->StartFade(1);
        return fade;
    }
    // Runs frames of dt ticks; the number of steps they made.
    static int32_t Run(CActorFade* fade, int32_t frames, int32_t dt)
    {
        const int32_t before = fade->GetStep();
        for (int32_t i = 0; i < frames; ++i)
            fade->Update(dt);
        return fade->GetStep() - before;
    }

    UiTestScreen screen;
    std::unique_ptr<KeyScene> scene;
};

class RunningFadeTest : public FadeTest {
protected:
    void SetUp() override
    {
        MDeviceManager* device = GLTestDevice();
        if (!device)
            GTEST_SKIP() << "no display for a texture";
        ASSERT_EQ(device->GetBitsPerPixel(), 32);
        UseDevice(device);
    }
};

TEST_F(FadeTest, ThereIsOneFadeActorWhateverTheScene)
{
    UseDevice(nullptr);
    CActorFade* fade = CActorFade::Get(scene.get(), kFadePos);
    ASSERT_NE(fade, nullptr);
    EXPECT_EQ(fade->GetScene(), scene.get());
    EXPECT_EQ(fade->GetZ(), 2560);
    KeyScene second(&screen);
    EXPECT_EQ(CActorFade::Get(&second, kFadePos), fade);
    scene.reset();
    EXPECT_EQ(CActorFade::Current(), nullptr);
    CActorFade* fresh = CActorFade::Get(&second, kFadePos);
    EXPECT_EQ(fresh->GetScene(), &second);
}

TEST_F(FadeTest, FadeThatCannotRunEndsRevealedAtOnce)
{
    // A 16-bit screen whose texture is not A4R4G4B4 (or no texture at all).
    DepthDevice shallow(16);
    UseDevice(&shallow);
    CActorFade* fade = StartFade();
    EXPECT_EQ(fade->GetBounds(), (Rect{0, 0, 640, 480}));
    EXPECT_TRUE(fade->IsRevealed());
    EXPECT_FALSE(fade->IsFading());
    EXPECT_FALSE(fade->IsCovered());
    EXPECT_TRUE(fade->IsHidden());
    EXPECT_EQ(Run(fade, 10, 4), 0);
}

TEST_F(RunningFadeTest, OneTickFramesCountTwoTicksEach)
{
    CActorFade* fade = StartFade();
    EXPECT_TRUE(fade->IsFading());
    EXPECT_FALSE(fade->IsHidden());
    EXPECT_EQ(fade->TicksToNextChange(), 0) << "a fade steps on every frame";
    EXPECT_EQ(fade->GetStepLeft(), 4);
    CScene::DrawAllScenes();
    EXPECT_EQ(Run(fade, 1, 1), 0);
    EXPECT_FALSE(CScene::IsRepaintPending());
    EXPECT_EQ(fade->GetStepLeft(), 2);
    EXPECT_EQ(Run(fade, 1, 1), 1);
    EXPECT_TRUE(CScene::IsRepaintPending()) << "a fade step draws the next frame";
    EXPECT_EQ(fade->GetStepLeft(), 4);
    // 26 steps in all, one every two frames, then one more turn to end.
    EXPECT_EQ(Run(fade, 50, 1), 25);
    EXPECT_TRUE(fade->IsFading());
    EXPECT_EQ(Run(fade, 2, 1), 0);
    EXPECT_FALSE(fade->IsFading());
    EXPECT_TRUE(fade->IsRevealed());
    EXPECT_TRUE(fade->IsHidden());
    EXPECT_EQ(fade->TicksToNextChange(), CScene::NoChange);
}

TEST_F(RunningFadeTest, LongFrameCountsTwelveTicksAndMakesOneStep)
{
    CActorFade* fade = StartFade();
    EXPECT_EQ(Run(fade, 1, 100), 1);
    EXPECT_EQ(fade->GetStepLeft(), 4 - 12 + 4);
    EXPECT_EQ(Run(fade, 1, 12), 1);
    EXPECT_EQ(fade->GetStepLeft(), -4 - 12 + 4);
}

TEST_F(RunningFadeTest, StartingAgainRestartsFromFullAlpha)
{
    CActorFade* fade = StartFade();
    Run(fade, 5, 4);
    EXPECT_EQ(fade->GetStep(), 5);
    fade->StartFade(1);
    EXPECT_EQ(fade->GetStep(), 0);
    EXPECT_EQ(fade->GetStepLeft(), 4);
    EXPECT_TRUE(fade->IsFading());
}

} // namespace
