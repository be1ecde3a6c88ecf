#pragma once
#include <cstdint>

class CFileMM;
class CMesh;

// A mesh shared by every actor of a class, read from one archive entry.
class AClassMesh {
public:
    // Releases what the slot holds, seeks the entry and reads one mesh.
    static void Load(CMesh*& rpSlot, CFileMM* pArchive, uint32_t nEntry);
    static void Release(CMesh*& rpSlot);
};
