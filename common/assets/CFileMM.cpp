#include "common/assets/CFileMM.h"
#include "base/CException.h"
#include "base/Trace.h"

namespace {
constexpr const char* kSource = "common/CFileMM";
} // namespace

CFileMM::CFileMM() : CFileIFF(ChunkId("RIFF"), ChunkId("MMFL")) {}

void CFileMM::EnterForm()
{
    nEntryPoints = 0;
    rglEPOffset.reset();
    CFileIFF::EnterForm();
    ReadMap();
}

void CFileMM::ReadMap()
{
    if (GetFormType() != ChunkId("MMFL"))
        throw CFileException(kSource, 84);
    ChunkHeader header;
    Descend(&header);
    if (header.id != ChunkId("map "))
        throw CFileException(kSource, 92);
    static const uint8_t kCountLayout[] = {1, 4};
    uint32_t count = 0;
    Read(&count, 4);
    SwapFields(&count, kCountLayout);
    // The entries must be in the file before any room is made for them.
    if (int64_t(count) * 4 > int64_t(GetSize()) - Tell())
        throw CFileException("win32/MFileMMIO", 177);

    rglEPOffset = std::make_unique<uint32_t[]>(count);
    nEntryPoints = int32_t(count);
    Trace("Size of rglEPOffset object = %d.\n", int(count * 4));
    for (uint32_t i = 0; i < count; ++i)
        ReadValue(&rglEPOffset[i], 4);
    Ascend();
}

void CFileMM::SeekEntryPoint(uint32_t index)
{
    if (index >= uint32_t(nEntryPoints))
        throw CFileException(kSource, 152);
    const int32_t offset = int32_t(rglEPOffset[index]);
    if (TrySeek(offset, 0) != offset)
        throw CFileException(kSource, 158);
}
