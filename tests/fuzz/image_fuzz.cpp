// An 'rgba' chunk's TGA bytes read into a sprite.
#include "FuzzSupport.h"
#include "common/assets/CSprite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::ReadChunk(ChunkId("rgba"), data, size, [](CFileIFF* file) { delete CSprite::Create(file, 1); });
    return 0;
}
