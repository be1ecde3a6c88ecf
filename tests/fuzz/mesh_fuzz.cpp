// A 'mesh' chunk's X bytes through the mesh loader (its checks, then Assimp).
#include "FuzzSupport.h"
#include "common/CMesh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::WriteChunkFile("mesh", ChunkId("mesh"), data, size);
    CFileIFF file(ChunkId("RIFF"), ChunkId("FUZZ"));
    file.Open(fuzz::SpecOf("mesh"), 1);
    try {
        delete CMesh::Create(&file);
    } catch (const CException&) {
    }
    return 0;
}
