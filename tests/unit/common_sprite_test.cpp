#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "FileTestSupport.h"
#include "UiTestSupport.h"
#include "base/CException.h"
#include "base/FileSpec.h"
#include "common/CActorSprite.h"
#include "common/CFileIFF.h"
#include "common/CSprite.h"
#include "common/CSpriteArray.h"

namespace {

// A 2 x 1 uncompressed 32-bit TGA, top row first, origin (-8, -8).
Bytes Tga()
{
    Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0, 0xF8, 0xFF, 0xF8, 0xFF, 2, 0, 1, 0, 32, 0x28};
    Append(&tga, Bytes{1, 2, 3, 255, 4, 5, 6, 0});
    return tga;
}

Bytes Anim(uint32_t count, const Bytes& sprites)
{
    Bytes data;
    AppendLE32(&data, count);
    Append(&data, sprites);
    return Chunk("mina", data);
}

class SpriteLoadTest : public FolderTest {
protected:
    // Opens an archive holding the chunks, positioned at the first of them.
    void Open(const Bytes& chunks)
    {
        Bytes form = Text("LFMM");
        Append(&form, chunks);
        file.Close();
        ASSERT_EQ(file.Open(Make("t.mm", Chunk("FFIR", form)), 2), 0);
    }

    CFileIFF file{ChunkId("RIFF"), ChunkId("MMFL")};
};

TEST(SpriteArrayTest, StoringBeyondTheSlotsGrowsTheArrayByFour)
{
    CSpriteArray array(0);
    EXPECT_EQ(array.Store(0, new CSprite()), 0);
    EXPECT_EQ(array.nSlots, 4);
    auto* sixth = new CSprite();
    EXPECT_EQ(array.Store(5, sixth), 0);
    EXPECT_EQ(array.nSlots, 8);
    EXPECT_EQ(array.Get(5), sixth);
    EXPECT_EQ(array.Get(4), nullptr);
    EXPECT_EQ(array.Get(8), nullptr);
    EXPECT_EQ(array.Get(-1), nullptr);
    EXPECT_EQ(array.Store(-1, new CSprite()), 3);
}

TEST_F(SpriteLoadTest, LoadsEverySpriteOfTheAnimChunkAndLeavesIt)
{
    for (const uint32_t count : {2u, 0u}) {
        Bytes sprites;
        for (uint32_t i = 0; i < count; ++i)
            Append(&sprites, Chunk("abgr", Tga()));
        Bytes chunks = Anim(count, sprites);
        Append(&chunks, Chunk("txen", Bytes{}));
        Open(chunks);
        std::unique_ptr<CSpriteArray> array(CSpriteArray::LoadFrom(&file, 1));
        EXPECT_EQ(array->nCount, int(count));
        for (uint32_t i = 0; i < count; ++i)
            EXPECT_EQ(array->Get(int(i))->fTexture, 1);
        ChunkHeader next;
        file.Descend(&next);
        EXPECT_EQ(next.id, ChunkId("next"));
    }
}

TEST_F(SpriteLoadTest, WrongChunkIdsAndCountsThrowWithTheirSourceAndLine)
{
    const struct { Bytes chunks; const char* fault; } cases[] = {
        {Chunk("abgr", Tga()), "file: common/CSpriteAline: 100"},
        {Anim(1, Chunk("hsem", Tga())), "file: common/CSpriteline: 72"},
        {Anim(0x7FFFFFFF, Chunk("abgr", Tga())), "file: common/CSpriteAline: 100"},
        {Anim(2, Chunk("abgr", Tga())), "file: common/CSpriteAline: 100"},
    };
    for (const auto& c : cases) {
        Open(c.chunks);
        EXPECT_EQ(Thrown([&] { delete CSpriteArray::LoadFrom(&file, 1); }), c.fault);
    }
    Open(Chunk("mina", Tga()));
    EXPECT_EQ(Thrown([&] { delete CSprite::Create(&file, 1); }), "file: common/CSpriteline: 72");
}

// Bounds leave out the scene origin (3, 13); the centre includes it.
TEST(SpriteActorTest, BoundsAndCentreComeFromTheImage)
{
    UiTestScreen screen;
    KeyScene scene(&screen, Fix(3), Fix(13));
    CSprite image;
    image.nXOffset = image.nYOffset = -8;
    image.nWidth = image.nHeight = 16;
    auto* actor = new CActorSprite(&scene, Fix(103), Fix(63), Fix(5), &image, 0);
    EXPECT_EQ(actor->GetBounds(), (Rect{92, 42, 108, 58}));
    EXPECT_EQ(actor->GetImage(), &image);
    actor->MoveToXY(Fix(113), Fix(63));
    EXPECT_EQ(actor->GetBounds(), (Rect{102, 42, 118, 58}));
    const CFixPoint centre = actor->GetCentrePoint();
    EXPECT_EQ(centre.x, Fix(113));
    EXPECT_EQ(centre.y, Fix(63));
    // Without an image the bounds stay empty; a sprite without texture draws nothing and lets nothing through.
    EXPECT_TRUE((new CActorSprite(&scene, Fix(100), Fix(50), Fix(5), nullptr, 0))->GetBounds().IsEmpty());
    EXPECT_EQ(image.Draw(&actor->GetBounds(), nullptr, 0), 0);
    EXPECT_EQ(image.IsTransparentAt(3, 3, 0, 0), 0);
}

} // namespace
