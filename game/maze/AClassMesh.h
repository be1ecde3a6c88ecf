#pragma once
#include <cstdint>

class CFileMM;
class CMesh;

// A mesh shared by every actor of a class, read from one archive entry.
class AClassMesh {
public:
    // Seeks the entry and reads one mesh; throws as the archive and the mesh do.
    static CMesh* Read(CFileMM* pArchive, uint32_t nEntry);
    // Reads the entry's mesh, then releases what the slot held; a failed
    // read leaves the slot as it was.
    static void Load(CMesh*& rpSlot, CFileMM* pArchive, uint32_t nEntry);
    static void Release(CMesh*& rpSlot);
};
