#include "game/AClassMesh.h"

#include "common/assets/CFileMM.h"
#include "common/assets/CMesh.h"

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
