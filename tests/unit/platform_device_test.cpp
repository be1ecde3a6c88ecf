#include <gtest/gtest.h>
#include <vector>
#include "GLTestWindow.h"
#include "QuietWindow.h"
#include "base/Rect.h"
#include "platform/video/MBackBufferPlacement.h"
#include "platform/video/MDeviceManager.h"
#include "platform/video/MRenderTarget.h"
#include "platform/math/MMatrix.h"

namespace {

// The picture scales to the window with its aspect kept, between black bars:
// pointer points map to picture pixels (so that a picture pixel leans the
// board a milliradian at any size), clamped at the picture's edges, and each
// picture pixel's centre maps back to a point over that pixel.
TEST(BackBufferPlacement, PointsMapToPicturePixelsAtAnySize)
{
    using Size = MBackBufferPlacement::Size;
    struct Case {
        const char* szName;
        Size window, drawable, picture;
        int32_t x, y, bx, by; // a window point and the picture pixel under it
        Rect bars[2];         // drawable pixels, bottom-left origin; none when empty
    };
    const Case cases[] = {
        {"the picture's size", {794, 575}, {794, 575}, {794, 575}, 793, 574, 793, 574, {}},
        {"twice the size", {1588, 1150}, {1588, 1150}, {794, 575}, 3, 1149, 1, 574, {}},
        {"HiDPI: twice the pixels", {794, 575}, {1588, 1150}, {794, 575}, 400, 300, 400, 300, {}},
        {"full screen, bars beside", {1920, 1080}, {1920, 1080}, {800, 600}, 960, 540, 400, 300,
         {{0, 0, 240, 1080}, {1680, 0, 1920, 1080}}},
        {"left of the picture", {1920, 1080}, {1920, 1080}, {800, 600}, 239, 1079, 0, 599,
         {{0, 0, 240, 1080}, {1680, 0, 1920, 1080}}},
        {"tall, bars above and below", {794, 1150}, {794, 1150}, {794, 575}, 10, 300, 10, 13,
         {{0, 0, 794, 288}, {0, 863, 794, 1150}}},
        {"half the size", {397, 288}, {397, 288}, {794, 575}, 396, 0, 792, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szName);
        const MBackBufferPlacement placement(c.window, c.drawable, c.picture);
        int32_t bx = -1, by = -1, x = -1, y = -1;
        placement.WindowToBackBuffer(c.x, c.y, &bx, &by);
        EXPECT_EQ(std::pair(bx, by), std::pair(c.bx, c.by));
        placement.BackBufferToWindow(bx, by, &x, &y);
        placement.WindowToBackBuffer(x, y, &bx, &by);
        EXPECT_EQ(std::pair(bx, by), std::pair(c.bx, c.by)) << "back from " << x << ", " << y;
        Rect bars[2];
        const int32_t count = placement.Margins(bars);
        EXPECT_EQ(count, c.bars[0].IsEmpty() && c.bars[1].IsEmpty() ? 0 : 2);
        for (int32_t i = 0; i < count; ++i)
            EXPECT_EQ(bars[i], c.bars[i]) << i;
    }
}

TEST(DeviceWithoutWindow, AnswersDisplayQuestionsButHasNoDevice)
{
    MDeviceManager* device = GetDeviceManager();
    EXPECT_EQ(device->CanRunWindowed(), 1);
    EXPECT_EQ(device->IsDisplayAtLeast(800, 600), 1);
    EXPECT_EQ(device->IsDisplayAtLeast(800, 100000), 0);
    EXPECT_GE(device->GetOpenGLVersion(), 33);
    EXPECT_EQ(device->CreateDevice(0, 0, 0), 14);
    EXPECT_EQ(std::pair(device->BeginFrame(), device->BeginSprites()), std::pair(20, 20));
    EXPECT_EQ(std::pair(device->EndSprites(), device->EndFrame()), std::pair(21, 21));
    int32_t x = 0, y = 0;
    device->WindowToBackBuffer(37, 41, &x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(37, 41));
    SDL_Window* window = SDL_CreateWindow("late", 0, 0, 8, 8, MDeviceManager::WindowFlags() | SDL_WINDOW_HIDDEN);
    EXPECT_EQ(GetDeviceManager(window), device); // the existing one, still without a device
    EXPECT_EQ(device->CreateDevice(0, 0, 0), 14);
    DestroyDeviceManager();
    SDL_DestroyWindow(window);
    auto no32 = [](int32_t f) { return FormatDepth(f) != 32; };
    EXPECT_EQ(FirstAcceptedFormat(MDeviceManager::kFullScreenFormats, 7, no32), kFormatA4R4G4B4);
}

// The game window takes the device's GL objects and context with it before
// it goes; the device then answers as one without a window.
TEST(DeviceOnGameWindow, ClosingTheWindowReleasesTheDeviceFirst)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    auto window = std::make_unique<QuietWindow>();
    ASSERT_EQ(window->Create("game", 160, 120, 0), 0);
    MDeviceManager* device = GetDeviceManager(window->GetSDLWindow());
    ASSERT_EQ(device->CreateDevice(0, 160, 120), 0);
    window.reset();
    ASSERT_FALSE(device->HasDevice());
    EXPECT_EQ(device->BeginFrame(), 20);
    EXPECT_EQ(device->CanRunWindowed(), 1);
    DestroyDeviceManager();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

using DeviceTest = GLTestWindow;

// The game's projection; frames clear to opaque blue; a sprite batch opens
// once a frame.
TEST_F(DeviceTest, FrameSpriteBatchAndProjection)
{
    // Left-handed, vertical view pi/4, aspect 1.33 (not 4/3), near 1, far 100.
    const float expected[16] = {1.815198f, 0, 0, 0, 0, 2.414214f, 0, 0, 0, 0, 1.010101f, 1, 0, 0, -1.010101f, 0};
    MMatrix m;
    device->GetTransform(kTransformProjection, &m);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m(i / 4, i % 4), expected[i], 1e-6f) << i;
    ASSERT_EQ(device->BeginFrame(), 0);
    EXPECT_EQ(PixelAt(159, 119), 0xFF0000FFu);
    EXPECT_EQ(device->EndSprites(), 21);
    EXPECT_EQ(device->BeginSprites(), 0);
    EXPECT_EQ(device->BeginSprites(), 20);
    EXPECT_EQ(device->EndSprites(), 0);
    EXPECT_EQ(device->EndFrame(), 0);
}

// A shadow darkens each pixel once, also past the stencil's 255 marks.
TEST_F(DeviceTest, ShadowStencilDarkensEachPixelOnce)
{
    const MVertex v[4] = {{-1, -1, 5, 0, 0, -1, 0, 1}, {-1, 1, 5, 0, 0, -1, 0, 0},
                          {1, 1, 5, 0, 0, -1, 1, 0}, {1, -1, 5, 0, 0, -1, 1, 1}};
    const uint32_t clockwise[6] = {0, 1, 2, 0, 2, 3};
    const uint32_t square = device->CreateVertexBuffer(v, 4, clockwise, 6);
    MMaterial black;
    for (int i = 0; i < 4; ++i)
        black.diffuse[i] = black.ambient[i] = i == 3 ? 0.4f : 0.0f;
    ASSERT_EQ(device->BeginFrame(), 0);
    device->SetMaterial(black);
    device->SetRenderState(MRenderState::AlphaBlend, true);
    device->SetRenderState(MRenderState::StencilShadow, true);
    for (int shadow = 0; shadow < 3; ++shadow) {
        for (int i = 0; i < 150; ++i)
            device->ClearStencil();
        device->DrawTriangles(square, 0, 6);
        device->DrawTriangles(square, 0, 6);
    }
    EXPECT_NEAR(int(PixelAt(80, 60) & 0xFF), 55, 2); // 255 darkened three times by 0.6
    device->EndFrame();
}

// The finished picture (green left half, red right half) goes into the
// window scaled with its aspect kept, between black bars, whether drawn at
// its own size or at the size it shows; drawing goes on in the picture after.
TEST_F(DeviceTest, PresentScalesThePictureBetweenBlackBars)
{
    constexpr uint32_t kBlack = 0xFF000000, kGreen = 0xFF00FF00, kRed = 0xFFFF0000;
    struct Sample {
        int32_t x, y; // window pixels, bottom-left origin
        uint32_t argb;
    };
    struct Case {
        const char* szName;
        MBackBufferPlacement::Size window;
        bool atOutputSize;
        std::vector<Sample> samples;
    };
    // Doubled, the picture spans x 40 to 360; at 1.875 times, y 7 to 232.
    const std::vector<Sample> doubled = {{0, 120, kBlack},   {39, 0, kBlack},    {40, 239, kGreen},
                                         {195, 120, kGreen}, {205, 120, kRed},   {359, 0, kRed},
                                         {360, 239, kBlack}, {399, 120, kBlack}};
    const Case cases[] = {
        {"doubled, drawn at its own size", {400, 240}, false, doubled},
        {"doubled, drawn at the output size", {400, 240}, true, doubled},
        {"1.875 times, smoothed", {300, 240}, false,
         {{150, 3, kBlack}, {150, 236, kBlack}, {5, 120, kGreen}, {140, 120, kGreen}, {160, 120, kRed},
          {295, 120, kRed}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szName);
        Close();
        Open(c.window.w, c.window.h);
        MRenderTarget picture;
        ASSERT_TRUE(picture.Create(160, 120, kFormatX8R8G8B8));
        picture.Place(MBackBufferPlacement(c.window, c.window, {160, 120}), c.atOutputSize);
        picture.Bind();
        picture.Clear(kRed);
        picture.Fill(0, 0, 80, 120, kGreen, 1.0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT); // what the bars must hide
        picture.Present();
        uint8_t rgba[4] = {};
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        EXPECT_EQ(std::vector<uint8_t>(rgba, rgba + 4), (std::vector<uint8_t>{0, 255, 0, 255})) << "bound again";
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        for (const Sample& s : c.samples)
            EXPECT_EQ(PixelAt(s.x, c.window.h - 1 - s.y), s.argb) << s.x << ", " << s.y;
    }
}

} // namespace
