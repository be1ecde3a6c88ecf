#pragma once
#include <cstdint>
#include <vector>

class MFileMMIO;

// Format of a WAVE file: the 16 bytes of the PCM header, the extra size and
// the extra bytes of other formats.
struct MWaveFormat {
    uint16_t wFormatTag = 0;
    uint16_t nChannels = 0;
    uint32_t nSamplesPerSec = 0;
    uint32_t nAvgBytesPerSec = 0;
    uint16_t nBlockAlign = 0;
    uint16_t wBitsPerSample = 0;
    uint16_t cbSize = 0;
    std::vector<uint8_t> rgbExtra;
};

constexpr uint16_t WAVE_FORMAT_PCM = 1;
constexpr uint16_t WAVE_FORMAT_EXTENSIBLE = 0xFFFE;

// Reads one RIFF WAVE at the current position of a file it does not own.
// Sizes in the WAVE never reach past the bytes the file has left there.
class MWaveFile {
public:
    explicit MWaveFile(MFileMMIO* file);

    // Reads the format and finds the "data" chunk: 0 or snd::E_FAIL.
    int32_t Open();
    // Moves back to the first byte of the sound data: 0 or snd::E_FAIL.
    int32_t Rewind();
    // Copies at most n of the bytes left in "data"; snd::E_FAIL on a read error.
    int32_t Read(uint8_t* buffer, uint32_t n, uint32_t* read);

    const MWaveFormat& GetFormat() const { return wfx; }
    uint32_t GetSize() const { return nSize; }

private:
    int32_t ReadFormat(uint32_t nChunkSize);
    bool ReadExact(void* buffer, uint32_t n);
    int32_t FindChunk(uint32_t ckid, uint32_t* size);

    MFileMMIO* pFile;
    MWaveFormat wfx;
    uint32_t nRiffData = 0; // file offset just past "WAVE"
    uint32_t nRiffEnd = 0;  // file offset of the end of the RIFF data
    uint32_t nData = 0;     // file offset of the sound data
    uint32_t nSize = 0;     // bytes of sound data
    uint32_t nLeft = 0;     // bytes of sound data not yet read
};
