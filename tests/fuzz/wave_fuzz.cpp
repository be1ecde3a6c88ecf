// A 'wave' chunk's RIFF WAVE bytes made into a sound.
#include "FuzzSupport.h"
#include "common/assets/CSoundChunk.h"
#include "platform/audio/MSound.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::StartSound();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MSound* sound = nullptr;
    fuzz::ReadChunk(ChunkId("wave"), data, size, [&sound](CFileIFF* file) { CSoundChunk::Read(file, &sound); });
    delete sound;
    return 0;
}
