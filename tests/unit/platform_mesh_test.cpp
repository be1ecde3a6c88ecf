#include "platform/MMesh.h"
#include "base/CException.h"
#include "platform/MVector3.h"
#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <unistd.h>
#include <zlib.h>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <algorithm>
#include <random>
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

// kSquareText in the compressed X format (MSZIP blocks).
const uint8_t kSquareCompressed[] = {
    0x78, 0x6F, 0x66, 0x20, 0x30, 0x33, 0x30, 0x33, 0x74, 0x7A, 0x69, 0x70, 0x30, 0x30, 0x33, 0x32,
    0x28, 0x02, 0x00, 0x00, 0x18, 0x02, 0xEE, 0x00, 0x43, 0x4B, 0x7D, 0x90, 0x4D, 0x6B, 0xC3, 0x30,
    0x0C, 0x86, 0xEF, 0xF9, 0x15, 0xA2, 0x67, 0xAF, 0xC4, 0xF9, 0x28, 0x05, 0xDD, 0x36, 0xE8, 0xA9,
    0xD9, 0x65, 0x1B, 0x3D, 0x1B, 0x6A, 0xD6, 0x80, 0x1B, 0x6F, 0x4E, 0xC2, 0x06, 0x21, 0xFF, 0x7D,
    0x92, 0xE3, 0x38, 0x69, 0x0E, 0xC3, 0xC8, 0x58, 0x96, 0xF4, 0xBC, 0xAF, 0x9D, 0x54, 0xBA, 0xBD,
    0xC1, 0xDB, 0x77, 0xAF, 0x9C, 0x86, 0x21, 0x01, 0x28, 0x90, 0xB6, 0x74, 0x9F, 0xE2, 0x14, 0x25,
    0x8A, 0x90, 0xCB, 0x55, 0x2E, 0x37, 0x75, 0xB9, 0xAA, 0xF3, 0x7C, 0xC6, 0x5B, 0x8E, 0xA9, 0x90,
    0x22, 0xF3, 0x0D, 0x39, 0x4A, 0x91, 0xD3, 0x99, 0xEF, 0x59, 0xF1, 0xD5, 0xBA, 0xBB, 0x32, 0x2D,
    0x0C, 0x20, 0x31, 0xAA, 0x3D, 0x31, 0x02, 0x69, 0xD8, 0x8F, 0xD2, 0x42, 0x11, 0x4F, 0x08, 0x63,
    0x18, 0x7D, 0xD7, 0xBF, 0x5D, 0xEF, 0xF4, 0x8B, 0xB5, 0xEE, 0xCA, 0x80, 0x02, 0xA3, 0x3D, 0x11,
    0x51, 0x22, 0x5A, 0x12, 0xD1, 0xEC, 0x82, 0xA8, 0x54, 0xA7, 0x5D, 0xAD, 0xCC, 0xB9, 0x6E, 0x3B,
    0xFF, 0x68, 0x36, 0xC8, 0xBA, 0x92, 0x08, 0xDE, 0x23, 0xF5, 0x85, 0x1E, 0x78, 0x36, 0x3D, 0xFD,
    0x4C, 0x24, 0xCF, 0x5C, 0xF4, 0xDC, 0xD5, 0x4F, 0xF1, 0xD5, 0x63, 0x36, 0x3E, 0x82, 0x2E, 0xD6,
    0x5E, 0x3D, 0x28, 0xA3, 0x7A, 0x41, 0x71, 0x08, 0xA0, 0xE3, 0x04, 0x2A, 0x71, 0x0E, 0xCE, 0x24,
    0xCE, 0x81, 0x10, 0x9E, 0x7C, 0xAA, 0x8D, 0x6E, 0xD4, 0x9D, 0xDD, 0xEC, 0x7E, 0x08, 0xB6, 0xFF,
    0x6A, 0x3E, 0x77, 0x24, 0xB3, 0x15, 0xFA, 0x68, 0xFA, 0x56, 0x4F, 0x52, 0x0B, 0xE5, 0x1F, 0xA9,
    0xAD, 0xE7, 0x31, 0x19, 0x93, 0x3F,
};

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

MMesh Load(const std::vector<uint8_t>& data) { return MMesh(data.data(), uint32_t(data.size())); }

// X text (header included) in the compressed format, as one MSZIP block.
std::vector<uint8_t> Compressed(const std::string& text)
{
    const std::string body = text.substr(16);
    std::vector<uint8_t> packed(compressBound(uLong(body.size())) + 16);
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.data()));
    z.avail_in = uInt(body.size());
    z.next_out = packed.data();
    z.avail_out = uInt(packed.size());
    deflate(&z, Z_FINISH);
    packed.resize(z.total_out);
    deflateEnd(&z);
    std::vector<uint8_t> out = Bytes("xof 0303tzip0032");
    const auto le = [&out](uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    };
    le(uint32_t(text.size()), 4);
    le(uint32_t(body.size()), 2);
    le(uint32_t(packed.size() + 2), 2);
    out.push_back('C');
    out.push_back('K');
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

// The binary X encoding of a square like kSquareText, one material, no texture.
class BinaryX {
public:
    BinaryX() { Raw("xof 0302bin 0032", 16); }
    void Token(uint16_t t) { Raw(&t, 2); }
    void Name(const char* s)
    {
        Token(1);
        Dword(uint32_t(std::strlen(s)));
        Raw(s, std::strlen(s));
    }
    void Ints(std::initializer_list<uint32_t> v)
    {
        Token(6);
        Dword(uint32_t(v.size()));
        for (uint32_t i : v)
            Dword(i);
    }
    void Floats(std::initializer_list<float> v)
    {
        Token(7);
        Dword(uint32_t(v.size()));
        for (float f : v)
            Raw(&f, 4);
    }
    std::vector<uint8_t> bytes;

private:
    void Dword(uint32_t d) { Raw(&d, 4); }
    void Raw(const void* p, size_t n)
    {
        auto* b = static_cast<const uint8_t*>(p);
        bytes.insert(bytes.end(), b, b + n);
    }
};

constexpr uint16_t kOpen = 10, kClose = 11;

// nIndex is the second vertex of the second face (3 in the square).
std::vector<uint8_t> BinarySquare(uint32_t nIndex = 3)
{
    BinaryX x;
    x.Name("Mesh");
    x.Name("Square");
    x.Token(kOpen);
    x.Ints({4});
    x.Floats({0, 0, 0.5f, 0, 1, 0.5f, 1, 0, 0.5f, 1, 1, 0.5f});
    x.Ints({2, 3, 0, 1, 2, 3, 1, nIndex, 2});
    x.Name("MeshNormals");
    x.Token(kOpen);
    x.Ints({1});
    x.Floats({0, 0, -1});
    x.Ints({2, 3, 0, 0, 0, 3, 0, 0, 0});
    x.Token(kClose);
    x.Name("MeshTextureCoords");
    x.Token(kOpen);
    x.Ints({4});
    x.Floats({0, 1, 0, 0, 1, 1, 1, 0});
    x.Token(kClose);
    x.Name("MeshMaterialList");
    x.Token(kOpen);
    x.Ints({1, 2, 0, 0});
    x.Name("Material");
    x.Token(kOpen);
    x.Floats({0.2f, 0.4f, 0.6f, 1, 8, 0.5f, 0.5f, 0.5f, 0, 0, 0});
    x.Token(kClose);
    x.Token(kClose);
    x.Token(kClose);
    return x.bytes;
}

void ExpectVertex(const MVertex& v, float x, float y, float z, float u, float tv)
{
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
    EXPECT_FLOAT_EQ(v.nx, 0.0f);
    EXPECT_FLOAT_EQ(v.ny, 0.0f);
    EXPECT_FLOAT_EQ(v.nz, -1.0f);
    EXPECT_FLOAT_EQ(v.u, u);
    EXPECT_FLOAT_EQ(v.v, tv);
}

// The file's face 0 (0, 1, 2) lies in subset 1 and its face 1 (1, 3, 2) in
// subset 0, each with its vertices in the file's order.
void ExpectSquare(const MMesh& mesh, uint32_t faceOneSubset, uint32_t faceZeroSubset)
{
    const auto& v = mesh.GetVertices();
    const auto& idx = mesh.GetIndices();
    ASSERT_EQ(mesh.GetSubsetIndexCount(faceOneSubset), 3u);
    ASSERT_EQ(mesh.GetSubsetIndexCount(faceZeroSubset), 3u);
    const uint32_t* f1 = &idx[mesh.GetSubsetFirstIndex(faceOneSubset)];
    ExpectVertex(v[f1[0]], 0, 1, 0.5f, 0, 0);
    ExpectVertex(v[f1[1]], 1, 1, 0.5f, 1, 0);
    ExpectVertex(v[f1[2]], 1, 0, 0.5f, 1, 1);
    const uint32_t* f0 = &idx[mesh.GetSubsetFirstIndex(faceZeroSubset)];
    ExpectVertex(v[f0[0]], 0, 0, 0.5f, 0, 1);
    ExpectVertex(v[f0[1]], 0, 1, 0.5f, 0, 0);
    ExpectVertex(v[f0[2]], 1, 0, 0.5f, 1, 1);
}

// Clockwise as seen from the side the normal points to (left-handed front).
void ExpectFrontFacesAlongNormals(const MMesh& mesh)
{
    const auto& v = mesh.GetVertices();
    const auto& idx = mesh.GetIndices();
    for (size_t t = 0; t + 2 < idx.size(); t += 3) {
        const MVertex &a = v[idx[t]], &b = v[idx[t + 1]], &c = v[idx[t + 2]];
        const MVector3 e1(b.x - a.x, b.y - a.y, b.z - a.z), e2(c.x - a.x, c.y - a.y, c.z - a.z);
        EXPECT_GT(e1.Cross(e2).Dot(MVector3(a.nx, a.ny, a.nz)), 0.0f) << "face " << t / 3;
    }
}

TEST(MeshLoading, TextKeepsTheFilesLeftHandedData)
{
    const MMesh mesh = Load(Bytes(kSquareText));
    ASSERT_EQ(mesh.GetSubsetCount(), 3u);
    ExpectSquare(mesh, 0, 1);
    EXPECT_EQ(mesh.GetSubsetIndexCount(2), 0u);
    ExpectFrontFacesAlongNormals(mesh);
}

TEST(MeshLoading, BinaryKeepsTheFilesLeftHandedData)
{
    const MMesh mesh = Load(BinarySquare());
    ASSERT_EQ(mesh.GetSubsetCount(), 1u);
    ASSERT_EQ(mesh.GetIndices().size(), 6u);
    const auto& v = mesh.GetVertices();
    const auto& idx = mesh.GetIndices();
    ExpectVertex(v[idx[0]], 0, 0, 0.5f, 0, 1);
    ExpectVertex(v[idx[1]], 0, 1, 0.5f, 0, 0);
    ExpectVertex(v[idx[2]], 1, 0, 0.5f, 1, 1);
    ExpectVertex(v[idx[4]], 1, 1, 0.5f, 1, 0);
    ExpectFrontFacesAlongNormals(mesh);
    EXPECT_FLOAT_EQ(mesh.GetMaterial(0).ambient[1], 0.4f);
}

TEST(MeshLoading, CompressedKeepsTheFilesLeftHandedData)
{
    const std::vector<uint8_t> stored(kSquareCompressed, kSquareCompressed + sizeof(kSquareCompressed));
    for (const std::vector<uint8_t>& data : {stored, Compressed(kSquareText)}) {
        const MMesh mesh = Load(data);
        ASSERT_EQ(mesh.GetSubsetCount(), 3u);
        ExpectSquare(mesh, 0, 1);
        ExpectFrontFacesAlongNormals(mesh);
    }
}

TEST(MeshLoading, FrameTransformsAreApplied)
{
    std::string text = kSquareText;
    text.replace(text.find("Mesh Square"), 0,
                 "Frame Root { FrameTransformMatrix { 1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, "
                 "0.0,0.0,1.0,0.0, 0.0,0.0,2.0,1.0;; }\n");
    text += "}\n";
    const MMesh mesh = Load(Bytes(text));
    for (const MVertex& v : mesh.GetVertices())
        EXPECT_FLOAT_EQ(v.z, 2.5f);
}

TEST(MeshLoading, LargeCoordinatesAreNoCounts)
{
    std::string text = kSquareText;
    text.replace(text.find("1.0;1.0;0.5;;"), 13, "1.0;1.0;123456789.0;;");
    text.replace(text.find("0.0;0.0;0.5;,"), 13, "0.0;0.0;2e9;,");
    const MMesh mesh = Load(Bytes(text));
    EXPECT_FLOAT_EQ(mesh.GetVertices()[mesh.GetIndices()[1]].z, 123456789.0f);
    EXPECT_FLOAT_EQ(mesh.GetVertices()[mesh.GetIndices()[3]].z, 2e9f);
}

TEST(MeshLoading, MaterialsTakeTheirDiffuseAsAmbient)
{
    const MMesh mesh = Load(Bytes(kSquareText));
    const MMaterial& wood = mesh.GetMaterial(1);
    const float diffuse[4] = {0.2f, 0.4f, 0.6f, 1.0f};
    for (int c = 0; c < 4; ++c) {
        EXPECT_FLOAT_EQ(wood.diffuse[c], diffuse[c]);
        EXPECT_FLOAT_EQ(wood.ambient[c], diffuse[c]);
    }
    EXPECT_FLOAT_EQ(wood.power, 8.0f);
    EXPECT_FLOAT_EQ(wood.specular[0], 0.5f);
    EXPECT_FLOAT_EQ(wood.emissive[2], 0.1f);
    EXPECT_FLOAT_EQ(mesh.GetMaterial(0).ambient[2], 1.0f);
}

TEST(MeshLoading, APadByteAfterTheDataIsAccepted)
{
    std::vector<uint8_t> text = Bytes(kSquareText);
    text.push_back(0);
    EXPECT_EQ(Load(text).GetSubsetCount(), 3u);
    std::vector<uint8_t> binary = BinarySquare();
    binary.push_back(0);
    EXPECT_EQ(Load(binary).GetIndices().size(), 6u);
}

TEST(MeshLoading, MeshWithoutMaterialsHasOneUntexturedSubset)
{
    std::string text = kSquareText;
    text.erase(text.find("  MeshMaterialList"), text.rfind('}') - text.find("  MeshMaterialList"));
    const MMesh mesh = Load(Bytes(text));
    ASSERT_EQ(mesh.GetSubsetCount(), 1u);
    EXPECT_EQ(mesh.GetSubsetIndexCount(0), 6u);
    EXPECT_FALSE(mesh.HasTexture(0));
}

void ExpectRejected(const std::vector<uint8_t>& data)
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

TEST(MeshRejection, DataThatIsNoXFile)
{
    ExpectRejected({});
    ExpectRejected(Bytes("xof 0303"));
    ExpectRejected(Bytes("RIFF\x10\0\0\0WAVEfmt garbage"));
    ExpectRejected(Bytes("xof 0303abc 0032 Mesh {}"));
}

TEST(MeshRejection, BrokenXData)
{
    std::string text = kSquareText;
    ExpectRejected(Bytes(text.substr(0, text.find("3;1,3,2"))));
    std::vector<uint8_t> binary = BinarySquare();
    ExpectRejected(std::vector<uint8_t>(binary.begin(), binary.begin() + 60));
    std::vector<uint8_t> inflatesHuge(kSquareCompressed, kSquareCompressed + sizeof(kSquareCompressed));
    inflatesHuge[19] = 0x7F;
    ExpectRejected(inflatesHuge);
}

// Each change makes the square something the importer would read out of
// bounds, allocate without limit for or choke on.
TEST(MeshRejection, CountsAndIndicesOutsideTheData)
{
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
                               "0.0,0.0,1.0,0.0, 0.0,0.0,0.0,1.0;; }\n  MeshMaterialList"}, // a weight past the last vertex
        {"0.0;1.0;0.5;,", "0.0;1.#QNAN0;0.5;,"},        // a number the importer reads its own way
    };
    for (const auto& [from, to] : changes) {
        std::string text = kSquareText;
        text.replace(text.find(from), std::strlen(from), to);
        SCOPED_TRACE(to);
        ExpectRejected(Bytes(text));
        ExpectRejected(Compressed(text));
    }
    ExpectRejected(BinarySquare(4));
}

TEST(MeshRejection, FramesTooDeepOrNamedTooLong)
{
    std::string deep = kSquareText, named = kSquareText;
    for (int i = 0; i < 40; ++i) {
        deep.insert(deep.find("Mesh Square"), "Frame {\n");
        deep += "}\n";
    }
    named.insert(named.find("Mesh Square"), "Frame " + std::string(1100, 'f') + " {\n");
    named += "}\n";
    ExpectRejected(Bytes(deep));
    ExpectRejected(Bytes(named));
}

// Meshes that once crashed the importer or asked it for tens of gigabytes.
TEST(MeshRejection, FilesFoundByFuzzing)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(RVX_SOURCE_DIR "/tests/fuzz/regressions/mesh")) {
        std::ifstream in(entry.path(), std::ios::binary);
        SCOPED_TRACE(entry.path().filename().string());
        ExpectRejected(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}));
        ++files;
    }
    EXPECT_GE(files, 5);
}

// Whatever the bytes, loading answers with a mesh or the loader's exception.
TEST(MeshRejection, MangledDataNeverCrashes)
{
    std::mt19937 random(7);
    const std::vector<uint8_t> compressed(kSquareCompressed, kSquareCompressed + sizeof(kSquareCompressed));
    for (const std::vector<uint8_t>& valid : {Bytes(kSquareText), BinarySquare(), compressed}) {
        for (int round = 0; round < 300; ++round) {
            std::vector<uint8_t> data = valid;
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

class MeshTextures : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("rvx_mesh_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "here");
        std::filesystem::create_directories(folder / "archive");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder / "here");
    }
    void TearDown() override
    {
        MMesh::SetTextureFolder("");
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    static void WritePng(const std::filesystem::path& path)
    {
        const uint8_t pixels[4 * 4] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
        ASSERT_NE(stbi_write_png(path.c_str(), 2, 2, 4, pixels, 8), 0);
    }
    std::filesystem::path folder, previous;
};

TEST_F(MeshTextures, MissingTextureLeavesTheSubsetUntextured)
{
    const MMesh mesh = Load(Bytes(kSquareText));
    for (uint32_t i = 0; i < mesh.GetSubsetCount(); ++i)
        EXPECT_FALSE(mesh.HasTexture(i));
}

TEST_F(MeshTextures, TextureFromTheCurrentFolder)
{
    WritePng(folder / "here" / "wood.png");
    const MMesh mesh = Load(Bytes(kSquareText));
    EXPECT_FALSE(mesh.HasTexture(0));
    EXPECT_TRUE(mesh.HasTexture(1));
    EXPECT_FALSE(mesh.HasTexture(2));
}

TEST_F(MeshTextures, TextureFromTheArchivesFolder)
{
    WritePng(folder / "archive" / "wood.png");
    EXPECT_FALSE(Load(Bytes(kSquareText)).HasTexture(1));
    std::string windowsStyle = (folder / "archive").string() + "\\";
    std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
    MMesh::SetTextureFolder(windowsStyle.c_str());
    EXPECT_TRUE(Load(Bytes(kSquareText)).HasTexture(1));
}

TEST_F(MeshTextures, BrokenTextureLeavesTheSubsetUntextured)
{
    std::ofstream(folder / "here" / "wood.png") << "not a picture";
    EXPECT_FALSE(Load(Bytes(kSquareText)).HasTexture(1));
}

// Two parallel squares: one at z = 0.5 (from the file), one at z = 2.
class MeshIntersect : public ::testing::Test {
protected:
    MMesh mesh = Load(Bytes(kSquareText));

    bool Hit(const MVector3& o, const MVector3& d, float* distance) const
    {
        int32_t hit = -1;
        EXPECT_EQ(mesh.Intersect(o, d, &hit, distance), 0);
        return hit == 1;
    }
};

TEST_F(MeshIntersect, HitsFromEitherSide)
{
    float d = 0;
    EXPECT_TRUE(Hit(MVector3(0.25f, 0.25f, -1), MVector3(0, 0, 1), &d));
    EXPECT_FLOAT_EQ(d, 1.5f);
    EXPECT_TRUE(Hit(MVector3(0.75f, 0.75f, 3), MVector3(0, 0, -1), &d));
    EXPECT_FLOAT_EQ(d, 2.5f);
}

TEST_F(MeshIntersect, MissesBesideBehindAndAlong)
{
    float d = 0;
    EXPECT_FALSE(Hit(MVector3(1.5f, 0.5f, -1), MVector3(0, 0, 1), &d));
    EXPECT_FALSE(Hit(MVector3(0.5f, 0.5f, -1), MVector3(0, 0, -1), &d));
    EXPECT_FALSE(Hit(MVector3(-1, 0.5f, 0.5f), MVector3(1, 0, 0), &d));
}

TEST_F(MeshIntersect, EdgesAndCornersHit)
{
    float d = 0;
    EXPECT_TRUE(Hit(MVector3(0.5f, 0.5f, 0), MVector3(0, 0, 1), &d)); // the shared diagonal
    EXPECT_TRUE(Hit(MVector3(1, 1, 0), MVector3(0, 0, 1), &d));
    EXPECT_TRUE(Hit(MVector3(0, 0.5f, 0), MVector3(0, 0, 1), &d));
}

TEST_F(MeshIntersect, DistanceIsInUnitsOfTheDirection)
{
    float d = 0;
    EXPECT_TRUE(Hit(MVector3(0.5f, 0.25f, -1.5f), MVector3(0, 0, 2), &d));
    EXPECT_FLOAT_EQ(d, 1.0f);
    const float s = 1.0f / std::sqrt(2.0f);
    EXPECT_TRUE(Hit(MVector3(0.25f, 0.25f, 0), MVector3(0, s, s), &d));
    EXPECT_NEAR(d, 0.5f * std::sqrt(2.0f), 1e-6f);
}

TEST(MeshIntersectNearest, NearestOfSeveralLayers)
{
    std::string text = kSquareText;
    text.replace(text.find("1.0;1.0;0.5;;"), 13, "1.0;1.0;0.5;,\n0.0;0.0;2.0;,\n0.0;1.0;2.0;,\n1.0;0.0;2.0;;");
    text.replace(text.find("  4;"), 4, "  7;");
    text.replace(text.find("  2;\n  3;0,1,2;,\n  3;1,3,2;;"), 26, "  3;\n  3;4,5,6;,\n  3;0,1,2;,\n  3;1,3,2;;");
    text.replace(text.find("2; 3;0,0,0;, 3;0,0,0;;"), 22, "3; 3;0,0,0;, 3;0,0,0;, 3;0,0,0;;");
    text.replace(text.find("MeshTextureCoords { 4;"), 22, "MeshTextureCoords { 7; 0.0;0.0;, 0.0;0.0;, 0.0;0.0;,");
    text.replace(text.find("3; 2; 1, 0;;"), 12, "3; 3; 0, 1, 0;;");
    const MMesh mesh = Load(Bytes(text));
    int32_t hit = 0;
    float d = 0;
    mesh.Intersect(MVector3(0.2f, 0.2f, 3), MVector3(0, 0, -1), &hit, &d);
    EXPECT_EQ(hit, 1);
    EXPECT_FLOAT_EQ(d, 1.0f);
    mesh.Intersect(MVector3(0.2f, 0.2f, -3), MVector3(0, 0, 1), &hit, &d);
    EXPECT_EQ(hit, 1);
    EXPECT_FLOAT_EQ(d, 3.5f);
}

} // namespace
