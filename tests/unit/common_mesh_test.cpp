#include "common/CActorMesh.h"
#include "common/CFileIFF.h"
#include "common/CMesh.h"
#include "common/CScene.h"
#include "FileTestSupport.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

// One triangle, 181 bytes: an odd-sized chunk.
const char kTriangle[] = "xof 0303txt 0032\nMesh T {\n 3;\n 0.0;0.0;0.0;,\n 0.0;1.0;0.0;,\n 1.0;0.0;0.0;;\n"
                         " 1;\n 3;0,1,2;;\n MeshMaterialList { 1; 1; 0;;\n"
                         "  Material { 1.0;1.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\n }\n}\n";

// Writes an archive form holding the chunks into the folder and opens it for reading.
void OpenArchive(const TempFolder& folder, const Bytes& chunks, CFileIFF* file)
{
    Bytes form = Text("LFMM");
    Append(&form, chunks);
    file->Close();
    WriteAllBytes(folder.File("a.mm"), Chunk("FFIR", form));
    file->Open(FileSpec(folder.Path().c_str(), "a.mm"), 2);
}

class MeshTest : public ::testing::Test {
protected:
    TempFolder folder;
    CFileIFF file{ChunkId("RIFF"), ChunkId("MMFL")};
    CScene scene{nullptr, 0, 0, 0, 1, 0, 1};
};

TEST_F(MeshTest, OddSizedChunkIsReadWithItsPadAndLeftBehindIt)
{
    static_assert(sizeof(kTriangle) % 2 == 0, "odd data");
    Bytes chunks = Chunk("hsem", Text(kTriangle));
    Append(&chunks, Chunk("txen", {1, 2}));
    OpenArchive(folder, chunks, &file);
    std::unique_ptr<CMesh> mesh(CMesh::Create(&file));
    EXPECT_EQ(mesh->GetMesh()->GetIndices().size(), 3u);
    ChunkHeader next;
    file.Descend(&next);
    EXPECT_EQ(next.id, ChunkId("next"));
    // A mesh actor covers no screen rectangle and has no centre of its own.
    MMatrix world;
    world.SetTranslation(1, 2, 3);
    CActorMesh actor(&scene, &world, mesh.get(), 0);
    EXPECT_TRUE(actor.GetBounds().IsEmpty());
    EXPECT_FALSE(actor.CastsShadow());
    EXPECT_EQ(actor.GetHome()(3, 2), 3.0f);
    int32_t x = 7, y = 9;
    actor.GetCentre(&x, &y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 9);
    EXPECT_EQ(actor.GetCentrePoint().x, 0);
}

TEST_F(MeshTest, AnotherChunkIdOrDataTheLoaderRejectsThrows)
{
    const struct { const char* id; const char* data; const char* fault; } cases[] = {
        {"abgr", kTriangle, "file: common/CMeshline: 54"},
        {"hsem", "xof 0303txt 0032 Mesh { 3; 0.0;", "file: win32/MMeshline: 98"}};
    for (const auto& c : cases) {
        OpenArchive(folder, Chunk(c.id, Text(c.data)), &file);
        try {
            delete CMesh::Create(&file);
            ADD_FAILURE() << c.fault;
        } catch (const CException& e) {
            EXPECT_EQ(e.Describe(), c.fault);
        }
    }
}

} // namespace
