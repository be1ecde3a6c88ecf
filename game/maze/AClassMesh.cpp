#include "game/maze/AClassMesh.h"

#include "common/assets/CFileMM.h"
#include "common/assets/CMesh.h"

CMesh* AClassMesh::Read(CFileMM* pArchive, uint32_t nEntry)
{
    pArchive->SeekEntryPoint(nEntry);
    return CMesh::Create(pArchive);
}

void AClassMesh::Load(CMesh*& rpSlot, CFileMM* pArchive, uint32_t nEntry)
{
    CMesh* mesh = Read(pArchive, nEntry);
    Release(rpSlot);
    rpSlot = mesh;
}

void AClassMesh::Release(CMesh*& rpSlot)
{
    delete rpSlot;
    rpSlot = nullptr;
}
