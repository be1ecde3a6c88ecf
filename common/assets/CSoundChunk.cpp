#include "common/assets/CSoundChunk.h"

#include "base/CException.h"
#include "base/Result.h"
#include "base/Trace.h"
#include "common/assets/CFileIFF.h"
#include "platform/audio/MSound.h"
#include "platform/audio/MSoundManager.h"

namespace {
constexpr uint32_t kBadChunkLine = 490;
} // namespace

int32_t CSoundChunk::Read(CFileIFF* pArchive, MSound** ppSound)
{
    *ppSound = nullptr;
    ChunkHeader header{};
    pArchive->Descend(&header);
    if (header.id != ChunkId("wave"))
        throw CFileException("common/CScreen", kBadChunkLine);
    const int32_t result = GetSoundManager()->CreateSound(ppSound, pArchive, snd::DSBCAPS_CTRLVOLUME, nullptr, 1);
    pArchive->Ascend();
    if (result != 0) {
        // A warning result may still have made a sound; the caller keeps none.
        delete *ppSound;
        *ppSound = nullptr;
        return Result::kSoundChunkUnreadable;
    }
    Trace("Size of sound object = %d.\n", int(sizeof(MSound)));
    Trace("Address of sound object is 0x%X.\n", *ppSound);
    return 0;
}
