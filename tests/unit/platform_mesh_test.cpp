#include "platform/mesh/MMesh.h"
#include "FileTestSupport.h"
#include "base/CException.h"
#include "platform/math/MVector3.h"
#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <zlib.h>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>
#include <algorithm>
#include <string>
#include <vector>

namespace {

// Two triangles of a square at z = 0.5 facing the viewer (-z), clockwise as
// seen from there. Face 0 uses material 1, face 1 material 0; material 2 is
// unused.
const char kSquareText[] = R"(xof 0303txt 0032
Mesh Square {
  4;
  0.0;0.0;0.5;,
  0.0;1.0;0.5;,
  1.0;0.0;0.5;,
  1.0;1.0;0.5;;
  2;
  3;0,1,2;,
  3;1,3,2;;
  MeshNormals { 1; 0.0;0.0;-1.0;; 2; 3;0,0,0;, 3;0,0,0;; }
  MeshTextureCoords { 4; 0.0;1.0;, 0.0;0.0;, 1.0;1.0;, 1.0;0.0;; }
  MeshMaterialList {
    3; 2; 1, 0;;
    Material Blue { 0.0;0.0;1.0;1.0;; 1.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
    Material Wood { 0.2;0.4;0.6;1.0;; 8.0; 0.5;0.5;0.5;; 0.1;0.1;0.1;; TextureFilename { "wood.png"; } }
    Material Unused { 0.1;0.1;0.1;1.0;; 8.0; 0.5;0.5;0.5;; 0.0;0.0;0.0;; }
  }
}
)";

MMesh Load(const Bytes& data) { return MMesh(data.data(), uint32_t(data.size())); }

// X text (header included) in the compressed format, as one MSZIP block.
Bytes Compressed(const std::string& text)
{
    const std::string body = text.substr(16);
    Bytes packed(compressBound(uLong(body.size())) + 16);
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.data()));
    z.avail_in = uInt(body.size());
    z.next_out = packed.data();
    z.avail_out = uInt(packed.size());
    deflate(&z, Z_FINISH);
    packed.resize(z.total_out);
    deflateEnd(&z);
    Bytes out = Text("xof 0303tzip0032");
    AppendLE32(&out, uint32_t(text.size()));
    AppendLE32(&out, uint32_t(body.size()) | uint32_t(packed.size() + 2) << 16);
    Append(&out, Text("CK"));
    Append(&out, packed);
    return out;
}

// The binary X encoding of a square like kSquareText, one material, no
// texture; nIndex is the second vertex of the second face (3 in the square).
Bytes BinarySquare(uint32_t nIndex = 3)
{
    Bytes x = Text("xof 0302bin 0032");
    const auto raw = [&x](const void* p, size_t n) { x.insert(x.end(), (const uint8_t*)p, (const uint8_t*)p + n); };
    const auto token = [&](uint16_t t) { raw(&t, 2); };
    const auto head = [&](uint16_t t, uint32_t n) { token(t), raw(&n, 4); };
    const auto open = [&](std::initializer_list<const char*> names) {
        for (const char* name : names)
            head(1, uint32_t(std::strlen(name))), raw(name, std::strlen(name));
        token(10);
    };
    const auto ints = [&](std::vector<uint32_t> v) { head(6, uint32_t(v.size())), raw(v.data(), 4 * v.size()); };
    const auto floats = [&](std::vector<float> v) { head(7, uint32_t(v.size())), raw(v.data(), 4 * v.size()); };
    // One template a line: its name, its data, and the closing token of those it ends.
    open({"Mesh", "Square"}), ints({4}), floats({0, 0, 0.5f, 0, 1, 0.5f, 1, 0, 0.5f, 1, 1, 0.5f});
    ints({2, 3, 0, 1, 2, 3, 1, nIndex, 2});
    open({"MeshNormals"}), ints({1}), floats({0, 0, -1}), ints({2, 3, 0, 0, 0, 3, 0, 0, 0}), token(11);
    open({"MeshTextureCoords"}), ints({4}), floats({0, 1, 0, 0, 1, 1, 1, 0}), token(11);
    open({"MeshMaterialList"}), ints({1, 2, 0, 0});
    open({"Material"}), floats({0.2f, 0.4f, 0.6f, 1, 8, 0.5f, 0.5f, 0.5f, 0, 0, 0}), token(11), token(11), token(11);
    return x;
}

// x, y, u and v of a run of indices; every vertex of the square keeps z 0.5
// and its normal -z.
std::vector<float> Corners(const MMesh& mesh, uint32_t first, uint32_t count)
{
    std::vector<float> out;
    for (uint32_t i = first; i < first + count; ++i) {
        const MVertex& v = mesh.GetVertices()[mesh.GetIndices()[i]];
        EXPECT_EQ((std::vector<float>{v.z, v.nx, v.ny, v.nz}), (std::vector<float>{0.5f, 0, 0, -1}));
        out.insert(out.end(), {v.x, v.y, v.u, v.v});
    }
    return out;
}

// The file's faces, (0, 1, 2) and (1, 3, 2), with their vertices in the
// file's order: clockwise seen from the normal's side, as left-handed data is.
const std::vector<float> kFaceZero = {0, 0, 0, 1, 0, 1, 0, 0, 1, 0, 1, 1};
const std::vector<float> kFaceOne = {0, 1, 0, 0, 1, 1, 1, 0, 1, 0, 1, 1};

std::string Changed(std::string text, const std::string& from, const std::string& to)
{
    return text.replace(text.find(from), from.size(), to);
}

// A pad byte after the data is accepted; materials take their diffuse as ambient.
TEST(MeshLoading, TextCompressedAndBinaryKeepTheFilesLeftHandedData)
{
    Bytes padded = Text(kSquareText);
    padded.push_back(0);
    for (const Bytes& data : {Text(kSquareText), Compressed(kSquareText), padded}) {
        const MMesh mesh = Load(data);
        ASSERT_EQ(mesh.GetSubsetCount(), 3u);
        EXPECT_EQ(Corners(mesh, mesh.GetSubsetFirstIndex(0), mesh.GetSubsetIndexCount(0)), kFaceOne);
        EXPECT_EQ(Corners(mesh, mesh.GetSubsetFirstIndex(1), mesh.GetSubsetIndexCount(1)), kFaceZero);
        EXPECT_EQ(mesh.GetSubsetIndexCount(2), 0u);
        const MMaterial& wood = mesh.GetMaterial(1);
        EXPECT_TRUE(std::equal(wood.ambient, wood.ambient + 4, wood.diffuse));
        EXPECT_FLOAT_EQ(wood.diffuse[2], 0.6f);
        EXPECT_FLOAT_EQ(wood.power, 8.0f);
        EXPECT_FLOAT_EQ(wood.emissive[2], 0.1f);
    }
    Bytes binary = BinarySquare();
    binary.push_back(0);
    const MMesh mesh = Load(binary);
    ASSERT_EQ(mesh.GetSubsetCount(), 1u);
    std::vector<float> faces = kFaceZero;
    faces.insert(faces.end(), kFaceOne.begin(), kFaceOne.end());
    EXPECT_EQ(Corners(mesh, 0, uint32_t(mesh.GetIndices().size())), faces);
    EXPECT_FLOAT_EQ(mesh.GetMaterial(0).ambient[1], 0.4f);
}

TEST(MeshLoading, FrameTransformsLargeCoordinatesAndNoMaterials)
{
    const std::string framed = Changed(kSquareText, "Mesh Square",
                                       "Frame Root { FrameTransformMatrix { 1.0,0.0,0.0,0.0, "
                               "0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.0,0.0,2.0,1.0;; }\nMesh Square") + "}\n";
    const MMesh moved = Load(Text(framed));
    for (const MVertex& v : moved.GetVertices())
        EXPECT_FLOAT_EQ(v.z, 2.5f);
    const MMesh large = Load(Text(Changed(Changed(kSquareText, "1.0;1.0;0.5;;", "1.0;1.0;123456789.0;;"),
                                           "0.0;0.0;0.5;,", "0.0;0.0;2e9;,")));
    EXPECT_FLOAT_EQ(large.GetVertices()[large.GetIndices()[1]].z, 123456789.0f);
    EXPECT_FLOAT_EQ(large.GetVertices()[large.GetIndices()[3]].z, 2e9f);
    std::string bare = kSquareText;
    bare.erase(bare.find("  MeshMaterialList"), bare.rfind('}') - bare.find("  MeshMaterialList"));
    const MMesh mesh = Load(Text(bare));
    ASSERT_EQ(mesh.GetSubsetCount(), 1u);
    EXPECT_EQ(mesh.GetSubsetIndexCount(0), 6u);
    EXPECT_FALSE(mesh.HasTexture(0));
}

void ExpectRejected(const Bytes& data)
{
    try {
        MMesh mesh(data.data(), uint32_t(data.size()));
        FAIL() << "accepted " << data.size() << " bytes";
    } catch (const CFileException&) {
        FAIL() << "a file exception";
    } catch (const CException& e) {
        EXPECT_STREQ(e.GetSource(), "win32/MMesh");
        EXPECT_EQ(e.GetLine(), 98u);
    }
}

TEST(MeshRejection, NoXDataBrokenDataAndWhatTheImporterWouldReadOutOfBoundsOrChokeOn)
{
    const std::string text = kSquareText;
    Bytes cutBinary = BinarySquare(), inflatesHuge = Compressed(kSquareText);
    cutBinary.resize(60);
    inflatesHuge[19] = 0x7F;
    for (const Bytes& data : {{}, Text("xof 0303"), Text("RIFF\x10\0\0\0WAVEfmt garbage"), Text("xof 0303abc 0032 {}"),
                              cutBinary, inflatesHuge, Text(text.substr(0, text.find("3;1,3,2"))), BinarySquare(4)})
        ExpectRejected(data);
    std::string deep = kSquareText;
    for (int i = 0; i < 40; ++i)
        deep = Changed(deep, "Mesh Square", "Frame {\nMesh Square") + "}\n";
    const std::string name(1100, 'f'), named = Changed(kSquareText, "Mesh Square", "Frame " + name + "{\nMesh") + "}\n";
    const std::string mixed =
        Changed(kSquareText, "Mesh Square", "Frame { Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; } }\nMesh Square");
    const std::pair<const char*, const char*> changes[] = {
        {"3;1,3,2", "3;1,4,2"},                          // a vertex past the last
        {"  4;", "  -4;"},                               // a signed count
        {"  4;", "  4000000000;"},                       // a count larger than the data
        {"3;0,1,2;,", "4;0,1,2,3;,"},                    // no triangle
        {"3;0,0,0;, 3;0,0,0;;", "3;0,0,0;, 3;0,1,0;;"},  // a normal past the last
        {"3; 2; 1, 0;;", "3; 2; 3, 0;;"},                // a material past the list
        {"  MeshMaterialList", "  MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }\n"
                               "  MeshMaterialList"}, // two material lists
        {"  MeshMaterialList", "  SkinWeights { \"b\"; 1; 4; 1.0; 1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, "
                               "0.0,0.0,1.0,0.0, 0.0,0.0,0.0,1.0;; }\n  MeshMaterialList"}, // a weight past the last
        {"0.0;1.0;0.5;,", "0.0;1.#QNAN0;0.5;,"},        // a number the importer reads its own way
        {"Mesh Square", deep.c_str()},                   // frames too deep
        {"Mesh Square", named.c_str()},                  // a name too long
        {"Mesh Square", mixed.c_str()},                  // meshes inside and outside frames
    };
    for (const auto& [from, to] : changes) {
        const std::string text = from == std::string("Mesh Square") ? to : Changed(kSquareText, from, to);
        SCOPED_TRACE(text.substr(0, 80));
        ExpectRejected(Text(text));
        ExpectRejected(Compressed(text));
    }
}

// Whatever the bytes, loading answers with a mesh or the loader's exception.
TEST(MeshRejection, MangledDataNeverCrashes)
{
    std::mt19937 random(7);
    for (const Bytes& valid : {Text(kSquareText), BinarySquare(), Compressed(kSquareText)}) {
        for (int round = 0; round < 300; ++round) {
            Bytes data = valid;
            for (int k = 0; k < 4; ++k)
                data[16 + random() % (data.size() - 16)] = uint8_t(random());
            data.resize(16 + random() % (data.size() - 15));
            try {
                MMesh mesh(data.data(), uint32_t(data.size()));
                for (uint32_t i : mesh.GetIndices())
                    ASSERT_LT(i, mesh.GetVertices().size());
            } catch (const CException& e) {
                EXPECT_EQ(e.GetLine(), 98u);
            }
        }
    }
}

// A missing or broken picture leaves the subset untextured; the current folder
// is tried first, then the archive's (given in Windows style).
TEST(MeshTextures, TextureFromTheCurrentFolderThenTheArchivesFolder)
{
    const TempFolder folder;
    const std::filesystem::path here = folder.File("here"), archive = folder.File("archive");
    std::filesystem::create_directories(here);
    std::filesystem::create_directories(archive);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(here);
    const uint8_t pixels[4 * 4] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    WriteText(here / "wood.png", "not a picture");
    EXPECT_FALSE(Load(Text(kSquareText)).HasTexture(1));
    ASSERT_NE(stbi_write_png((archive / "wood.png").c_str(), 2, 2, 4, pixels, 8), 0);
    EXPECT_FALSE(Load(Text(kSquareText)).HasTexture(1));
    std::string windowsStyle = archive.string() + "\\";
    std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
    MMesh::SetTextureFolder(windowsStyle.c_str());
    const MMesh mesh = Load(Text(kSquareText));
    MMesh::SetTextureFolder("");
    std::filesystem::current_path(previous);
    EXPECT_FALSE(mesh.HasTexture(0));
    EXPECT_TRUE(mesh.HasTexture(1));
    EXPECT_FALSE(mesh.HasTexture(2));
}

// Rays at the square at z = 0.5 under a triangle at z = 2 over its lower
// left half; the distance to the nearest hit, in units of the direction.
TEST(MeshIntersect, NearestHitFromEitherSideOnEdgesAndCornersMissesBesideBehindAndAlong)
{
    std::string text = Changed(kSquareText, "1.0;1.0;0.5;;", "1.0;1.0;0.5;,\n0;0;2;,\n0;1;2;,\n1;0;2;;");
    text = Changed(Changed(text, "  4;", "  7;"), "  2;\n  3;0,1,2;,", "  3;\n  3;4,5,6;,\n  3;0,1,2;,");
    text = Changed(text, "2; 3;0,0,0;,", "3; 3;0,0,0;, 3;0,0,0;,");
    text = Changed(text, "MeshTextureCoords { 4;", "MeshTextureCoords { 7; 0.0;0.0;, 0.0;0.0;, 0.0;0.0;,");
    const MMesh mesh = Load(Text(Changed(text, "3; 2; 1, 0;;", "3; 3; 0, 1, 0;;")));
    const float s = 1.0f / std::sqrt(2.0f);
    const struct { MVector3 o, d; float distance; /* 0: a miss */ } cases[] = {
        {{0.25f, 0.25f, -1}, {0, 0, 1}, 1.5f},  {{0.75f, 0.75f, 3}, {0, 0, -1}, 2.5f},
        {{0.5f, 0.5f, 0}, {0, 0, 1}, 0.5f},     {{1, 1, 0}, {0, 0, 1}, 0.5f}, // the shared diagonal, a corner
        {{0, 0.5f, 0}, {0, 0, 1}, 0.5f},        {{0.5f, 0.25f, -1.5f}, {0, 0, 2}, 1.0f},
        {{0.25f, 0.25f, 0}, {0, s, s}, 0.5f / s}, {{1.5f, 0.5f, -1}, {0, 0, 1}, 0},
        {{0.5f, 0.5f, -1}, {0, 0, -1}, 0},      {{-1, 0.5f, 0.5f}, {1, 0, 0}, 0},
        {{0.2f, 0.2f, 3}, {0, 0, -1}, 1.0f},    {{0.2f, 0.2f, -3}, {0, 0, 1}, 3.5f},
    };
    for (const auto& c : cases) {
        int32_t hit = -1;
        float d = 0;
        EXPECT_EQ(mesh.Intersect(c.o, c.d, &hit, &d), 0);
        SCOPED_TRACE(testing::Message() << c.o.x << "," << c.o.y << "," << c.o.z);
        EXPECT_EQ(hit, c.distance > 0 ? 1 : 0);
        if (c.distance > 0) {
            EXPECT_NEAR(d, c.distance, 1e-6f);
        }
    }
}

} // namespace
