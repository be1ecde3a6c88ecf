#include "common/CActorMesh.h"
#include "common/CFileIFF.h"
#include "common/CMesh.h"
#include "common/CScene.h"
#include "FileTestSupport.h"
#include "GLTestWindow.h"
#include <stb_image_write.h>
#include <filesystem>
#include <memory>
#include <string>

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

// A square facing the viewer (-z) at depth z, its colour and texture; twice
// makes four triangles that overlap pairwise.
std::string Square(float x0, float y0, float x1, float y1, float z, const char* colour,
                   const std::string& texture = "", bool twice = false)
{
    auto v = [z](float x, float y) { return std::to_string(x) + ";" + std::to_string(y) + ";" + std::to_string(z) + ";"; };
    std::string faces = twice ? "4;\n3;0,1,2;,\n3;1,3,2;,\n3;0,1,3;,\n3;0,3,2;;\n" : "2;\n3;0,1,2;,\n3;1,3,2;;\n";
    std::string material = "Material { " + std::string(colour) + ";; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; " +
                           (texture.empty() ? "" : "TextureFilename { \"" + texture + "\"; } ") + "}";
    return "xof 0303txt 0032\nMesh S {\n4;\n" + v(x0, y0) + ",\n" + v(x0, y1) + ",\n" + v(x1, y0) + ",\n" +
           v(x1, y1) + ";\n" + faces + "MeshNormals { 1; 0.0;0.0;-1.0;; " + (twice ? "4" : "2") +
           "; 3;0,0,0;, 3;0,0,0;" + (twice ? ", 3;0,0,0;, 3;0,0,0;" : "") +
           "; }\nMeshTextureCoords { 4; 0.0;1.0;, 0.0;0.0;, 1.0;1.0;, 1.0;0.0;; }\n"
           "MeshMaterialList { 1; " + (twice ? "4; 0, 0, 0, 0" : "2; 0, 0") + ";; " + material + " }\n}\n";
}

int Channel(uint32_t argb, int shift) { return int((argb >> shift) & 0xFF); }

// A caster whose shadow would darken twice without the stencil.
class Caster : public CActorMesh {
public:
    Caster(CScene* scene, const MMatrix* world, CMesh* mesh) : CActorMesh(scene, world, mesh, 0)
    {
        fShadow = 1;
        plShadow = MPlane(0, 0, 1, -7.8f); // just in front of the floor at z = 8
    }
};

using MeshDrawing = GLTestWindow;

TEST_F(MeshDrawing, LitTexturedMeshWithItsShadow)
{
    TempFolder folder;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    uint8_t texels[4 * 4 * 4] = {};
    for (int i = 0; i < 16; ++i)
        texels[4 * i + 1] = 200, texels[4 * i + 3] = 255;
    ASSERT_NE(stbi_write_png("green.png", 4, 4, 4, texels, 16), 0);
    Bytes chunks = Chunk("hsem", Text(Square(-20, -20, 20, 20, 8, "1.0;1.0;1.0;1.0", "green.png")));
    Append(&chunks, Chunk("hsem", Text(Square(-0.5f, -0.5f, 0.5f, 0.5f, 4, "1.0;0.0;0.0;1.0", "", true))));
    Append(&chunks, Chunk("hsem", Text(Square(1, -1.5f, 3, -1, 7.5f, "1.0;1.0;1.0;0.5"))));
    CFileIFF file{ChunkId("RIFF"), ChunkId("MMFL")};
    OpenArchive(folder, chunks, &file);
    std::unique_ptr<CMesh> meshes[3]; // textured floor, caster, half-transparent marker
    for (auto& mesh : meshes)
        mesh.reset(CMesh::Create(&file));
    std::filesystem::current_path(previous);
    ASSERT_TRUE(meshes[0]->GetMesh()->HasTexture(0));
    CScene scene{nullptr, 0, 0, 0, 1, 0, 1};
    MMatrix identity;
    identity.SetIdentity();
    CActorMesh floor(&scene, &identity, meshes[0].get(), 0);
    Caster caster(&scene, &identity, meshes[1].get());
    CActorMesh marker(&scene, &identity, meshes[2].get(), 0);
    ASSERT_EQ(device->BeginFrame(), 0);
    float before[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5f, 0.25f, 0, 1};
    device->SetWorldTransform(before);
    floor.Draw(&floor.GetBounds());
    caster.Draw(&caster.GetBounds());
    caster.DrawShadow();
    float after[16];
    device->GetTransform(kTransformWorld, after);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(after[i], before[i]) << "world transform element " << i;
    device->SetWorldTransform(identity.Data());
    marker.Draw(&marker.GetBounds());

    const uint32_t lit = PixelAt(30, 30);       // floor: texture green × (diffuse + ambient) light
    const uint32_t red = PixelAt(80, 60);       // the caster
    const uint32_t shadow = PixelAt(105, 75);   // shadow beside the caster
    const uint32_t onShadow = PixelAt(105, 85); // marker over the shadow
    const uint32_t onFloor = PixelAt(128, 85);  // marker over the lit floor
    EXPECT_NEAR(Channel(lit, 8), 176, 3);
    EXPECT_LT(Channel(lit, 16) + Channel(lit, 0), 10);
    EXPECT_NEAR(Channel(red, 16), 224, 3);
    EXPECT_LT(Channel(red, 8), 5);
    EXPECT_NEAR(Channel(shadow, 8), 0.6 * Channel(lit, 8), 3) << "black at alpha 0.4, once";
    EXPECT_EQ(onShadow, onFloor) << "blending and the stencil test are off after the shadow";
    EXPECT_NEAR(Channel(onFloor, 16), 224, 3);
    EXPECT_EQ(device->EndFrame(), 0);
}

} // namespace
