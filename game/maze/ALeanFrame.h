#pragma once
#include <cstdint>
#include "common/actors/CActorMesh.h"
#include "platform/math/MMatrix.h"

class CFileMM;

// The rim and the maze walls; turns with the board and casts its shadow on it.
class ALeanFrame : public CActorMesh {
public:
    ALeanFrame(CScene* pScene, const MMatrix& placement);
    ~ALeanFrame() override = default;

    int32_t Restart(int32_t a, int32_t b) override;
    void DrawShadow() override;

    // Follows the board's lean: world = lean × home.
    void FollowLean(const MMatrix& matLean);

    // Reads the frame mesh of the entry; 0.
    static int32_t LoadAssets(CFileMM* pArchive, uint32_t nEntry);
    static void UnloadAssets();
    static CMesh* GetClassMesh() { return pClassMesh; }

    // The plane z = -0.15 of the board's own frame, leaned, then lowered by dz
    // (-1.31 for the frame, -1.32 for the ball, so the shadows do not fight).
    static void LeanedBoardPlane(const MMatrix& matLean, float dz, MPlane* pPlane);

private:
    static inline CMesh* pClassMesh = nullptr;
};
