// An 'rgba' chunk's TGA bytes read into a sprite.
#include "FuzzSupport.h"
#include "common/CSprite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::WriteChunkFile("image", ChunkId("rgba"), data, size);
    CFileIFF file(ChunkId("RIFF"), ChunkId("FUZZ"));
    file.Open(fuzz::SpecOf("image"), 1);
    try {
        delete CSprite::Create(&file, 1);
    } catch (const CException&) {
    }
    return 0;
}
