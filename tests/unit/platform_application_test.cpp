#include "platform/window/MApplication.h"
#include "FileTestSupport.h"
#include "base/CException.h"
#include "platform/dialogs/MDialogScript.h"
#include "tests/unit/QuietWindow.h"
#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <functional>

namespace {

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
    using MApplication::AddIconResource;
    using MApplication::SetScreen;
};

// Counts frames and user events; the test decides when to quit.
class LoopScreen : public QuietWindow {
public:
    int nFrames = 0, nEvents = 0;
    std::function<void()> onEvent = [] {};

    explicit LoopScreen(bool fIsActive) { fActive = fIsActive; }
    void Frame() override { ++nFrames; }
    int32_t HandleEvent(const SDL_Event& event) override
    {
        if (event.type == SDL_USEREVENT)
            ++nEvents, onEvent();
        return 0;
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

// A 2 x 1 PNG: opaque red, then half-transparent blue.
Bytes IconPng()
{
    const uint8_t pixels[8] = {255, 0, 0, 255, 0, 0, 255, 128};
    Bytes png;
    auto append = [](void* out, void* data, int size) {
        static_cast<Bytes*>(out)->insert(static_cast<Bytes*>(out)->end(), static_cast<uint8_t*>(data),
                                          static_cast<uint8_t*>(data) + size);
    };
    stbi_write_png_to_func(append, &png, 2, 1, 4, pixels, 8);
    return png;
}

// A failed start ends with 1 without running, as does an engine exception,
// which is shown; a second instance ends quietly with 0 and one line on
// stderr. Resource strings are cut to the buffer; icons are decoded with
// their colours, and broken or unknown ones are null.
TEST_F(ApplicationTest, ExecuteEndsWithOneAfterAFailedStartOrAnEngineExceptionAndASecondInstanceWithZero)
{
    {
        TestApp failed;
        EXPECT_EQ(failed.Execute(), 1); // the loop would wait for ever without a screen
        EXPECT_EQ(failed.nInitialised, 1);
        TestApp second;
        testing::internal::CaptureStderr();
        EXPECT_EQ(second.Execute(), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "RollavexTest is already running.\n");
        EXPECT_EQ(second.nInitialised, 0);
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
    const Bytes png = IconPng(), broken(png.begin(), png.begin() + 40);
    app.AddIconResource(101, png.data(), png.size());
    app.AddIconResource(102, broken.data(), broken.size());
    auto* icon = static_cast<SDL_Surface*>(app.LoadIconResource(101));
    ASSERT_NE(icon, nullptr);
    ASSERT_EQ(std::pair(icon->w, icon->h), std::pair(2, 1));
    std::vector<uint8_t> rgba(8);
    for (size_t x = 0; x < 2; ++x)
        SDL_GetRGBA(static_cast<uint32_t*>(icon->pixels)[x], icon->format, &rgba[4 * x], &rgba[4 * x + 1],
                    &rgba[4 * x + 2], &rgba[4 * x + 3]);
    EXPECT_EQ(rgba, (std::vector<uint8_t>{255, 0, 0, 255, 0, 0, 255, 128}));
    EXPECT_EQ(app.LoadIconResource(102), nullptr);
    EXPECT_EQ(app.LoadIconResource(103), nullptr);
}

// An inactive window handles its events and runs no frame.
TEST_F(ApplicationTest, WhileInactiveOnlyEventsAreHandled)
{
    TestApp app;
    auto* screen = new LoopScreen(false);
    app.SetScreen(screen);
    screen->onEvent = [&] { app.Quit(0); };
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(screen->nEvents, 1);
    EXPECT_EQ(screen->nFrames, 0);
}

} // namespace
