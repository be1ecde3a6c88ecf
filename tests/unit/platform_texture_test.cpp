#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "GLTestWindow.h"
#include "base/Rect.h"
#include "platform/MDeviceManager.h"
#include "platform/MSurface.h"
#include "platform/MTexture.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF; // R, G, B, A all 255

std::vector<uint8_t> Tga(uint16_t width, uint16_t height, uint8_t blue, uint8_t alpha)
{
    std::vector<uint8_t> t = {0, 0, 2, 0, 0, 0, 0, 0, 5, 0, 0xF9, 0xFF, uint8_t(width), uint8_t(width >> 8),
                              uint8_t(height), uint8_t(height >> 8), 32, 0x20};
    for (uint32_t i = 0; i < uint32_t(width) * height; ++i)
        t.insert(t.end(), {blue, uint8_t(i), 0x40, alpha});
    return t;
}

// Writes the TGA to a file of the test's own and returns its path.
std::string TgaFile(const std::vector<uint8_t>& tga)
{
    const std::string path = ::testing::TempDir() + "texture_test.tga";
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(tga.data(), 1, tga.size(), f);
    std::fclose(f);
    return path;
}

TEST(TextureConversion, EachFormatReducesTheChannelsAndOneBitAlphaIsSetFrom128)
{
    const struct {
        uint32_t pixel;
        int32_t depth, format;
        uint32_t texel;
    } cases[] = {
        {kWhite, 16, kFormatR5G6B5, 0xFFFF},           {kWhite, 16, kFormatX1R5G5B5, 0x7FFF},
        {0x000000FF, 16, kFormatA4R4G4B4, 0xF000},     {0x88442211, 16, kFormatA4R4G4B4, 0x1842},
        {0x00000080, 16, kFormatA1R5G5B5, 0x8000},     {0x0000007F, 16, kFormatA1R5G5B5, 0},
        {0x11223344, 32, kFormatA8R8G8B8, 0x44112233}, {0x80000000, 16, kFormatR5G6B5, 15u << 11}, // 0x80 * 31 / 255
    };
    for (const auto& c : cases)
        EXPECT_EQ(MTexture::ConvertPixel(c.pixel, c.depth, c.format), c.texel) << std::hex << c.pixel;
    // Surfaces set the alpha bit for any alpha but 0, and write no 4-bit alpha.
    uint32_t texel = 0;
    ASSERT_TRUE(MSurface::ConvertPixel(0x00000001, 16, kFormatA1R5G5B5, &texel));
    EXPECT_EQ(texel, 0x8000u);
    EXPECT_FALSE(MSurface::ConvertPixel(kWhite, 16, kFormatA4R4G4B4, &texel));
    ASSERT_TRUE(MSurface::ConvertPixel(0x11223344, 32, kFormatX8R8G8B8, &texel));
    EXPECT_EQ(texel, 0x44112233u);
}

TEST(TextureFormats, TrialOrderFollowsTheScreenDepth)
{
    auto all = [](int32_t) { return true; };
    EXPECT_EQ(MTexture::ChooseFormat(32, kFormatX8R8G8B8, all), kFormatA8R8G8B8);
    EXPECT_EQ(MTexture::ChooseFormat(16, kFormatR5G6B5, all), kFormatA4R4G4B4);
    auto no4444 = [](int32_t f) { return f != kFormatA4R4G4B4; };
    EXPECT_EQ(MTexture::ChooseFormat(16, kFormatR5G6B5, no4444), kFormatA1R5G5B5);
    auto onlyBackBuffer = [](int32_t f) { return f == kFormatR5G6B5; };
    EXPECT_EQ(MTexture::ChooseFormat(16, kFormatR5G6B5, onlyBackBuffer), kFormatR5G6B5);
    EXPECT_EQ(MTexture::ChooseFormat(0, kFormatUnknown, all), kFormatUnknown);
    EXPECT_EQ(MTexture::ChooseFormat(32, kFormatX8R8G8B8, [](int32_t) { return false; }), kFormatUnknown);
}

TEST(TextureWithoutDevice, CreationFailsQuietly)
{
    const std::vector<uint8_t> tga = Tga(2, 2, 1, 255);
    MTexture texture(tga.data(), tga.size());
    EXPECT_FALSE(texture.HasTexture());
    int32_t pitch = 0;
    EXPECT_EQ(texture.Lock(nullptr, &pitch, 0), nullptr);
    EXPECT_EQ(texture.Fill32(0), int32_t(0x80004005));
    EXPECT_EQ(texture.DrawSprite(nullptr, nullptr, 0, kWhite), 36);
    DestroyDeviceManager();
}

using TextureTest = GLTestWindow;

TEST_F(TextureTest, PictureSizeStaysWhileTheTextureIsAPowerOfTwo)
{
    const std::vector<uint8_t> tga = Tga(100, 60, 0x30, 0x80);
    MTexture texture(tga.data(), tga.size());
    ASSERT_TRUE(texture.HasTexture());
    EXPECT_EQ(texture.GetWidth(), 100u);
    EXPECT_EQ(texture.GetHeight(), 60u);
    EXPECT_EQ(texture.GetGLTexture().GetWidth(), 128u);
    EXPECT_EQ(texture.GetGLTexture().GetHeight(), 64u);
    EXPECT_EQ(texture.GetOriginX(), 5);
    EXPECT_EQ(texture.GetOriginY(), -7);
    EXPECT_EQ(texture.GetFormat(), kFormatA8R8G8B8);
    EXPECT_EQ(texture.GetImage(), nullptr);
}

TEST_F(TextureTest, SizesBeyondTheDeviceAreRefused)
{
    MTexture huge(0x40000000, 0x40000000);
    EXPECT_FALSE(huge.HasTexture());
    EXPECT_EQ(huge.GetWidth(), 0u);
    MTexture wide(uint32_t(device->GetMaxTextureSize()) + 1, 1);
    EXPECT_FALSE(wide.HasTexture());
}

TEST_F(TextureTest, LockAddressesTexelsByPitch)
{
    const std::vector<uint8_t> tga = Tga(3, 2, 0x30, 0x80);
    MTexture texture(tga.data(), tga.size());
    int32_t pitch = 0;
    const Rect area{1, 1, 3, 2};
    auto* texels = static_cast<uint32_t*>(texture.Lock(&area, &pitch, 0));
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(pitch, 4 * 4);
    // Pixel (1, 1) is the fifth stored: B 0x30, G 4, R 0x40, A 0x80.
    EXPECT_EQ(texels[0], 0x80400430u);
    EXPECT_EQ(texels[-int32_t(pitch / 4) - 1], 0x80400030u);
    int32_t again = 0;
    EXPECT_EQ(texture.Lock(nullptr, &again, 0), nullptr);
    EXPECT_EQ(texture.UnLock(0), 0);
    EXPECT_EQ(texture.UnLock(0), int32_t(0x8876086C));
    const Rect outside{0, 0, 5, 1};
    EXPECT_EQ(texture.Lock(&outside, &pitch, 0), nullptr);
    EXPECT_EQ(texture.Lock(nullptr, &pitch, 1), nullptr);
}

TEST_F(TextureTest, FillWritesWidthTimesHeightTexels)
{
    MTexture texture(16, 16);
    EXPECT_EQ(texture.GetWidth(), 16u);
    ASSERT_EQ(texture.Fill32(0xFF000000), 0);
    int32_t pitch = 0;
    auto* texels = static_cast<const uint32_t*>(texture.Lock(nullptr, &pitch, 0));
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(texels[0], 0xFF000000u);
    EXPECT_EQ(texels[255], 0xFF000000u);
    texture.UnLock(0);
    // 16-bit values on a 32-bit texture fill its first half only.
    ASSERT_EQ(texture.Fill16(0xF000), 0);
    texels = static_cast<const uint32_t*>(texture.Lock(nullptr, &pitch, 0));
    EXPECT_EQ(texels[0], 0xF000F000u);
    EXPECT_EQ(texels[127], 0xF000F000u);
    EXPECT_EQ(texels[128], 0xFF000000u);
    texture.UnLock(0);
}

TEST_F(TextureTest, SetImageTakesANewSerialAndRecreates)
{
    const std::vector<uint8_t> small = Tga(2, 2, 1, 255);
    const std::vector<uint8_t> big = Tga(40, 10, 1, 255);
    MTexture texture(small.data(), small.size());
    Image image;
    ASSERT_EQ(image.DecodeTGA(big.data(), big.size()), 0);
    const uint32_t before = texture.GetSerial();
    ASSERT_EQ(texture.SetImage(&image, 0, 0), 0);
    EXPECT_NE(texture.GetSerial(), before);
    EXPECT_EQ(texture.GetWidth(), 40u);
    EXPECT_EQ(texture.GetGLTexture().GetWidth(), 64u);
    Image empty;
    EXPECT_EQ(texture.SetImage(&empty, 0, 0), 29);
}

TEST_F(TextureTest, BadImagesGiveNoTexture)
{
    std::vector<uint8_t> sixteen = Tga(2, 2, 1, 255);
    sixteen[16] = 16;
    MTexture texture(sixteen.data(), sixteen.size());
    EXPECT_FALSE(texture.HasTexture());
    EXPECT_EQ(texture.Create(0, 0), 29);
    MSurface surface(sixteen.data(), sixteen.size(), 0, 0, 0);
    EXPECT_EQ(surface.GetWidth(), 0u);
    EXPECT_EQ(surface.BlitToBackBuffer(0, 0, nullptr), 0);
}

TEST_F(TextureTest, SpriteFlagsMoveThePositionByTheDestinationSize)
{
    MTexture texture(4, 4);
    ASSERT_EQ(texture.Fill32(0xFF00FF00), 0);
    ASSERT_EQ(device->BeginFrame(), 0);
    EXPECT_EQ(texture.DrawSprite(nullptr, nullptr, 0, kWhite), 36); // outside the batch
    ASSERT_EQ(device->BeginSprites(), 0);
    const Rect dest{10, 20, 50, 60};
    const Rect source{0, 0, 2, 2};
    ASSERT_EQ(texture.DrawSprite(&dest, &source, 0x11, kWhite), 0);
    ASSERT_EQ(device->EndSprites(), 0);
    EXPECT_EQ(PixelAt(50, 60), 0xFF00FF00);
    EXPECT_EQ(PixelAt(51, 61), 0xFF00FF00);
    EXPECT_EQ(PixelAt(52, 62), 0xFF0000FF);
    EXPECT_EQ(PixelAt(10, 20), 0xFF0000FF);
    device->EndFrame();
}

TEST_F(TextureTest, SpritesBlendByAlphaAndTakeTheColour)
{
    MTexture texture(2, 2);
    ASSERT_EQ(texture.Fill32(0x80FFFFFF), 0); // half-transparent white
    ASSERT_EQ(device->BeginFrame(), 0);
    ASSERT_EQ(device->BeginSprites(), 0);
    const Rect left{0, 0, 2, 2}, right{4, 0, 6, 2};
    texture.DrawSprite(&left, nullptr, 0, kWhite);
    texture.DrawSprite(&right, nullptr, 0, 0xFFFF0000); // red tint
    ASSERT_EQ(device->EndSprites(), 0);
    const uint32_t blended = PixelAt(0, 0);
    EXPECT_NEAR(int((blended >> 16) & 0xFF), 128, 2);
    EXPECT_NEAR(int(blended & 0xFF), 255, 1);
    const uint32_t tinted = PixelAt(4, 0);
    EXPECT_NEAR(int((tinted >> 16) & 0xFF), 128, 2);
    EXPECT_EQ(tinted & 0xFF00, 0u);
    device->EndFrame();
}

TEST_F(TextureTest, FileTexturesKeyOutOpaqueBlack)
{
    std::vector<uint8_t> tga = Tga(3, 1, 0, 255);
    tga[18 + 1] = 0;  // first pixel: B 0, G 0, R 0x40
    tga[18 + 2] = 0;  // now opaque black
    const std::string path = TgaFile(tga);
    MTexture keyed;
    ASSERT_EQ(keyed.LoadFromFile(path.c_str(), 0, 0), 0);
    EXPECT_EQ(keyed.GetWidth(), 3u);
    EXPECT_EQ(keyed.GetHeight(), 1u);
    EXPECT_EQ(keyed.GetGLTexture().GetWidth(), 4u);
    int32_t pitch = 0;
    const auto* texels = static_cast<const uint32_t*>(keyed.Lock(nullptr, &pitch, 0));
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(texels[0], 0u);
    EXPECT_EQ(texels[1], 0xFF400100u);
    keyed.UnLock(0);
    MTexture plain;
    ASSERT_EQ(plain.LoadFromFileKeyed(path.c_str(), 0, 0, 0), 0);
    texels = static_cast<const uint32_t*>(plain.Lock(nullptr, &pitch, 0));
    EXPECT_EQ(texels[0], 0xFF000000u);
    plain.UnLock(0);
    EXPECT_EQ(plain.LoadFromFile((path + ".missing").c_str(), 0, 0), 31);
    EXPECT_FALSE(plain.HasTexture());
    std::remove(path.c_str());
}

TEST_F(TextureTest, SurfaceLoadsAFileIntoItself)
{
    const std::vector<uint8_t> small = Tga(2, 2, 0x30, 0xFF);
    MSurface surface(small.data(), small.size(), 0, 4, 4);
    EXPECT_EQ(surface.GetWidth(), 4u);
    const std::string path = TgaFile(Tga(3, 1, 0x77, 0xFF));
    ASSERT_EQ(surface.LoadFromFile(path.c_str(), 0, 0), 0);
    EXPECT_EQ(surface.GetWidth(), 4u); // the surface keeps its size
    const auto* texels = reinterpret_cast<const uint32_t*>(surface.GetGLTexture().GetBits());
    EXPECT_EQ(texels[2], 0xFF400277u);
    EXPECT_EQ(surface.LoadFromFile((path + ".missing").c_str(), 0, 0), 17);
    std::remove(path.c_str());
}

TEST_F(TextureTest, SurfaceIsCopiedPlainToTheBackBuffer)
{
    const std::vector<uint8_t> tga = Tga(3, 2, 0x30, 0x00); // fully transparent pixels
    MSurface surface(tga.data(), tga.size(), 0, 0, 0);
    EXPECT_EQ(surface.GetFormat(), device->GetBackBufferFormat());
    EXPECT_EQ(surface.GetWidth(), 3u);
    ASSERT_EQ(device->BeginFrame(), 0);
    const Rect source{1, 0, 3, 2};
    ASSERT_EQ(surface.BlitToBackBuffer(20, 30, &source), 0);
    EXPECT_EQ(PixelAt(20, 30) & 0xFFFFFF, 0x400130u);
    EXPECT_EQ(PixelAt(21, 31) & 0xFFFFFF, 0x400530u);
    EXPECT_EQ(PixelAt(22, 30), 0xFF0000FF);
    device->EndFrame();
}

} // namespace
