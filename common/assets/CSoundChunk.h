#pragma once
#include <cstdint>

class CFileIFF;
class MMusicStream;
class MSound;

// Reads the sound or the music of the archive's next 'wave' chunk. Without a
// sound device the chunk is passed over and nothing is made.
class CSoundChunk {
public:
    // 0, or 62 when the wave data cannot be made into a sound; the archive is
    // left after the chunk either way. Throws CFileException (common/CScreen,
    // 490) when the next chunk is not a 'wave' chunk.
    static int32_t Read(CFileIFF* pArchive, MSound** ppSound);
    // The same for music, streamed from the chunk's data; an archive's empty
    // 'fill' chunk in its place means no music.
    static int32_t ReadMusic(CFileIFF* pArchive, MMusicStream** ppStream);
};
