// A 'wave' chunk's RIFF WAVE bytes made into a sound.
#include "FuzzSupport.h"
#include "common/CSoundChunk.h"
#include "platform/MSound.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::StartSound();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::WriteChunkFile("wave", ChunkId("wave"), data, size);
    CFileIFF file(ChunkId("RIFF"), ChunkId("FUZZ"));
    file.Open(fuzz::SpecOf("wave"), 1);
    MSound* sound = nullptr;
    try {
        CSoundChunk::Read(&file, &sound);
    } catch (const CException&) {
    }
    delete sound;
    return 0;
}
