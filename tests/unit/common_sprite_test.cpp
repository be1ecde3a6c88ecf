#include <gtest/gtest.h>
#include <memory>
#include "FileTestSupport.h"
#include "UiTestSupport.h"
#include "base/CException.h"
#include "base/FileSpec.h"
#include "common/actors/CActorMesh.h"
#include "common/actors/CActorSprite.h"
#include "common/assets/CFileIFF.h"
#include "common/assets/CMesh.h"
#include "common/assets/CSprite.h"
#include "common/assets/CSpriteArray.h"

namespace {

// A 2 x 1 uncompressed 32-bit TGA, top row first, origin (-8, -8).
Bytes Tga()
{
    Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0, 0xF8, 0xFF, 0xF8, 0xFF, 2, 0, 1, 0, 32, 0x28};
    Append(&tga, Bytes{1, 2, 3, 255, 4, 5, 6, 0});
    return tga;
}

// One triangle, 181 bytes: an odd-sized chunk.
const char kTriangle[] = "xof 0303txt 0032\nMesh T {\n 3;\n 0.0;0.0;0.0;,\n 0.0;1.0;0.0;,\n 1.0;0.0;0.0;;\n"
                         " 1;\n 3;0,1,2;;\n MeshMaterialList { 1; 1; 0;;\n"
                         "  Material { 1.0;1.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\n }\n}\n";

Bytes Anim(uint32_t count, const Bytes& sprites)
{
    Bytes data;
    AppendLE32(&data, count);
    Append(&data, sprites);
    return Chunk("mina", data);
}

class LoadTest : public FolderTest {
protected:
    // Opens an archive holding the chunks, positioned at the first of them.
    void Open(const Bytes& chunks)
    {
        file.Close();
        ASSERT_EQ(file.Open(Make("t.mm", Form(chunks)), 2), 0);
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
    for (int32_t slot : {4, 8, -1})
        EXPECT_EQ(array.Get(slot), nullptr) << slot;
    EXPECT_EQ(array.Store(-1, new CSprite()), 3);
}

TEST_F(LoadTest, AnimChunkLoadsEverySpriteAndIsLeftOrWithWrongIdsCountsOrPicturesThrows)
{
    Bytes sprites = Chunk("abgr", Tga());
    Append(&sprites, Chunk("abgr", Tga()));
    Bytes chunks = Anim(2, sprites);
    Append(&chunks, Chunk("txen", Bytes{}));
    Open(chunks);
    std::unique_ptr<CSpriteArray> array(CSpriteArray::LoadFrom(&file, 1));
    EXPECT_EQ(array->nCount, 2);
    EXPECT_EQ(array->Get(1)->fTexture, 1);
    ChunkHeader next;
    file.Descend(&next);
    EXPECT_EQ(next.id, ChunkId("next"));
    Bytes cutShort = Tga();
    cutShort.resize(20); // half a pixel
    const struct { Bytes chunks; const char* fault; } cases[] = {
        {Chunk("abgr", Tga()), "file: common/CSpriteAline: 100"},
        {Anim(1, Chunk("hsem", Tga())), "file: common/CSpriteline: 72"},
        {Anim(0x7FFFFFFF, Chunk("abgr", Tga())), "file: common/CSpriteAline: 100"},
        {Anim(2, Chunk("abgr", Tga())), "file: common/CSpriteAline: 100"},
        {Anim(1, Chunk("abgr", cutShort)), "file: common/CSpriteline: 78"},
    };
    for (const auto& c : cases) {
        Open(c.chunks);
        EXPECT_EQ(Thrown([&] { delete CSpriteArray::LoadFrom(&file, 1); }), c.fault);
    }
    Open(Chunk("mina", Tga()));
    EXPECT_EQ(Thrown([&] { delete CSprite::Create(&file, 1); }), "file: common/CSpriteline: 72");
}

TEST_F(LoadTest, MeshChunkIsReadWithItsPadOrThrowsAndAMeshActorCoversNoScreenRectangle)
{
    Bytes chunks = Chunk("hsem", Text(kTriangle));
    Append(&chunks, Chunk("txen", {1, 2}));
    Open(chunks);
    std::unique_ptr<CMesh> mesh(CMesh::Create(&file));
    EXPECT_EQ(mesh->GetMesh()->GetIndices().size(), 3u);
    ChunkHeader next;
    file.Descend(&next);
    EXPECT_EQ(next.id, ChunkId("next"));
    // A mesh actor covers no screen rectangle and has no centre of its own.
    MMatrix world;
    CScene scene(nullptr, 0, 0, 0, 1, 0, 1);
    CActorMesh actor(&scene, &world, mesh.get(), 0);
    EXPECT_TRUE(actor.GetBounds().IsEmpty());
    actor.Draw(nullptr); // without a device, and without a mesh, nothing is drawn
    CActorMesh(&scene, &world, nullptr, 0).Draw(nullptr);
    int32_t x = 7, y = 9;
    actor.GetCentre(&x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(7, 9));
    EXPECT_EQ(actor.GetCentrePoint().x, 0);
    const struct { const char* id; const char* data; const char* fault; } cases[] = {
        {"abgr", kTriangle, "file: common/CMeshline: 54"},
        {"hsem", "xof 0303txt 0032 Mesh { 3; 0.0;", "file: win32/MMeshline: 98"}};
    for (const auto& c : cases) {
        Open(Chunk(c.id, Text(c.data)));
        try {
            delete CMesh::Create(&file);
            ADD_FAILURE() << c.fault;
        } catch (const CException& e) {
            EXPECT_EQ(e.Describe(), c.fault);
        }
    }
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
    EXPECT_EQ(std::pair(actor->GetCentrePoint().x, actor->GetCentrePoint().y), std::pair(Fix(113), Fix(63)));
    // Without an image the bounds stay empty; a sprite without texture draws nothing and lets nothing through.
    EXPECT_TRUE((new CActorSprite(&scene, Fix(100), Fix(50), Fix(5), nullptr, 0))->GetBounds().IsEmpty());
    EXPECT_EQ(image.Draw(&actor->GetBounds(), nullptr, 0), 0);
    EXPECT_EQ(image.IsTransparentAt(3, 3, 0, 0), 0);
}

} // namespace
