#include "platform/mesh/MXCheck.h"
#include "base/LittleEndian.h"
#include <assimp/mesh.h>
#include <zlib.h>
#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

struct Refused {};

[[noreturn]] void Refuse() { throw Refused{}; }

void Require(bool fCondition)
{
    if (!fCondition)
        Refuse();
}

constexpr size_t kHeader = 16;
constexpr size_t kMaxName = 1023;    // the importer's strings hold 1023 characters
constexpr uint32_t kMaxDepth = 32;   // frames within frames
constexpr size_t kBlock = 32768;     // inflated size of a compressed block
constexpr size_t kMaxInflated = 32u << 20;
constexpr size_t kMaxIntDigits = 10;
constexpr size_t kMaxRealDigits = 18;

bool Is(const uint8_t* data, size_t at, const char* word) { return std::memcmp(data + at, word, 4) == 0; }

// "xof 0303txt 0032": magic, version, format, float size.
bool HasXHeader(const uint8_t* data, uint32_t size)
{
    if (size < kHeader || !Is(data, 0, "xof "))
        return false;
    const bool known = Is(data, 8, "txt ") || Is(data, 8, "bin ") || Is(data, 8, "tzip") || Is(data, 8, "bzip");
    return known && (Is(data, 12, "0032") || Is(data, 12, "0064"));
}

// One MSZIP block: a deflate stream whose dictionary is the output so far.
bool InflateBlock(z_stream* z, const uint8_t* in, uint32_t n, std::vector<uint8_t>* out, size_t start)
{
    const size_t done = out->size();
    if (inflateReset(z) != Z_OK)
        return false;
    const size_t dictionary = std::min(done - start, kBlock);
    if (dictionary > 0 && inflateSetDictionary(z, out->data() + done - dictionary, uInt(dictionary)) != Z_OK)
        return false;
    out->resize(done + kBlock);
    z->next_in = const_cast<Bytef*>(in);
    z->avail_in = n;
    z->next_out = out->data() + done;
    z->avail_out = kBlock;
    const int result = inflate(z, Z_FINISH);
    const bool ended = result == Z_STREAM_END || (result == Z_BUF_ERROR && z->avail_in == 0 && z->avail_out > 0);
    out->resize(done + kBlock - z->avail_out);
    return ended;
}

// After the header: the inflated size (header included), then blocks of
// [inflated size: 2][packed size: 2]["CK"][deflate data]. The result is the
// same X data in its plain format; the importer skips the header's line.
bool Inflate(const uint8_t* data, uint32_t size, std::vector<uint8_t>* out)
{
    if (size < kHeader + 4)
        return false;
    const uint32_t stated = ReadLE32(data + kHeader);
    if (stated < kHeader || stated - kHeader > kMaxInflated)
        return false;
    const bool text = Is(data, 8, "tzip");
    out->assign(data, data + kHeader);
    std::memcpy(out->data() + 8, text ? "txt " : "bin ", 4);
    if (text)
        out->push_back('\n');
    const size_t start = out->size();
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return false;
    size_t at = kHeader + 4;
    bool ok = true;
    while (ok && size - at >= 4) {
        const uint32_t packed = ReadLE16(data + at + 2);
        at += 4;
        ok = packed >= 2 && packed <= size - at && data[at] == 'C' && data[at + 1] == 'K' &&
             InflateBlock(&z, data + at + 2, packed - 2, out, start) && out->size() - start <= stated - kHeader;
        at += packed;
    }
    inflateEnd(&z);
    return ok && size - at <= 1 && out->size() - start == stated - kHeader;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool MXCheck::Prepare(const uint8_t* pData, uint32_t nSize, std::vector<uint8_t>* pPlain)
{
    if (!HasXHeader(pData, nSize))
        return false;
    if (Is(pData, 8, "tzip") || Is(pData, 8, "bzip")) {
        if (!Inflate(pData, nSize, pPlain))
            return false;
    } else {
        pPlain->assign(pData, pData + nSize);
    }
    if (Is(pPlain->data(), 8, "txt "))
        while (pPlain->size() > kHeader && pPlain->back() == 0)
            pPlain->pop_back(); // the chunk's pad byte
    return MXCheck(*pPlain).IsAccepted();
}

MXCheck::MXCheck(const std::vector<uint8_t>& plain)
    : pData(plain.data()), nEnd(plain.size()), fBinary(Is(plain.data(), 8, "bin ")),
      nFloatSize(Is(plain.data(), 12, "0064") ? 8 : 4)
{
}

bool MXCheck::IsAccepted()
{
    try {
        if (!fBinary) { // the rest of the header's line
            while (nAt < nEnd && At(nAt) != '\n' && At(nAt) != '\r')
                ++nAt;
            Skip(nAt < nEnd ? 1 : 0);
        }
        File();
        return true;
    } catch (const Refused&) {
        return false;
    }
}

// ---- data objects ----

void MXCheck::File()
{
    for (std::string name = Token(); !name.empty(); name = Token()) {
        if (name == "template")
            Template();
        else if (name == "Frame")
            Frame(0);
        else if (name == "Mesh")
            LooseMesh();
        else if (name == "Material")
            Material();
        else if (name == "AnimationSet" || name == "AnimTicksPerSecond")
            Refuse(); // a drawn mesh has no animations
        else if (name != "}")
            Unknown();
    }
    // The importer leaks parts of a file that has meshes both inside and
    // outside frames.
    Require(!(fLooseMesh && fFramedMesh));
}

void MXCheck::LooseMesh()
{
    fLooseMesh = true;
    Mesh();
}

void MXCheck::Head(std::string* pName)
{
    const std::string first = Token();
    if (first == "{")
        return;
    if (pName)
        *pName = first;
    Require(Token() == "{");
}

void MXCheck::Template()
{
    Head();
    Token(); // the GUID
    for (std::string s = Token(); s != "}"; s = Token())
        Require(!s.empty());
}

void MXCheck::Frame(uint32_t nDepth)
{
    Require(nDepth < kMaxDepth);
    Head();
    for (std::string name = Token(); name != "}"; name = Token()) {
        Require(!name.empty());
        if (name == "Frame")
            Frame(nDepth + 1);
        else if (name == "FrameTransformMatrix")
            Matrix();
        else if (name == "Mesh")
            FramedMesh();
        else
            Unknown();
    }
}

void MXCheck::FramedMesh()
{
    fFramedMesh = true;
    Mesh();
}

void MXCheck::Matrix()
{
    Head();
    Floats(16);
    Semicolon();
    ClosingBrace();
}

void MXCheck::Mesh()
{
    Head();
    const uint32_t nVertices = Count();
    for (uint32_t i = 0; i < nVertices; ++i) {
        Floats(3);
        TestSeparator();
    }
    const uint32_t nFaces = Count();
    for (uint32_t f = 0; f < nFaces; ++f) {
        Require(Int() == 3);
        for (int k = 0; k < 3; ++k)
            Index(nVertices);
        TestSeparator();
    }
    uint32_t nTextureSets = 0, nColourSets = 0;
    bool fMaterials = false;
    for (std::string name = Token(); name != "}"; name = Token()) {
        Require(!name.empty());
        if (name == "MeshNormals") {
            Normals(nFaces);
        } else if (name == "MeshTextureCoords") {
            TextureCoords(nVertices, &nTextureSets);
        } else if (name == "MeshVertexColors") {
            VertexColours(nVertices, &nColourSets);
        } else if (name == "MeshMaterialList") {
            Require(!fMaterials); // a second list would double the face materials
            fMaterials = true;
            MaterialList(nFaces);
        } else if (name == "XSkinMeshHeader") {
            SkinHeader();
        } else if (name == "SkinWeights") {
            SkinWeights(nVertices);
        } else {
            Unknown();
        }
    }
}

void MXCheck::Normals(uint32_t nFaces)
{
    Head();
    const uint32_t nNormals = Count();
    for (uint32_t i = 0; i < nNormals; ++i) {
        Floats(3);
        TestSeparator();
    }
    Require(Count() == nFaces);
    for (uint32_t f = 0; f < nFaces; ++f) {
        const uint32_t n = Count();
        for (uint32_t k = 0; k < n; ++k)
            Index(nNormals);
        TestSeparator();
    }
    ClosingBrace();
}

void MXCheck::TextureCoords(uint32_t nVertices, uint32_t* pSets)
{
    Head();
    Require(++*pSets <= AI_MAX_NUMBER_OF_TEXTURECOORDS);
    Require(Count() == nVertices);
    for (uint32_t i = 0; i < nVertices; ++i) {
        Floats(2);
        TestSeparator();
    }
    ClosingBrace();
}

void MXCheck::VertexColours(uint32_t nVertices, uint32_t* pSets)
{
    Head();
    Require(++*pSets <= AI_MAX_NUMBER_OF_COLOR_SETS);
    Require(Count() == nVertices);
    for (uint32_t i = 0; i < nVertices; ++i) {
        Index(nVertices);
        Floats(4);
        TestSeparator();
        if (!fBinary) {
            SkipSpace();
            Skip(At(nAt) == ';' || At(nAt) == ',' ? 1 : 0);
        }
    }
    ClosingBrace();
}

// Every face names a material of the list; one index serves all faces.
void MXCheck::MaterialList(uint32_t nFaces)
{
    Head();
    Int(); // the material count, which the importer does not use
    const uint32_t n = Count();
    Require(n == nFaces || (n == 1 && nFaces > 0));
    uint32_t nHighest = 0;
    for (uint32_t i = 0; i < n; ++i)
        nHighest = std::max(nHighest, Int());
    if (!fBinary)
        Skip(At(nAt) == ';' ? 1 : 0);
    uint32_t nMaterials = 0;
    for (std::string name = Token(); name != "}"; name = Token()) {
        Require(!name.empty());
        if (name == "{") {
            Token(); // a reference by name
            ClosingBrace();
            ++nMaterials;
        } else if (name == "Material") {
            Material();
            ++nMaterials;
        } else if (name != ";") {
            Unknown();
        }
    }
    Require(n == 0 || nHighest < nMaterials);
}

void MXCheck::Material()
{
    Head();
    Floats(4);
    TestSeparator();
    Float();
    for (int colour = 0; colour < 2; ++colour) {
        Floats(3);
        TestSeparator();
    }
    for (std::string name = Token(); name != "}"; name = Token()) {
        Require(!name.empty());
        if (name == "TextureFilename" || name == "TextureFileName" || name == "NormalmapFilename" ||
            name == "NormalmapFileName")
            TextureName();
        else
            Unknown();
    }
}

void MXCheck::TextureName()
{
    Head();
    String();
    ClosingBrace();
}

void MXCheck::SkinHeader()
{
    Head();
    for (int i = 0; i < 3; ++i)
        Int();
    ClosingBrace();
}

void MXCheck::SkinWeights(uint32_t nVertices)
{
    Head();
    String();
    const uint32_t n = Count();
    for (uint32_t i = 0; i < n; ++i)
        Index(nVertices);
    for (uint32_t i = 0; i < n; ++i)
        Float();
    Floats(16);
    Semicolon();
    ClosingBrace();
}

// Skipped up to its brace and then to the brace that closes it.
void MXCheck::Unknown()
{
    for (std::string s = Token(); s != "{"; s = Token())
        Require(!s.empty());
    for (uint32_t nOpen = 1; nOpen > 0;) {
        const std::string s = Token();
        Require(!s.empty());
        if (s == "{")
            ++nOpen;
        else if (s == "}")
            --nOpen;
    }
}

// ---- tokens ----

std::string MXCheck::Token()
{
    std::string s = fBinary ? BinaryToken() : TextToken();
    Require(s.size() <= kMaxName);
    return s;
}

std::string MXCheck::TextToken()
{
    SkipSpace();
    std::string s;
    while (nAt < nEnd && !std::isspace(uint8_t(At(nAt)))) {
        const char c = At(nAt);
        if (c == ';' || c == '}' || c == '{' || c == ',') {
            if (s.empty()) {
                s.push_back(c);
                ++nAt;
            }
            break;
        }
        s.push_back(c);
        ++nAt;
    }
    return s;
}

// Names, strings and punctuation; numbers and GUIDs are skipped. An empty
// token ends the data, as it does for the importer.
std::string MXCheck::BinaryToken()
{
    static const char* const kPunctuation[] = {"{", "}", "(", ")", "[", "]", "<", ">", ".", ",", ";"};
    static const char* const kWords[] = {"WORD", "DWORD", "FLOAT", "DOUBLE", "CHAR", "UCHAR", "SWORD",
                                         "SDWORD", "void", "string", "unicode", "cstring", "array"};
    if (Left() < 2)
        return {};
    const uint32_t token = ReadLE16(pData + nAt);
    nAt += 2;
    if (token == 1 || token == 2) { // name, string
        const uint32_t n = Dword();
        Require(n <= Left());
        std::string s(reinterpret_cast<const char*>(pData + nAt), n);
        Skip(uint64_t(n) + (token == 2 ? 2 : 0));
        return s;
    }
    if (token == 3 || token == 5) {
        Skip(token == 3 ? 4 : 16);
        return token == 3 ? "<integer>" : "<guid>";
    }
    if (token == 6 || token == 7) {
        Skip(uint64_t(Dword()) * (token == 6 ? 4 : nFloatSize));
        return "<list>";
    }
    if (token >= 0x0a && token <= 0x14)
        return kPunctuation[token - 0x0a];
    if (token == 0x1f)
        return "template";
    if (token >= 0x28 && token <= 0x34)
        return kWords[token - 0x28];
    return {};
}

std::string MXCheck::String()
{
    if (fBinary)
        return Token();
    SkipSpace();
    Require(At(nAt) == '"');
    const size_t first = ++nAt;
    while (nAt < nEnd && At(nAt) != '"')
        ++nAt;
    Require(nAt + 1 < nEnd && At(nAt + 1) == ';' && nAt - first <= kMaxName);
    nAt += 2;
    return std::string(reinterpret_cast<const char*>(pData + first), nAt - 2 - first);
}

// A count never exceeds the bytes left: each counted element takes some.
uint32_t MXCheck::Count()
{
    const uint32_t n = Int();
    Require(n <= Left());
    return n;
}

uint32_t MXCheck::Index(uint32_t nLimit)
{
    const uint32_t i = Int();
    Require(i < nLimit);
    return i;
}

uint32_t MXCheck::Int()
{
    if (fBinary) {
        BinaryNumber(6, 4);
        return Dword();
    }
    SkipSpace();
    const size_t first = nAt;
    Digits(kMaxIntDigits); // no sign: counts and indices are never negative
    uint64_t value = 0;
    for (size_t i = first; i < nAt; ++i)
        value = value * 10 + uint64_t(At(i) - '0');
    Require(value <= INT32_MAX);
    Separator();
    return uint32_t(value);
}

void MXCheck::Float()
{
    if (fBinary) {
        BinaryNumber(7, nFloatSize);
        Skip(nFloatSize);
        return;
    }
    SkipSpace();
    for (const char* special : {"-1.#IND00", "1.#IND00", "1.#QNAN0"})
        Require(!Sees(special));
    TextReal();
    Separator();
}

void MXCheck::Floats(int n)
{
    for (int i = 0; i < n; ++i)
        Float();
}

// The next number of a list of the given token; a list must lie in the data.
void MXCheck::BinaryNumber(uint16_t nToken, uint32_t nUnit)
{
    if (nListLeft == 0) {
        Require(Left() >= 2);
        const uint32_t token = ReadLE16(pData + nAt);
        nAt += 2;
        Require(token == nToken || (nToken == 6 && token == 3));
        nListToken = nToken;
        nListLeft = token == 3 ? 1 : Dword();
        Require(uint64_t(nListLeft) * nUnit <= Left());
    }
    Require(nListToken == nToken && Left() >= nUnit);
    --nListLeft;
}

// A decimal number as the importer reads it: sign, digits, a fraction after
// a point or a comma, an exponent. Its special words are refused.
void MXCheck::TextReal()
{
    if (At(nAt) == '-' || At(nAt) == '+')
        ++nAt;
    const char c = At(nAt);
    const bool fraction = (c == '.' || c == ',') && IsDigit(At(nAt + 1));
    Require(IsDigit(c) || fraction);
    if (!fraction)
        Digits(kMaxRealDigits);
    if ((At(nAt) == '.' || At(nAt) == ',') && IsDigit(At(nAt + 1))) {
        ++nAt;
        while (IsDigit(At(nAt)))
            ++nAt;
    } else if (At(nAt) == '.') {
        ++nAt;
    }
    if (At(nAt) == 'e' || At(nAt) == 'E') {
        ++nAt;
        if (At(nAt) == '-' || At(nAt) == '+')
            ++nAt;
        Digits(kMaxRealDigits);
    }
}

// One to nMax decimal digits.
void MXCheck::Digits(size_t nMax)
{
    const size_t first = nAt;
    while (IsDigit(At(nAt)))
        ++nAt;
    Require(nAt > first && nAt - first <= nMax);
}

void MXCheck::Separator()
{
    const std::string s = Token();
    Require(s == "," || s == ";");
}

void MXCheck::TestSeparator()
{
    if (fBinary)
        return;
    SkipSpace();
    Skip(At(nAt) == ';' || At(nAt) == ',' ? 1 : 0);
}

void MXCheck::Semicolon()
{
    if (!fBinary)
        Require(Token() == ";");
}

void MXCheck::ClosingBrace() { Require(Token() == "}"); }

// White space and comments ("//" or "#" to the end of the line).
void MXCheck::SkipSpace()
{
    for (;;) {
        while (nAt < nEnd && std::isspace(uint8_t(At(nAt))))
            ++nAt;
        if (nAt >= nEnd || !((At(nAt) == '/' && At(nAt + 1) == '/') || At(nAt) == '#'))
            return;
        while (nAt < nEnd && At(nAt) != '\n' && At(nAt) != '\r')
            ++nAt;
        Skip(nAt < nEnd ? 1 : 0);
    }
}

bool MXCheck::Sees(const char* szWord) const
{
    for (size_t i = 0; szWord[i] != 0; ++i)
        if (At(nAt + i) != szWord[i])
            return false;
    return true;
}

// Past the end is refused: the importer would read beyond its buffer.
void MXCheck::Skip(uint64_t n)
{
    Require(n <= Left());
    nAt += size_t(n);
}

uint32_t MXCheck::Dword()
{
    Require(Left() >= 4);
    const uint32_t v = ReadLE32(pData + nAt);
    nAt += 4;
    return v;
}
