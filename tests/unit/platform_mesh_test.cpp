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

// Every vertex of the square faces -z.
void ExpectVertex(const MVertex& v, float x, float y, float z, float u, float tv)
{
    EXPECT_EQ((std::vector<float>{v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v}),
              (std::vector<float>{x, y, z, 0.0f, 0.0f, -1.0f, u, tv}));
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

TEST(MeshLoading, TextAndCompressedKeepTheFilesLeftHandedData)
{
    for (const std::vector<uint8_t>& data : {Bytes(kSquareText), Compressed(kSquareText)}) {
        const MMesh mesh = Load(data);
        ASSERT_EQ(mesh.GetSubsetCount(), 3u);
        ExpectSquare(mesh, 0, 1);
        EXPECT_EQ(mesh.GetSubsetIndexCount(2), 0u);
        ExpectFrontFacesAlongNormals(mesh);
    }
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
    for (int c = 0; c < 4; ++c)
        EXPECT_FLOAT_EQ(wood.ambient[c], wood.diffuse[c]);
    EXPECT_FLOAT_EQ(wood.diffuse[2], 0.6f);
    EXPECT_FLOAT_EQ(wood.power, 8.0f);
    EXPECT_FLOAT_EQ(wood.emissive[2], 0.1f);
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
    std::vector<uint8_t> inflatesHuge = Compressed(kSquareText);
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
    for (const std::vector<uint8_t>& valid : {Bytes(kSquareText), BinarySquare(), Compressed(kSquareText)}) {
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

// A missing or broken picture leaves the subset untextured; the current folder
// is tried first, then the archive's (given in Windows style).
TEST_F(MeshTextures, TextureFromTheCurrentFolderThenTheArchivesFolder)
{
    std::ofstream(folder / "here" / "wood.png") << "not a picture";
    EXPECT_FALSE(Load(Bytes(kSquareText)).HasTexture(1));
    std::filesystem::remove(folder / "here" / "wood.png");
    WritePng(folder / "archive" / "wood.png");
    EXPECT_FALSE(Load(Bytes(kSquareText)).HasTexture(1));
    std::string windowsStyle = (folder / "archive").string() + "\\";
    std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
    MMesh::SetTextureFolder(windowsStyle.c_str());
    EXPECT_TRUE(Load(Bytes(kSquareText)).HasTexture(1));
    MMesh::SetTextureFolder("");
    WritePng(folder / "here" / "wood.png");
    const MMesh mesh = Load(Bytes(kSquareText));
    EXPECT_FALSE(mesh.HasTexture(0));
    EXPECT_TRUE(mesh.HasTexture(1));
    EXPECT_FALSE(mesh.HasTexture(2));
}

// Rays at the square at z = 0.5; the distance is in units of the direction.
TEST(MeshIntersect, HitsFromEitherSideOnEdgesAndCornersMissesBesideBehindAndAlong)
{
    const MMesh mesh = Load(Bytes(kSquareText));
    const float s = 1.0f / std::sqrt(2.0f);
    struct Case {
        MVector3 o, d;
        float distance; // 0: a miss
    };
    const Case cases[] = {
        {{0.25f, 0.25f, -1}, {0, 0, 1}, 1.5f},  {{0.75f, 0.75f, 3}, {0, 0, -1}, 2.5f},
        {{0.5f, 0.5f, 0}, {0, 0, 1}, 0.5f},     {{1, 1, 0}, {0, 0, 1}, 0.5f}, // the shared diagonal, a corner
        {{0, 0.5f, 0}, {0, 0, 1}, 0.5f},        {{0.5f, 0.25f, -1.5f}, {0, 0, 2}, 1.0f},
        {{0.25f, 0.25f, 0}, {0, s, s}, 0.5f / s}, {{1.5f, 0.5f, -1}, {0, 0, 1}, 0},
        {{0.5f, 0.5f, -1}, {0, 0, -1}, 0},      {{-1, 0.5f, 0.5f}, {1, 0, 0}, 0},
    };
    for (const Case& c : cases) {
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
