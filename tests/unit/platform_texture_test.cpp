#include <gtest/gtest.h>
#include "FileTestSupport.h"
#include "GLTestWindow.h"
#include "base/Rect.h"
#include "platform/video/MDeviceManager.h"
#include "platform/video/MPixelConverter.h"
#include "platform/video/MSurface.h"
#include "platform/video/MTexture.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF; // R, G, B, A all 255

// A TGA header and what follows it.
Bytes Tga(uint8_t type, uint16_t width, uint16_t height, uint8_t depth, uint8_t descriptor, const Bytes& body,
          uint8_t idLength = 0, uint16_t mapLength = 0)
{
    Bytes t = {idLength, 0, type, 0, 0, uint8_t(mapLength), uint8_t(mapLength >> 8), 0, 0xFE, 0xFF, 3, 0,
               uint8_t(width), uint8_t(width >> 8), uint8_t(height), uint8_t(height >> 8), depth, descriptor};
    t.insert(t.end(), size_t(idLength) + size_t(mapLength) * 4, 0xEE);
    t.insert(t.end(), body.begin(), body.end());
    return t;
}

// A top-down 32-bit picture: B as given, G the pixel's index, R 0x40, A as given.
Bytes Pixels(uint16_t width, uint16_t height, uint8_t blue, uint8_t alpha)
{
    Bytes body;
    for (uint32_t i = 0; i < uint32_t(width) * height; ++i)
        body.insert(body.end(), {blue, uint8_t(i), 0x40, alpha});
    return Tga(2, width, height, 32, 0x20, body);
}

TEST(TgaDecoding, UnsupportedAndHostileFilesGiveCode28AndNoPixels)
{
    Bytes mapped = Tga(2, 1, 1, 24, 0, {1, 2, 3}, 0, 100);
    mapped.resize(40); // the colour map runs past the end
    const Bytes cases[] = {
        Tga(1, 1, 1, 24, 0, {1, 2, 3}),                  // colour-mapped
        Tga(2, 1, 1, 16, 0, {1, 2}),                     // 16-bit
        Tga(2, 4, 4, 32, 0, Bytes(63, 1)),               // fewer pixels than the header claims
        Tga(10, 65535, 65535, 24, 0, {0xFF, 1, 2, 3}),   // refused before anything is allocated
        Tga(10, 4096, 4096, 24, 0, {0xFF, 1, 2, 3}),     // more pixels than packets can make
        Tga(10, 4, 1, 24, 0, {0x81, 1, 2, 3}),           // run-length data ending early
        Tga(10, 4, 1, 24, 0, {0x03, 1, 2, 3, 4}),        // a literal packet cut short
        mapped,
        Bytes(17, 0),                                    // a header cut short
        Bytes(),
    };
    for (const Bytes& tga : cases) {
        Image image;
        const Bytes good = Tga(2, 1, 1, 24, 0, {1, 2, 3});
        ASSERT_EQ(image.DecodeTGA(good.data(), good.size()), 0);
        EXPECT_EQ(image.DecodeTGA(tga.empty() ? nullptr : tga.data(), tga.size()), 28) << tga.size();
        EXPECT_FALSE(image.HasPixels());
    }
}

// Each format reduces the channels; a texture's one-bit alpha is set from 128,
// a surface's from 1, and surfaces write no 4-bit formats. The trial order of
// texture formats follows the screen depth; without a device nothing is made.
TEST(TextureFormats, ConversionTrialOrderAndNoDevice)
{
    constexpr auto kTex = MPixelConverter::Target::kTexture, kSurf = MPixelConverter::Target::kSurface;
    constexpr bool kUnwritten = false;
    const struct {
        MPixelConverter::Target target;
        uint32_t pixel;
        int32_t depth, format;
        uint32_t texel;
        bool written = true;
    } cases[] = {
        {kTex, kWhite, 16, kFormatR5G6B5, 0xFFFF},
        {kTex, 0x80000000, 16, kFormatR5G6B5, 15u << 11}, // 0x80 * 31 / 255
        {kSurf, kWhite, 16, kFormatX1R5G5B5, 0x7FFF},
        {kTex, kWhite, 16, kFormatX4R4G4B4, 0x7FFF},
        {kTex, 0x000000FF, 16, kFormatA4R4G4B4, 0xF000},
        {kTex, 0x88442211, 16, kFormatA4R4G4B4, 0x1842},
        {kTex, 0xFFFFFF80, 16, kFormatA1R5G5B5, 0xFFFF},
        {kTex, 0xFFFFFF7F, 16, kFormatA1R5G5B5, 0x7FFF},
        {kSurf, 0x00000001, 16, kFormatA1R5G5B5, 0x8000},
        {kSurf, 0xFFFFFF00, 16, kFormatA1R5G5B5, 0x7FFF},
        {kSurf, kWhite, 16, kFormatA4R4G4B4, 0, kUnwritten},
        {kSurf, kWhite, 16, kFormatX4R4G4B4, 0, kUnwritten},
        {kSurf, kWhite, 0, kFormatUnknown, 0, kUnwritten},
        {kTex, 0x11223344, 32, kFormatA8R8G8B8, 0x44112233},
        {kSurf, 0x11223344, 32, kFormatX8R8G8B8, 0x44112233},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MPixelConverter::Writes(c.depth, c.format, c.target), c.written) << std::hex << c.pixel;
        if (c.written) {
            EXPECT_EQ(MPixelConverter::Convert(c.pixel, c.depth, c.format, c.target), c.texel) << std::hex << c.pixel;
        }
    }
    auto all = [](int32_t) { return true; };
    EXPECT_EQ(MTexture::ChooseFormat(32, kFormatX8R8G8B8, all), kFormatA8R8G8B8);
    EXPECT_EQ(MTexture::ChooseFormat(16, kFormatR5G6B5, all), kFormatA4R4G4B4);
    const auto no4444 = [](int32_t f) { return f != kFormatA4R4G4B4; };
    EXPECT_EQ(MTexture::ChooseFormat(16, kFormatR5G6B5, no4444), kFormatA1R5G5B5);
    EXPECT_EQ(MTexture::ChooseFormat(16, kFormatR5G6B5, [](int32_t f) { return f == kFormatR5G6B5; }), kFormatR5G6B5);
    EXPECT_EQ(MTexture::ChooseFormat(32, kFormatX8R8G8B8, [](int32_t) { return false; }), kFormatUnknown);
    const Bytes tga = Pixels(2, 2, 1, 255);
    MTexture texture;
    EXPECT_EQ(texture.CreateFromTGA(tga.data(), tga.size()), 31); // no device: no texture
    EXPECT_FALSE(texture.HasTexture());
    int32_t pitch = 0;
    EXPECT_EQ(texture.Lock(nullptr, &pitch, 0), nullptr);
    EXPECT_EQ(texture.Fill32(0), int32_t(0x80004005));
    EXPECT_EQ(texture.DrawSprite(nullptr, nullptr, 0, kWhite), 36);
    DestroyDeviceManager();
}

using TextureTest = GLTestWindow;

// A picture keeps its size on a power-of-two texture; a lock addresses texels by pitch.
TEST_F(TextureTest, PictureSizeLockAndFill)
{
    const Bytes tga = Pixels(100, 60, 0x30, 0x80);
    MTexture texture;
    ASSERT_EQ(texture.CreateFromTGA(tga.data(), tga.size()), 0);
    ASSERT_TRUE(texture.HasTexture());
    EXPECT_EQ(std::pair(texture.GetWidth(), texture.GetHeight()), std::pair(100u, 60u));
    EXPECT_EQ(std::pair(texture.GetGLTexture().GetWidth(), texture.GetGLTexture().GetHeight()), std::pair(128u, 64u));
    EXPECT_EQ(std::pair(texture.GetOriginX(), texture.GetOriginY()), (std::pair<int32_t, int32_t>(-2, 3)));
    EXPECT_EQ(texture.GetFormat(), kFormatA8R8G8B8);
    EXPECT_EQ(texture.GetImage(), nullptr);
    int32_t pitch = 0;
    const Rect area{1, 1, 3, 2};
    auto* texels = static_cast<uint32_t*>(texture.Lock(&area, &pitch, 0));
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(pitch, 128 * 4);
    EXPECT_EQ(texels[0], 0x80400000u | uint32_t(uint8_t(101)) << 8 | 0x30); // pixel 101 of the stored rows
    EXPECT_EQ(texture.Lock(nullptr, &pitch, 0), nullptr);
    EXPECT_EQ(texture.UnLock(0), 0);
    EXPECT_EQ(texture.UnLock(0), int32_t(0x8876086C));
    const Rect outside{0, 0, 129, 1};
    EXPECT_EQ(texture.Lock(&outside, &pitch, 0), nullptr);
    EXPECT_EQ(texture.Lock(nullptr, &pitch, 1), nullptr);
    MTexture filled(16, 16);
    ASSERT_EQ(filled.Fill32(0xFF000000), 0);
    ASSERT_EQ(filled.Fill16(0xF000), 0); // on a 32-bit texture: its first half only
    texels = static_cast<uint32_t*>(filled.Lock(nullptr, &pitch, 0));
    EXPECT_EQ(texels[127], 0xF000F000u);
    EXPECT_EQ(texels[128], 0xFF000000u);
    EXPECT_EQ(texels[255], 0xFF000000u);
    filled.UnLock(0);
}

TEST_F(TextureTest, NewImagesTakeANewSerialBadImagesAndSizesGiveNoTexture)
{
    const Bytes small = Pixels(2, 2, 1, 255), big = Pixels(40, 10, 1, 255);
    MTexture texture;
    ASSERT_EQ(texture.CreateFromTGA(small.data(), small.size()), 0);
    Image image, empty;
    ASSERT_EQ(image.DecodeTGA(big.data(), big.size()), 0);
    const uint32_t before = texture.GetSerial();
    ASSERT_EQ(texture.SetImage(&image, 0, 0), 0);
    EXPECT_NE(texture.GetSerial(), before);
    EXPECT_EQ(texture.GetGLTexture().GetWidth(), 64u);
    EXPECT_EQ(texture.SetImage(&empty, 0, 0), 29);
    Bytes sixteen = small;
    sixteen[16] = 16;
    MTexture bad;
    EXPECT_EQ(bad.CreateFromTGA(sixteen.data(), sixteen.size()), 28);
    EXPECT_FALSE(bad.HasTexture());
    EXPECT_EQ(bad.Create(0, 0), 29);
    MSurface surface(sixteen.data(), sixteen.size(), 0, 0, 0);
    EXPECT_EQ(surface.GetWidth(), 0u);
    EXPECT_EQ(surface.BlitToBackBuffer(0, 0, nullptr), 0);
    MTexture huge(0x40000000, 0x40000000), wide(uint32_t(device->GetMaxTextureSize()) + 1, 1);
    EXPECT_FALSE(huge.HasTexture() || wide.HasTexture());
    EXPECT_EQ(huge.GetWidth(), 0u);
}

// Flags 0x11 move the sprite by the destination's size; a sprite takes the
// colour and blends by alpha.
TEST_F(TextureTest, SpritesMoveByTheirFlagsBlendAndTakeTheColour)
{
    MTexture green(4, 4), white(2, 2);
    ASSERT_EQ(green.Fill32(0xFF00FF00), 0);
    ASSERT_EQ(white.Fill32(0x80FFFFFF), 0);
    ASSERT_EQ(device->BeginFrame(), 0);
    EXPECT_EQ(green.DrawSprite(nullptr, nullptr, 0, kWhite), 36); // outside the batch
    ASSERT_EQ(device->BeginSprites(), 0);
    const Rect dest{10, 20, 50, 60}, source{0, 0, 2, 2}, right{4, 0, 6, 2};
    ASSERT_EQ(green.DrawSprite(&dest, &source, 0x11, kWhite), 0);
    white.DrawSprite(&right, nullptr, 0, 0xFFFF0000);
    ASSERT_EQ(device->EndSprites(), 0);
    EXPECT_EQ(PixelAt(51, 61), 0xFF00FF00);
    EXPECT_EQ(PixelAt(52, 62), 0xFF0000FF);
    EXPECT_EQ(PixelAt(10, 20), 0xFF0000FF);
    EXPECT_NEAR(int((PixelAt(4, 0) >> 16) & 0xFF), 128, 2);
    EXPECT_EQ(PixelAt(4, 0) & 0xFF00, 0u);
    device->EndFrame();
}

// File textures key out opaque black unless keyed otherwise; a surface keeps
// its size and is copied plain to the back buffer.
TEST_F(TextureTest, FilesLoadIntoTexturesAndSurfaces)
{
    Bytes tga = Pixels(3, 1, 0, 255);
    tga[18 + 1] = tga[18 + 2] = 0; // first pixel: opaque black
    const TempFolder folder;
    const std::string path = folder.File("texture.tga");
    WriteAllBytes(path, tga);
    MTexture keyed, plain;
    ASSERT_EQ(keyed.LoadFromFile(path.c_str(), 0, 0), 0);
    EXPECT_EQ(keyed.GetGLTexture().GetWidth(), 4u);
    ASSERT_EQ(plain.LoadFromFileKeyed(path.c_str(), 0, 0, 0), 0);
    int32_t pitch = 0;
    EXPECT_EQ(static_cast<const uint32_t*>(keyed.Lock(nullptr, &pitch, 0))[0], 0u);
    EXPECT_EQ(static_cast<const uint32_t*>(plain.Lock(nullptr, &pitch, 0))[0], 0xFF000000u);
    EXPECT_EQ(plain.LoadFromFile((path + ".missing").c_str(), 0, 0), 31);
    EXPECT_FALSE(plain.HasTexture());
    const Bytes small = Pixels(2, 2, 0x30, 0xFF), clear = Pixels(3, 2, 0x30, 0x00);
    MSurface surface(small.data(), small.size(), 0, 4, 4), copied(clear.data(), clear.size(), 0, 0, 0);
    ASSERT_EQ(surface.LoadFromFile(path.c_str(), 0, 0), 0);
    EXPECT_EQ(surface.GetWidth(), 4u);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(surface.GetGLTexture().GetBits())[2], 0xFF400200u);
    EXPECT_EQ(surface.LoadFromFile((path + ".missing").c_str(), 0, 0), 17);
    EXPECT_EQ(copied.GetFormat(), device->GetBackBufferFormat());
    ASSERT_EQ(device->BeginFrame(), 0);
    const Rect source{1, 0, 3, 2};
    ASSERT_EQ(copied.BlitToBackBuffer(20, 30, &source), 0);
    EXPECT_EQ(PixelAt(20, 30) & 0xFFFFFF, 0x400130u);
    EXPECT_EQ(PixelAt(21, 31) & 0xFFFFFF, 0x400530u);
    EXPECT_EQ(PixelAt(22, 30), 0xFF0000FF);
    device->EndFrame();
}

} // namespace
