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
    // Reads nCount sounds in a row; stops at the first that fails (62), the
    // ones after it stay null.
    static int32_t ReadAll(CFileIFF* pArchive, MSound** rgpSounds, int32_t nCount);
};
