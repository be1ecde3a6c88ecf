#include "common/CActorMesh.h"
#include "common/CFileIFF.h"
#include "common/CMesh.h"
#include "common/CScene.h"
#include "MeshTestSupport.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

// One triangle, 181 bytes: an odd-sized chunk.
const char kTriangle[] = "xof 0303txt 0032\nMesh T {\n 3;\n 0.0;0.0;0.0;,\n 0.0;1.0;0.0;,\n 1.0;0.0;0.0;;\n"
                         " 1;\n 3;0,1,2;;\n MeshMaterialList { 1; 1; 0;;\n"
                         "  Material { 1.0;1.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\n }\n}\n";

class MeshChunks : public ::testing::Test {
protected:
    // An archive form holding the chunks, opened for reading.
    void Open(const Bytes& chunks) { OpenArchive(folder, chunks, &file); }
    // Reads the header of the chunk after the last one read.
    uint32_t NextId()
    {
        ChunkHeader next;
        file.Descend(&next);
        return next.id;
    }

    TempFolder folder;
    CFileIFF file{ChunkId("RIFF"), ChunkId("MMFL")};
};

TEST_F(MeshChunks, OddSizedChunkIsReadWithItsPadAndLeftBehindIt)
{
    static_assert(sizeof(kTriangle) % 2 == 0, "odd data");
    Bytes chunks = Chunk("hsem", Text(kTriangle));
    Append(&chunks, Chunk("txen", {1, 2}));
    Open(chunks);
    std::unique_ptr<CMesh> mesh(CMesh::Create(&file));
    ASSERT_NE(mesh->GetMesh(), nullptr);
    EXPECT_EQ(mesh->GetMesh()->GetIndices().size(), 3u);
    EXPECT_EQ(mesh->nXOffset | mesh->nYOffset | mesh->nWidth | mesh->nHeight, 0);
    EXPECT_EQ(NextId(), ChunkId("next"));
}

TEST_F(MeshChunks, AnotherChunkIdOrDataTheLoaderRejectsThrows)
{
    const struct {
        const char* id;
        const char* data;
        const char* fault;
    } cases[] = {{"abgr", kTriangle, "file: common/CMeshline: 54"},
                 {"hsem", "xof 0303txt 0032 Mesh { 3; 0.0;", "file: win32/MMeshline: 98"}};
    for (const auto& c : cases) {
        Open(Chunk(c.id, Text(c.data)));
        try {
            delete CMesh::Create(&file);
            ADD_FAILURE() << c.fault;
        } catch (const CException& e) {
            EXPECT_EQ(e.Describe(), c.fault);
        }
        file.Close();
    }
}

class MeshActor : public MeshChunks {
protected:
    MeshActor() { world.SetTranslation(1, 2, 3); }
    CMesh* Triangle()
    {
        Open(Chunk("hsem", Text(kTriangle)));
        mesh.reset(CMesh::Create(&file));
        return mesh.get();
    }
    std::unique_ptr<CMesh> mesh;
    CScene scene{nullptr, 0, 0, 0, 1, 0, 1};
    MMatrix world;
};

TEST_F(MeshActor, StartsAtDepthHundredWithItsTransformAndNoShadow)
{
    CActorMesh actor(&scene, &world, nullptr, 1);
    EXPECT_EQ(actor.GetZ(), 25600);
    EXPECT_EQ(actor.GetX(), 0);
    EXPECT_TRUE(actor.IsMeshActor());
    EXPECT_FALSE(actor.CastsShadow());
    EXPECT_EQ(actor.GetCollideClass(), 2);
    EXPECT_EQ(actor.GetShape(), 1);
    EXPECT_EQ(actor.GetHome()(3, 2), 3.0f);
}

TEST_F(MeshActor, CoversNoScreenRectangleAndHasNoCentre)
{
    CActorMesh actor(&scene, &world, Triangle(), 0);
    EXPECT_TRUE(actor.GetBounds().IsEmpty());
    EXPECT_FALSE(actor.GetBounds().Contains(0, 0));
    int32_t x = 7, y = 9;
    actor.GetCentre(&x, &y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 9);
    EXPECT_EQ(actor.GetCentrePoint().x, 0);
}

} // namespace
