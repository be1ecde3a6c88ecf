// A 'mesh' chunk's X bytes through the mesh loader (its checks, then Assimp).
#include "FuzzSupport.h"
#include "common/assets/CMesh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::ReadChunk(ChunkId("mesh"), data, size, [](CFileIFF* file) { delete CMesh::Create(file); });
    return 0;
}
