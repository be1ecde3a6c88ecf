#include "common/assets/CFileIFF.h"
#include "base/CException.h"
#include "base/FileSpec.h"
#include "base/LittleEndian.h"

namespace {
constexpr const char* kSource = "common/CFileIFF";
constexpr uint32_t kRiff = ChunkId("RIFF");

[[noreturn]] void Fail(const char* source, uint32_t line)
{
    throw CFileException(source, line);
}

void ToImage(uint32_t id, uint8_t* p)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(id >> (8 * i));
}
} // namespace

CFileIFF::CFileIFF(uint32_t kind, uint32_t formType) : nDeclaredKind(kind), nKind(kind), nFormType(formType)
{
    CFileIFF::SetByteOrderFromKind();
}

void CFileIFF::SetByteOrderFromKind()
{
    fSwap = nKind != kRiff ? 1 : 0;
}

int32_t CFileIFF::Open(const FileSpec& fileSpec, uint32_t mode)
{
    // A kind read from an earlier file must not change how this one is read.
    nKind = nDeclaredKind;
    const int32_t result = MFileMMIO::Open(fileSpec, mode, nKind == kRiff ? 1 : 0);
    nMode = mode;
    if (result != 0 || mode == 9)
        return result;
    rgnStack.clear();
    try {
        if (IsReadMode(mode))
            EnterForm();
        else
            BeginForm();
    } catch (const CFileException&) {
        Abandon();
        throw;
    }
    return 0;
}

void CFileIFF::EnterForm()
{
    ChunkHeader header;
    Descend(&header);
    nKind = header.id;
    uint8_t type[4];
    Read(type, 4);
    nFormType = ReadLE32(type);
}

void CFileIFF::BeginForm()
{
    BeginChunk(nKind, 0);
    uint8_t type[4];
    ToImage(nFormType, type);
    Write(type, 4);
}

void CFileIFF::Abandon()
{
    rgnStack.clear();
    try {
        MFileMMIO::Close();
    } catch (const CFileException&) {
        // The failure being reported matters more than the close.
    }
}

void CFileIFF::Close()
{
    if (!IsOpen())
        return;
    try {
        // A writer gets every chunk it left open ended, so no size stays a placeholder.
        while (!IsReadMode(nMode) && !rgnStack.empty())
            EndChunk();
    } catch (const CFileException&) {
        rgnStack.clear();
        MFileMMIO::Close();
        throw;
    }
    rgnStack.clear();
    MFileMMIO::Close();
}

int32_t CFileIFF::GetRemaining()
{
    if (rgnStack.empty())
        return MFileMMIO::GetRemaining();
    return int32_t(rgnStack.back()) - Tell();
}

void CFileIFF::Descend(ChunkHeader* header)
{
    uint8_t bytes[8];
    Read(bytes, 8);
    header->id = ReadLE32(bytes);
    if (fSwap)
        Reverse(bytes + 4, 4);
    header->size = ReadLE32(bytes + 4);
    nChunkSize = header->size;

    const int64_t data = Tell();
    // Never trust a size from the file: the data must lie inside it.
    if (data + header->size > GetSize())
        Fail("win32/MFileMMIO", 177);
    rgnStack.push_back(uint32_t(data + ((int64_t(header->size) + 1) & ~int64_t(1))));
}

void CFileIFF::Ascend()
{
    if (rgnStack.empty())
        Fail(kSource, 211);
    const uint32_t end = rgnStack.back();
    rgnStack.pop_back();
    if (TrySeek(int32_t(end), 0) != int32_t(end))
        Fail(kSource, 220);
}

bool CFileIFF::BeginChunk(uint32_t id, uint32_t size)
{
    rgnStack.push_back(uint32_t(Tell()));
    uint8_t image[4];
    ToImage(id, image);
    if (Write(image, 4))
        Fail(kSource, 134);
    return WriteULong(size);
}

int32_t CFileIFF::EndChunk()
{
    if (rgnStack.empty())
        Fail(kSource, 144);
    const int32_t end = Tell();
    const int32_t start = int32_t(rgnStack.back());
    rgnStack.pop_back();
    const int32_t size = end - start - 8;
    Seek(start + 4, 0);
    if (WriteLong(size))
        Fail(kSource, 156);
    Seek(end, 0);
    if (size & 1)
        WriteByte(0);
    return 0;
}
