#include "common/assets/CSoundChunk.h"

#include "base/CException.h"
#include "base/Result.h"
#include "base/Trace.h"
#include "common/assets/CFileIFF.h"
#include "platform/audio/MMusicManager.h"
#include "platform/audio/MMusicStream.h"
#include "platform/audio/MSound.h"
#include "platform/audio/MSoundManager.h"

namespace {
constexpr uint32_t kBadChunkLine = 490;

// Descends into the next chunk, which must be a 'wave' chunk (or, where
// fFillAllowed, a 'fill' chunk that makes nothing), has `create` make the
// object from it when there is a sound device, and ascends out of it.
template <typename T, typename Create>
int32_t ReadChunk(CFileIFF* pArchive, T** ppMade, bool fFillAllowed, Create create)
{
    *ppMade = nullptr;
    ChunkHeader header{};
    pArchive->Descend(&header);
    const bool wave = header.id == ChunkId("wave");
    if (!wave && !(fFillAllowed && header.id == ChunkId("fill")))
        throw CFileException("common/CScreen", kBadChunkLine);
    const int32_t result = wave && GetSoundManager()->IsInitialized() ? create(ppMade) : 0;
    pArchive->Ascend();
    if (result != 0) {
        // A warning result may still have made one; the caller keeps none.
        delete *ppMade;
        *ppMade = nullptr;
        return Result::kSoundChunkUnreadable;
    }
    return 0;
}
} // namespace

int32_t CSoundChunk::Read(CFileIFF* pArchive, MSound** ppSound)
{
    const int32_t result = ReadChunk(pArchive, ppSound, false, [pArchive](MSound** ppMade) {
        return GetSoundManager()->CreateSound(ppMade, pArchive, snd::DSBCAPS_CTRLVOLUME, nullptr, 1);
    });
    if (*ppSound) {
        Trace("Size of sound object = %d.\n", int(sizeof(MSound)));
        Trace("Address of sound object is 0x%X.\n", *ppSound);
    }
    return result;
}

int32_t CSoundChunk::ReadMusic(CFileIFF* pArchive, MMusicStream** ppStream)
{
    return ReadChunk(pArchive, ppStream, true, [pArchive](MMusicStream** ppMade) {
        return GetMusicManager()->CreateStream(ppMade, pArchive);
    });
}
