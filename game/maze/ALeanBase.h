#pragma once
#include <cstdint>
#include "common/actors/CActorMesh.h"

class CFileMM;

// The fixed stand under the board; casts its shadow on the floor.
class ALeanBase : public CActorMesh {
public:
    ALeanBase(CScene* pScene, const MMatrix& placement);
    ~ALeanBase() override = default;

    int32_t Restart(int32_t a, int32_t b) override;

    static int32_t LoadAssets(CFileMM* pArchive);
    static void UnloadAssets();

private:
    static inline CMesh* pClassMesh = nullptr;
};
