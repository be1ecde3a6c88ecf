#pragma once
#include "platform/mesh/MMesh.h"
#include <cstdint>
#include <memory>

class CFileIFF;

// A mesh read from a 'mesh' chunk of the archive, with the screen box it
// covers (always empty).
class CMesh {
public:
    // Reads the next chunk, which must be a 'mesh' chunk; throws
    // CFileException (common/CMesh, 54) for another id.
    static CMesh* Create(CFileIFF* pFile);

    MMesh* GetMesh() const { return pMesh.get(); }

    int32_t nXOffset = 0;
    int32_t nYOffset = 0;
    int32_t nWidth = 0;
    int32_t nHeight = 0;

private:
    CMesh() = default;

    std::unique_ptr<MMesh> pMesh;
};
