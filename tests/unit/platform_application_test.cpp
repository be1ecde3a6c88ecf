#include "platform/MApplication.h"
#include "FileTestSupport.h"
#include "base/CException.h"
#include "platform/MDialogScript.h"
#include "tests/unit/QuietWindow.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

void PushUserEvent()
{
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
}

// Counts frames and events: the first frame pushes an event and the twelfth
// quits with 3; the third event quits with 0.
class LoopScreen : public QuietWindow {
public:
    LoopScreen(MApplication* app, bool fActiveNow) : pApp(app) { fActive = fActiveNow ? 1 : 0; }
    void Frame() override
    {
        if (++nFrames == 1)
            PushUserEvent();
        if (nFrames == 12)
            pApp->Quit(3);
    }
    int32_t HandleEvent(const SDL_Event& event) override
    {
        if (event.type == SDL_USEREVENT && ++nEvents == 3)
            pApp->Quit(0);
        return 0;
    }
    int nFrames = 0, nEvents = 0;

private:
    MApplication* pApp;
};

class TestApp : public MApplication {
public:
    int nInitialised = 0;
    std::function<int32_t()> initialise = [] { return 0; };

    TestApp()
    {
        AddStringResource(1, "RollavexTest");
        LoadStringResource(1, szName, sizeof szName);
    }
    int32_t Initialise() override { return ++nInitialised, initialise(); }
    void ShutdownServices() override {}
    COptions* GetOptions() override { return nullptr; }
    LoopScreen* AttachScreen(bool fActive)
    {
        auto* screen = new LoopScreen(this, fActive);
        SetScreen(screen);
        return screen;
    }
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
        setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
        MDialogScript::SetAnswers("");
        MDialogScript::ClearRecord();
    }
    TempFolder runtime;
};

// While active a frame runs whenever the queue is empty; while inactive only
// events are handled.
TEST_F(ApplicationTest, FramesRunOnlyWhileActive)
{
    for (bool fActive : {true, false}) {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0); // the previous app quit SDL
        TestApp app;
        LoopScreen* screen = app.AttachScreen(fActive);
        for (int i = 0; i < (fActive ? 0 : 3); ++i)
            PushUserEvent();
        EXPECT_EQ(app.Run(), fActive ? 3 : 0);
        EXPECT_EQ(screen->nFrames, fActive ? 12 : 0);
        EXPECT_EQ(screen->nEvents, fActive ? 1 : 3);
    }
}

// A failed start ends with 0 without running; an engine exception is shown
// and ends with 1. Resource strings are cut to the buffer.
TEST_F(ApplicationTest, ExecuteEndsWithZeroOrWithOneAfterAnEngineException)
{
    {
        TestApp failed;
        LoopScreen* screen = failed.AttachScreen(true);
        EXPECT_EQ(failed.Execute(), 0);
        EXPECT_EQ(failed.nInitialised, 1);
        EXPECT_EQ(screen->nFrames, 0);
    }
    TestApp app;
    app.initialise = []() -> int32_t { throw CFileException("common/CFileMM", 84); };
    EXPECT_EQ(app.Execute(), 1);
    ASSERT_EQ(MDialogScript::GetRecord().size(), 1u);
    EXPECT_EQ(MDialogScript::GetRecord()[0], "message|Message|file: common/CFileMMline: 84");
    char buffer[5];
    EXPECT_EQ(app.LoadStringResource(1, buffer, sizeof buffer), 4);
    EXPECT_STREQ(buffer, "Roll");
    EXPECT_EQ(app.LoadStringResource(2, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(app.LoadStringResource(1, buffer, 0), 0);
}

} // namespace
