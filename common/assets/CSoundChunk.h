#pragma once
#include <cstdint>

class CFileIFF;
class MSound;

// Reads the sound of the archive's next 'wave' chunk.
class CSoundChunk {
public:
    // 0, or 62 when the wave data cannot be made into a sound; the archive is
    // left after the chunk either way. Throws CFileException (common/CScreen,
    // 490) when the next chunk is not a 'wave' chunk.
    static int32_t Read(CFileIFF* pArchive, MSound** ppSound);
};
