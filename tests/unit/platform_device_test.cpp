#include <gtest/gtest.h>
#include "GLTestWindow.h"
#include "base/Rect.h"
#include "platform/MDeviceManager.h"
#include "platform/MMatrix.h"

namespace {

constexpr uint32_t kBlue = 0xFF0000FF;

int Red(uint32_t c) { return int((c >> 16) & 0xFF); }
int Green(uint32_t c) { return int((c >> 8) & 0xFF); }
int BlueOf(uint32_t c) { return int(c & 0xFF); }

TEST(DeviceWithoutWindow, AnswersDisplayQuestionsButHasNoDevice)
{
    MDeviceManager* device = GetDeviceManager();
    EXPECT_EQ(device->CanRunWindowed(), 1);
    EXPECT_EQ(device->IsDisplayAtLeast(800, 600), 1);
    EXPECT_EQ(device->IsDisplayAtLeast(800, 100000), 0);
    EXPECT_GE(device->GetOpenGLVersion(), 33);
    EXPECT_EQ(device->CreateDevice(0, 0, 0), 14);
    EXPECT_FALSE(device->HasDevice());
    EXPECT_EQ(device->BeginFrame(), 20);
    EXPECT_EQ(device->BeginSprites(), 20);
    EXPECT_EQ(device->EndSprites(), 21);
    EXPECT_EQ(device->EndFrame(), 21);
    EXPECT_EQ(device->GetBitsPerPixel(), 0);
    SDL_Window* window = SDL_CreateWindow("late", 0, 0, 8, 8, MDeviceManager::WindowFlags() | SDL_WINDOW_HIDDEN);
    EXPECT_EQ(GetDeviceManager(window), device); // the existing one, still without a device
    EXPECT_EQ(device->CreateDevice(0, 0, 0), 14);
    DestroyDeviceManager();
    SDL_DestroyWindow(window);
}

TEST(DeviceFormats, FullScreenTrialEndsSixteenBitWithout32BitFormats)
{
    auto no32 = [](int32_t f) { return FormatDepth(f) != 32; };
    const int32_t format = FirstAcceptedFormat(MDeviceManager::kFullScreenFormats, 7, no32);
    EXPECT_EQ(format, kFormatA4R4G4B4);
    EXPECT_EQ(FormatDepth(format), 16);
    EXPECT_EQ(FormatDepth(kFormatD24S8), 0);
}

using DeviceTest = GLTestWindow;

TEST_F(DeviceTest, WindowedBackBufferIsTheClientArea)
{
    EXPECT_EQ(device->GetBackBufferWidth(), 160);
    EXPECT_EQ(device->GetBackBufferHeight(), 120);
    EXPECT_EQ(device->GetBackBufferFormat(), kFormatX8R8G8B8);
    EXPECT_EQ(device->GetBitsPerPixel(), 32);
    int32_t x = 0, y = 0;
    device->WindowToBackBuffer(37, 41, &x, &y);
    EXPECT_EQ(x, 37);
    EXPECT_EQ(y, 41);
}

TEST_F(DeviceTest, FullScreenScalesTheBackBufferWithItsAspect)
{
    Close();
    Open(1000, 600);
    ASSERT_EQ(device->CreateDevice(1, 800 | 0x10000, 600), 0);
    EXPECT_EQ(device->GetBackBufferWidth(), 800);
    EXPECT_EQ(device->GetBackBufferHeight(), 600);
    EXPECT_EQ(device->GetBackBufferFormat(), kFormatA8R8G8B8);
    int32_t x = 0, y = 0;
    device->WindowToBackBuffer(100, 0, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    device->WindowToBackBuffer(899, 599, &x, &y);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 599);
    device->WindowToBackBuffer(20, 10, &x, &y); // left of the picture
    EXPECT_EQ(x, 0);
    device->BackBufferToWindow(400, 300, &x, &y);
    EXPECT_EQ(x, 500);
    EXPECT_EQ(y, 300);
    ASSERT_EQ(device->BeginFrame(), 0);
    EXPECT_EQ(PixelAt(799, 599), kBlue);
    EXPECT_EQ(device->EndFrame(), 0);
}

TEST_F(DeviceTest, ClearsToOpaqueBlueAndChecksTheSpriteBatch)
{
    ASSERT_EQ(device->BeginFrame(), 0);
    EXPECT_EQ(PixelAt(0, 0), kBlue);
    EXPECT_EQ(PixelAt(159, 119), kBlue);
    EXPECT_EQ(device->EndSprites(), 21);
    EXPECT_EQ(device->BeginSprites(), 0);
    EXPECT_EQ(device->BeginSprites(), 20);
    EXPECT_EQ(device->EndSprites(), 0);
    EXPECT_EQ(device->EndFrame(), 0);
}

TEST_F(DeviceTest, ProjectionIsLeftHandedQuarterPi)
{
    float m[16];
    MMatrix expected;
    expected.SetPerspectiveFovLH(0.7853982f, 1.33f, 1.0f, 100.0f);
    device->GetTransform(kTransformProjection, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(m[i], expected(i / 4, i % 4)) << i;
}

TEST_F(DeviceTest, BevelFrameClearsFillAndEdges)
{
    ASSERT_EQ(device->BeginFrame(), 0);
    EXPECT_EQ(device->DrawBevelFrame(10, 10, 10, 20, 0, 1, 0, 1, 0), int32_t(0x80070057));
    ASSERT_EQ(device->DrawBevelFrame(20, 20, 60, 50, 0xFF00FF00, 2, 0xFF808080, 1, 0), 0);
    EXPECT_EQ(PixelAt(30, 30), 0xFF00FF00);
    EXPECT_EQ(PixelAt(30, 18), 0xFFBFBFBF); // grown outwards
    EXPECT_EQ(PixelAt(18, 30), 0xFFBFBFBF);
    EXPECT_EQ(PixelAt(30, 51), 0xFF404040);
    EXPECT_EQ(PixelAt(61, 30), 0xFF404040);
    EXPECT_EQ(PixelAt(61, 18), 0xFF404040); // right strip drawn last
    EXPECT_EQ(PixelAt(30, 17), kBlue);
    ASSERT_EQ(device->DrawBevelFrame(80, 20, 120, 50, 0xFF00FF00, -3, 0xFF808080, 2, 1), 0);
    EXPECT_EQ(PixelAt(90, 22), 0xFF404040); // inside, sunken
    EXPECT_EQ(PixelAt(90, 47), 0xFFBFBFBF);
    EXPECT_EQ(PixelAt(90, 30), kBlue); // no fill
    EXPECT_EQ(PixelAt(90, 19), kBlue);
    device->EndFrame();
}

class MeshPipelineTest : public GLTestWindow {
protected:
    // A 2 x 2 square at z = 5 facing the camera, clockwise on screen.
    uint32_t Square(bool clockwise)
    {
        const MVertex v[4] = {{-1, -1, 5, 0, 0, -1, 0, 1}, {-1, 1, 5, 0, 0, -1, 0, 0},
                              {1, 1, 5, 0, 0, -1, 1, 0}, {1, -1, 5, 0, 0, -1, 1, 1}};
        const uint32_t cw[6] = {0, 1, 2, 0, 2, 3};
        const uint32_t ccw[6] = {0, 2, 1, 0, 3, 2};
        return device->CreateVertexBuffer(v, 4, clockwise ? cw : ccw, 6);
    }
    static MMaterial Coloured(float r, float g, float b, float a)
    {
        MMaterial m;
        const float c[4] = {r, g, b, a};
        for (int i = 0; i < 4; ++i)
            m.diffuse[i] = m.ambient[i] = c[i];
        return m;
    }
    uint32_t Centre() const { return PixelAt(80, 60); }
};

TEST_F(MeshPipelineTest, CounterClockwiseIsCulledAndLitMaterialTakesAmbientAndDiffuseLight)
{
    const uint32_t square = Square(true);
    ASSERT_NE(square, 0u);
    ASSERT_EQ(device->BeginFrame(), 0);
    device->SetMaterial(Coloured(1, 0, 0, 1));
    device->DrawTriangles(Square(false), 0, 6);
    EXPECT_EQ(Centre(), kBlue);
    device->DrawTriangles(square, 0, 6);
    // 0.44 ambient + 0.44 diffuse with the light straight on.
    EXPECT_NEAR(Red(Centre()), 224, 2);
    EXPECT_EQ(Green(Centre()), 0);
    device->SetRenderState(MRenderState::Lighting, false);
    device->SetRenderState(MRenderState::Cull, false);
    device->DrawTriangles(Square(false), 0, 6);
    EXPECT_EQ(Centre(), 0xFFFFFFFF);
    device->EndFrame();
    device->DeleteVertexBuffer(square);
}

TEST_F(MeshPipelineTest, SpecularAddsTheHighlight)
{
    const uint32_t square = Square(true);
    ASSERT_EQ(device->BeginFrame(), 0);
    MMaterial m = Coloured(0.5f, 0, 0, 1);
    m.specular[0] = m.specular[1] = m.specular[2] = 1;
    m.power = 4;
    device->SetMaterial(m);
    device->SetRenderState(MRenderState::Specular, true);
    device->DrawTriangles(square, 0, 6);
    EXPECT_NEAR(Red(Centre()), 112 + 61, 4);
    EXPECT_NEAR(Green(Centre()), 61, 4);
    device->EndFrame();
}

TEST_F(MeshPipelineTest, ShadowStencilDarkensEachPixelOnce)
{
    const uint32_t square = Square(true);
    ASSERT_EQ(device->BeginFrame(), 0);
    device->SetMaterial(Coloured(0, 0, 0, 0.4f));
    device->SetRenderState(MRenderState::AlphaBlend, true);
    device->ClearStencil();
    device->SetRenderState(MRenderState::StencilShadow, true);
    device->DrawTriangles(square, 0, 6);
    device->DrawTriangles(square, 0, 6);
    EXPECT_NEAR(BlueOf(Centre()), 153, 2);
    device->SetRenderState(MRenderState::StencilShadow, false);
    device->DrawTriangles(square, 0, 6);
    EXPECT_NEAR(BlueOf(Centre()), 92, 2);
    // Past the stencil's 255 marks a shadow still darkens each pixel once.
    device->SetRenderState(MRenderState::StencilShadow, true);
    for (int shadow = 0; shadow < 3; ++shadow) {
        for (int i = 0; i < 150; ++i)
            device->ClearStencil();
        device->DrawTriangles(square, 0, 6);
        device->DrawTriangles(square, 0, 6);
    }
    EXPECT_NEAR(BlueOf(Centre()), 20, 2);
    device->SetRenderState(MRenderState::StencilShadow, false);
    device->EndFrame();
}

} // namespace
