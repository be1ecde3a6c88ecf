// An 'anim' chunk's bytes (a count, then 'rgba' chunks) read into a sprite array.
#include "FuzzSupport.h"
#include "common/CSpriteArray.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::WriteChunkFile("anim", ChunkId("anim"), data, size);
    CFileIFF file(ChunkId("RIFF"), ChunkId("FUZZ"));
    file.Open(fuzz::SpecOf("anim"), 1);
    try {
        delete CSpriteArray::LoadFrom(&file, 1);
    } catch (const CException&) {
    }
    return 0;
}
