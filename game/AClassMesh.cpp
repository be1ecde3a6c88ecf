#include "game/AClassMesh.h"

#include "common/CFileMM.h"
#include "common/CMesh.h"

void AClassMesh::Load(CMesh*& rpSlot, CFileMM* pArchive, uint32_t nEntry)
{
    Release(rpSlot);
    pArchive->SeekEntryPoint(nEntry);
    rpSlot = CMesh::Create(pArchive);
}

void AClassMesh::Release(CMesh*& rpSlot)
{
    delete rpSlot;
    rpSlot = nullptr;
}
