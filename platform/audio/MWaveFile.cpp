#include "platform/audio/MWaveFile.h"
#include "base/LittleEndian.h"
#include "platform/io/MBufferedFile.h"
#include "platform/io/MFileMMIO.h"
#include "platform/audio/MSoundManager.h"
#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kRiff = MakeFourCC('R', 'I', 'F', 'F');
constexpr uint32_t kWave = MakeFourCC('W', 'A', 'V', 'E');
constexpr uint32_t kFmt = MakeFourCC('f', 'm', 't', ' ');
constexpr uint32_t kData = MakeFourCC('d', 'a', 't', 'a');
constexpr uint32_t kPcmHeaderSize = 16;

} // namespace

MWaveFile::MWaveFile(MFileMMIO* file) : pFile(file) {}

int32_t MWaveFile::Open()
{
    MBufferedFile* handle = pFile->GetHandle();
    if (handle == nullptr)
        return snd::E_FAIL;
    const int64_t limit = int64_t(pFile->Tell()) + pFile->GetRemaining();
    MChunkInfo riff;
    if (handle->Descend(&riff, nullptr, 0) != 0 || riff.ckid != kRiff || riff.fccType != kWave ||
        int64_t(riff.dwDataOffset) + riff.cksize > limit)
        return snd::E_FAIL;
    nRiffData = riff.dwDataOffset + 4;
    nRiffEnd = riff.dwDataOffset + riff.cksize;

    uint32_t formatSize = 0;
    if (FindChunk(kFmt, &formatSize) != 0 || formatSize < kPcmHeaderSize || ReadFormat(formatSize) != 0) {
        wfx = MWaveFormat();
        return snd::E_FAIL;
    }
    if (FindChunk(kData, &nSize) != 0) {
        wfx = MWaveFormat();
        return snd::E_FAIL;
    }
    nData = uint32_t(pFile->Tell());
    nSize = std::min(nSize, nRiffEnd - nData);
    nLeft = nSize;
    return 0;
}

// Finds a chunk among the RIFF's children; leaves the position at its data.
int32_t MWaveFile::FindChunk(uint32_t ckid, uint32_t* size)
{
    MBufferedFile* handle = pFile->GetHandle();
    MChunkInfo parent;
    parent.dwDataOffset = nRiffData - 4;
    parent.cksize = nRiffEnd - parent.dwDataOffset;
    MChunkInfo chunk;
    chunk.ckid = ckid;
    if (handle->Seek(int32_t(nRiffData), 0) < 0 || handle->Descend(&chunk, &parent, MMIO_FINDCHUNK) != 0)
        return snd::E_FAIL;
    *size = chunk.cksize;
    return 0;
}

int32_t MWaveFile::ReadFormat(uint32_t nChunkSize)
{
    uint8_t header[kPcmHeaderSize];
    if (!ReadExact(header, kPcmHeaderSize))
        return snd::E_FAIL;
    wfx.wFormatTag = ReadLE16(header);
    wfx.nChannels = ReadLE16(header + 2);
    wfx.nSamplesPerSec = ReadLE32(header + 4);
    wfx.nAvgBytesPerSec = ReadLE32(header + 8);
    wfx.nBlockAlign = ReadLE16(header + 12);
    wfx.wBitsPerSample = ReadLE16(header + 14);
    if (wfx.wFormatTag == WAVE_FORMAT_PCM)
        return 0;
    uint8_t extraSize[2];
    if (nChunkSize < kPcmHeaderSize + 2 || !ReadExact(extraSize, 2))
        return snd::E_FAIL;
    wfx.cbSize = ReadLE16(extraSize);
    if (wfx.cbSize > nChunkSize - kPcmHeaderSize - 2)
        return snd::E_FAIL;
    wfx.rgbExtra.resize(wfx.cbSize);
    return ReadExact(wfx.rgbExtra.data(), wfx.cbSize) ? 0 : snd::E_FAIL;
}

bool MWaveFile::ReadExact(void* buffer, uint32_t n)
{
    return n == 0 || pFile->GetHandle()->Read(buffer, int32_t(n)) == int32_t(n);
}

int32_t MWaveFile::Rewind()
{
    if (pFile->GetHandle()->Seek(int32_t(nData), 0) != int32_t(nData))
        return snd::E_FAIL;
    nLeft = nSize;
    return 0;
}

int32_t MWaveFile::Read(uint8_t* buffer, uint32_t n, uint32_t* read)
{
    MBufferedFile* handle = pFile->GetHandle();
    const uint32_t count = std::min(n, nLeft);
    MIOInfo info;
    *read = 0;
    if (handle->GetInfo(&info) != 0)
        return snd::E_FAIL;
    while (*read < count) {
        if (info.pchNext == info.pchEndRead &&
            (handle->Advance(&info) != 0 || info.pchNext == info.pchEndRead))
            return snd::E_FAIL;
        const uint32_t piece = std::min(count - *read, uint32_t(info.pchEndRead - info.pchNext));
        std::memcpy(buffer + *read, info.pchNext, piece);
        info.pchNext += piece;
        *read += piece;
    }
    handle->SetInfo(&info);
    nLeft -= count;
    return 0;
}
