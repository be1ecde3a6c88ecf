#include "common/assets/CMesh.h"
#include "base/CException.h"
#include "common/assets/CFileIFF.h"
#include <new>

namespace {

const char* const kSource = "common/CMesh";

} // namespace

CMesh* CMesh::Create(CFileIFF* pFile)
{
    std::unique_ptr<CMesh> mesh(new (std::nothrow) CMesh());
    if (!mesh)
        throw CMemException(kSource, 81);
    ChunkHeader header;
    pFile->Descend(&header);
    if (header.id != ChunkId("mesh"))
        throw CFileException(kSource, 54);
    mesh->pMesh = std::make_unique<MMesh>(pFile);
    const MMeshBox& box = mesh->pMesh->GetScreenBox();
    mesh->nXOffset = box.nXOffset;
    mesh->nYOffset = box.nYOffset;
    mesh->nWidth = box.nWidth;
    mesh->nHeight = box.nHeight;
    pFile->Ascend();
    return mesh.release();
}
