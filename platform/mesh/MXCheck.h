#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads DirectX X data the way the mesh importer will and refuses anything it
// could stumble over: a count that is signed or larger than the data, a face
// that is no triangle or names a vertex (normal, material, weight) that does
// not exist, a list that runs past the end, names too long for the
// importer's strings, frames nested too deep, and whatever the importer
// itself would reject. Compressed data is inflated here, within a bound, so
// the importer is only ever given plain data that passed.
class MXCheck {
public:
    // Plain X data for the importer (compressed data inflated, the chunk's pad
    // byte dropped), or false when the data is refused.
    static bool Prepare(const uint8_t* pData, uint32_t nSize, std::vector<uint8_t>* pPlain);

private:
    MXCheck(const std::vector<uint8_t>& plain);
    bool IsAccepted();

    // Data objects.
    void File();
    void Template();
    void Frame(uint32_t nDepth);
    void Matrix();
    void LooseMesh();
    void FramedMesh();
    void Mesh();
    void Normals(uint32_t nFaces);
    void TextureCoords(uint32_t nVertices, uint32_t* pSets);
    void VertexColours(uint32_t nVertices, uint32_t* pSets);
    void MaterialList(uint32_t nFaces);
    void Material();
    void TextureName();
    void SkinHeader();
    void SkinWeights(uint32_t nVertices);
    void Unknown();
    void Head(std::string* pName = nullptr);

    // Tokens and numbers.
    std::string Token();
    std::string BinaryToken();
    std::string TextToken();
    std::string String();
    uint32_t Count();
    uint32_t Index(uint32_t nLimit);
    uint32_t Int();
    void Float();
    void Floats(int n);
    void BinaryNumber(uint16_t nListToken, uint32_t nUnit);
    void TextReal();
    void Digits(size_t nMax);
    void Separator();
    void TestSeparator();
    void Semicolon();
    void ClosingBrace();
    void SkipSpace();
    bool Sees(const char* szWord) const;
    char At(size_t i) const { return i < nEnd ? char(pData[i]) : '\0'; }
    size_t Left() const { return nEnd - nAt; }
    void Skip(uint64_t n);
    uint32_t Dword();

    const uint8_t* pData;
    size_t nEnd;
    size_t nAt = 16;
    bool fBinary = false;
    uint32_t nFloatSize = 4;
    uint32_t nListLeft = 0; // numbers left in the current binary list
    uint16_t nListToken = 0;
    bool fLooseMesh = false;  // a mesh outside any frame
    bool fFramedMesh = false; // a mesh inside a frame
};
