#include <gtest/gtest.h>
#include <vector>
#include "platform/Image.h"

namespace {

using Bytes = std::vector<uint8_t>;

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

TEST(TgaDecoding, RowOrderAlphaIdAndColourMapAndRunLengthPackets)
{
    struct Pixel {
        uint32_t x, y, argb;
    };
    const struct {
        Bytes tga;
        uint32_t fHasAlpha;
        std::vector<Pixel> pixels;
    } cases[] = {
        // Bottom-up B, G, R: the last stored row is on top.
        {Tga(2, 3, 2, 24, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}), 0,
         {{0, 0, 0x0C0B0AFF}, {2, 0, 0x121110FF}, {0, 1, 0x030201FF}}},
        {Tga(2, 2, 1, 32, 0x20, {1, 2, 3, 4, 5, 6, 7, 8}, 5, 2), 1, {{0, 0, 0x03020104}, {1, 0, 0x07060508}}},
        // 0x83: one pixel four times; 0x03: four literal pixels.
        {Tga(10, 4, 2, 24, 0x20, {0x83, 1, 2, 3, 0x03, 10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42}), 0,
         {{0, 0, 0x030201FF}, {3, 0, 0x030201FF}, {0, 1, 0x0C0B0AFF}, {3, 1, 0x2A2928FF}}},
        // A repeat packet of 8 pixels stops at the image's last.
        {Tga(10, 2, 1, 32, 0, {0x87, 1, 2, 3, 4}), 1, {{1, 0, 0x03020104}}},
    };
    Image image;
    for (const auto& c : cases) {
        ASSERT_EQ(image.DecodeTGA(c.tga.data(), c.tga.size()), 0);
        EXPECT_EQ(image.fHasAlpha, c.fHasAlpha);
        for (const Pixel& p : c.pixels)
            EXPECT_EQ(image.GetPixel(p.x, p.y), p.argb) << p.x << "," << p.y;
    }
    EXPECT_EQ(image.nOriginX, -2);
    image.SetPixels(image.GetPixels());
    EXPECT_EQ(image.GetPixel(1, 0), 0x03020104u);
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

} // namespace
