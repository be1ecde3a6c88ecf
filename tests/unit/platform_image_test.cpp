#include <gtest/gtest.h>
#include <vector>
#include "platform/Image.h"

namespace {

// A TGA header and what follows it.
std::vector<uint8_t> Tga(uint8_t type, uint16_t width, uint16_t height, uint8_t depth, uint8_t descriptor,
                         const std::vector<uint8_t>& body, uint8_t idLength = 0, uint16_t mapLength = 0)
{
    std::vector<uint8_t> t = {idLength, 0, type, 0, 0, uint8_t(mapLength), uint8_t(mapLength >> 8), 0,
                              0xFE, 0xFF, 3, 0, uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                              uint8_t(height >> 8), depth, descriptor};
    t.insert(t.end(), size_t(idLength) + size_t(mapLength) * 4, 0xEE);
    t.insert(t.end(), body.begin(), body.end());
    return t;
}

int32_t Decode(Image& image, const std::vector<uint8_t>& tga)
{
    return image.DecodeTGA(tga.data(), tga.size());
}

TEST(TgaDecoding, BottomUpTrueColourTurnsRowsOver)
{
    // Stored bottom row first: B, G, R per pixel.
    const std::vector<uint8_t> body = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    Image image;
    ASSERT_EQ(Decode(image, Tga(2, 3, 2, 24, 0, body)), 0);
    EXPECT_EQ(image.nWidth, 3u);
    EXPECT_EQ(image.nHeight, 2u);
    EXPECT_EQ(image.GetPixel(0, 0), 0x0C0B0AFFu); // first pixel of the last stored row
    EXPECT_EQ(image.GetPixel(2, 0), 0x121110FFu);
    EXPECT_EQ(image.GetPixel(0, 1), 0x030201FFu);
    EXPECT_EQ(image.fHasAlpha, 0u);
    EXPECT_EQ(image.nOriginX, -2);
}

TEST(TgaDecoding, TopDownWithAlphaKeepsOrderAndSkipsIdAndColourMap)
{
    const std::vector<uint8_t> body = {1, 2, 3, 4, 5, 6, 7, 8};
    Image image;
    ASSERT_EQ(Decode(image, Tga(2, 2, 1, 32, 0x20, body, 5, 2)), 0);
    EXPECT_EQ(image.GetPixel(0, 0), 0x03020104u);
    EXPECT_EQ(image.GetPixel(1, 0), 0x07060508u);
    EXPECT_EQ(image.fHasAlpha, 1u);
}

TEST(TgaDecoding, RunLengthPacketsRepeatAndCopy)
{
    // 0x83: one pixel four times; 0x03: four literal pixels.
    const std::vector<uint8_t> body = {0x83, 1, 2, 3, 0x03, 10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42};
    Image image;
    ASSERT_EQ(Decode(image, Tga(10, 4, 2, 24, 0x20, body)), 0);
    for (uint32_t x = 0; x < 4; ++x)
        EXPECT_EQ(image.GetPixel(x, 0), 0x030201FFu);
    EXPECT_EQ(image.GetPixel(0, 1), 0x0C0B0AFFu);
    EXPECT_EQ(image.GetPixel(3, 1), 0x2A2928FFu);
}

TEST(TgaDecoding, RunLengthStopsAtTheLastPixel)
{
    // The repeat packet covers 8 pixels of a 2 x 1 image; 32-bit, bottom-up.
    const std::vector<uint8_t> body = {0x87, 1, 2, 3, 4};
    Image image;
    ASSERT_EQ(Decode(image, Tga(10, 2, 1, 32, 0, body)), 0);
    EXPECT_EQ(image.GetPixel(1, 0), 0x03020104u);
    EXPECT_EQ(image.fHasAlpha, 1u);
}

TEST(TgaDecoding, UnsupportedTypesAndDepthsGiveCode28)
{
    Image image;
    EXPECT_EQ(Decode(image, Tga(1, 1, 1, 24, 0, {1, 2, 3})), 28);
    EXPECT_FALSE(image.HasPixels());
    EXPECT_EQ(Decode(image, Tga(2, 1, 1, 16, 0, {1, 2})), 28);
    EXPECT_FALSE(image.HasPixels());
}

TEST(TgaDecoding, HostileHeadersAreRefused)
{
    Image image;
    // The chunk holds fewer pixels than the header claims.
    EXPECT_EQ(Decode(image, Tga(2, 4, 4, 32, 0, std::vector<uint8_t>(63, 1))), 28);
    EXPECT_FALSE(image.HasPixels());
    // Absurdly large: 65535 x 65535 is refused before anything is allocated.
    EXPECT_EQ(Decode(image, Tga(10, 65535, 65535, 24, 0, {0xFF, 1, 2, 3})), 28);
    // Run-length packets of four bytes cannot make 4096 x 4096 pixels from one packet.
    EXPECT_EQ(Decode(image, Tga(10, 4096, 4096, 24, 0, {0xFF, 1, 2, 3})), 28);
    // Run-length data that ends early, and a literal packet cut short.
    EXPECT_EQ(Decode(image, Tga(10, 4, 1, 24, 0, {0x81, 1, 2, 3})), 28);
    EXPECT_EQ(Decode(image, Tga(10, 4, 1, 24, 0, {0x03, 1, 2, 3, 4})), 28);
    // A colour map running past the end, and a header cut short.
    std::vector<uint8_t> mapped = Tga(2, 1, 1, 24, 0, {1, 2, 3}, 0, 100);
    mapped.resize(40);
    EXPECT_EQ(Decode(image, mapped), 28);
    const std::vector<uint8_t> header = Tga(2, 1, 1, 24, 0, {});
    EXPECT_EQ(image.DecodeTGA(header.data(), 17), 28);
    EXPECT_EQ(image.DecodeTGA(nullptr, 0), 28);
    EXPECT_FALSE(image.HasPixels());
}

TEST(TgaDecoding, RedecodingReplacesOldPixels)
{
    Image image;
    ASSERT_EQ(Decode(image, Tga(2, 1, 1, 24, 0, {1, 2, 3})), 0);
    ASSERT_EQ(Decode(image, Tga(2, 2, 1, 24, 0, {4, 5, 6, 7, 8, 9})), 0);
    EXPECT_EQ(image.GetPixel(1, 0), 0x090807FFu);
}

TEST(ImagePixels, SetPixelsCopiesWidthTimesHeightAndIgnoresItsOwn)
{
    Image image;
    image.SetWidth(2);
    image.SetHeight(2);
    const uint32_t source[4] = {1, 2, 3, 4};
    image.SetPixels(source);
    EXPECT_EQ(image.GetPixel(1, 1), 4u);
    image.SetPixels(image.GetPixels());
    EXPECT_EQ(image.GetPixel(0, 1), 3u);
}

} // namespace
