// An 'anim' chunk's bytes (a count, then 'rgba' chunks) read into a sprite array.
#include "FuzzSupport.h"
#include "common/assets/CSpriteArray.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::ReadChunk(ChunkId("anim"), data, size, [](CFileIFF* file) { delete CSpriteArray::LoadFrom(file, 1); });
    return 0;
}
