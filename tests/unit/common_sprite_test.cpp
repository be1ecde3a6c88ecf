#include <gtest/gtest.h>
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

class SpriteLoadTest : public ::testing::Test {
protected:
    // Opens an archive holding the chunks, positioned at the first of them.
    void Open(const Bytes& chunks, CFileIFF* into = nullptr)
    {
        Bytes form = Text("LFMM");
        Append(&form, chunks);
        WriteAllBytes(folder.File("t.mm"), Chunk("FFIR", form));
        ASSERT_EQ((into ? into : &file)->Open(FileSpec(folder.Path().c_str(), "t.mm"), 2), 0);
    }

    // Loads an array from an archive of these chunks; what it threw.
    std::string LoadArray(const Bytes& chunks)
    {
        CFileIFF archive(ChunkId("RIFF"), ChunkId("MMFL"));
        Open(chunks, &archive);
        return Thrown([&] { delete CSpriteArray::LoadFrom(&archive, 1); });
    }

    TempFolder folder;
    CFileIFF file{ChunkId("RIFF"), ChunkId("MMFL")};
};

TEST(SpriteArrayTest, StoringBeyondTheSlotsGrowsTheArray)
{
    CSpriteArray array(0);
    EXPECT_EQ(array.nSlots, 0);
    auto* first = new CSprite();
    EXPECT_EQ(array.Store(0, first), 0);
    EXPECT_EQ(array.nSlots, 4);
    auto* sixth = new CSprite();
    EXPECT_EQ(array.Store(5, sixth), 0);
    EXPECT_EQ(array.nSlots, 8);
    EXPECT_EQ(array.Get(0), first);
    EXPECT_EQ(array.Get(5), sixth);
    EXPECT_EQ(array.Get(4), nullptr);
    EXPECT_EQ(array.Get(8), nullptr);
    EXPECT_EQ(array.Get(-1), nullptr);
    EXPECT_EQ(array.Store(-1, new CSprite()), 3);
    auto* replacement = new CSprite();
    EXPECT_EQ(array.Store(0, replacement), 0);
    EXPECT_EQ(array.Get(0), replacement);
}

TEST_F(SpriteLoadTest, LoadsEverySpriteOfTheAnimChunkAndLeavesIt)
{
    Bytes chunks = Anim(2, [] {
        Bytes sprites = Chunk("abgr", Tga());
        Append(&sprites, Chunk("abgr", Tga()));
        return sprites;
    }());
    Append(&chunks, Chunk("txen", Bytes{}));
    Open(chunks);
    CSpriteArray* array = CSpriteArray::LoadFrom(&file, 1);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(array->nCount, 2);
    EXPECT_EQ(array->nSlots, 2);
    EXPECT_NE(array->Get(0), nullptr);
    EXPECT_NE(array->Get(1), nullptr);
    EXPECT_EQ(array->Get(0)->fTexture, 1);
    ChunkHeader next;
    file.Descend(&next);
    EXPECT_EQ(next.id, ChunkId("next"));
    delete array;
}

TEST_F(SpriteLoadTest, EmptyAnimChunkGivesAnEmptyArray)
{
    Open(Anim(0, Bytes{}));
    CSpriteArray* array = CSpriteArray::LoadFrom(&file, 1);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(array->nCount, 0);
    delete array;
}

TEST_F(SpriteLoadTest, WrongChunkIdsAndCountsThrowWithTheirSourceAndLine)
{
    const struct {
        Bytes chunks;
        const char* fault;
    } cases[] = {
        {Chunk("abgr", Tga()), "file: common/CSpriteAline: 100"},
        {Anim(1, Chunk("hsem", Tga())), "file: common/CSpriteline: 72"},
        {Anim(0x7FFFFFFF, Chunk("abgr", Tga())), "file: common/CSpriteAline: 100"},
        {Anim(2, Chunk("abgr", Tga())), "file: common/CSpriteAline: 100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadArray(c.chunks), c.fault);
    Open(Chunk("mina", Tga()));
    EXPECT_EQ(Thrown([&] { delete CSprite::Create(&file, 1); }), "file: common/CSpriteline: 72");
}

class SpriteActorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        image.nXOffset = -8;
        image.nYOffset = -8;
        image.nWidth = 16;
        image.nHeight = 16;
    }

    UiTestScreen screen;
    KeyScene scene{&screen};
    CSprite image;
};

TEST_F(SpriteActorTest, BoundsAndCentreComeFromTheImage)
{
    auto* actor = new CActorSprite(&scene, 25600, 12800, Fix(5), &image, 0);
    EXPECT_EQ(actor->GetBounds(), (Rect{92, 42, 108, 58}));
    const CFixPoint centre = actor->GetCentrePoint();
    EXPECT_EQ(centre.x, 25600);
    EXPECT_EQ(centre.y, 12800);
    EXPECT_EQ(actor->GetImage(), &image);
}

TEST_F(SpriteActorTest, MovesKeepBoundsWithTheImage)
{
    KeyScene offset(&screen, Fix(3), Fix(13));
    auto* actor = new CActorSprite(&offset, Fix(103), Fix(63), Fix(5), &image, 0);
    EXPECT_EQ(actor->GetBounds(), (Rect{92, 42, 108, 58}));
    actor->MoveToXY(Fix(113), Fix(63));
    EXPECT_EQ(actor->GetBounds(), (Rect{102, 42, 118, 58}));
    int32_t x = 0;
    int32_t y = 0;
    actor->GetCentre(&x, &y);
    EXPECT_EQ(x, Fix(113));
    EXPECT_EQ(y, Fix(63));
}

TEST_F(SpriteActorTest, WithoutImageTheBoundsStayAndNothingIsHit)
{
    auto* actor = new CActorSprite(&scene, Fix(100), Fix(50), Fix(5), nullptr, 0);
    EXPECT_TRUE(actor->GetBounds().IsEmpty());
    EXPECT_EQ(actor->GetImage(), nullptr);
    // A sprite without texture draws nothing and lets nothing through.
    EXPECT_EQ(image.Draw(&actor->GetBounds(), nullptr, 0), 0);
    EXPECT_EQ(image.IsTransparentAt(3, 3, 0, 0), 0);
}

} // namespace
