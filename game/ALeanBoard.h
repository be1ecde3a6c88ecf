#pragma once
#include <cstdint>
#include "common/actors/CActorMesh.h"
#include "platform/math/MMatrix.h"

class CFileMM;
class ALeanFrame;

// The playing surface with its holes; leans with the mouse and carries the
// frame with it. Lean counts are thousandths of a radian, at most 100 each way.
class ALeanBoard : public CActorMesh {
public:
    enum : int32_t { MaxLean = 100 };

    ALeanBoard(CScene* pScene, const MMatrix& placement);
    ~ALeanBoard() override = default;

    int32_t Restart(int32_t a, int32_t b) override;
    int32_t OnMouse(const MouseEvent* e) override;
    int32_t WantsMouse(const MouseEvent* e) override;

    // Remembers where the cursor is when a button goes down.
    void BeginLean(int32_t x, int32_t y);
    // Leans by the cursor's travel since the last call (client pixels).
    void LeanTo(int32_t x, int32_t y);
    // z of the surface under (x, y) after the lean.
    float GetSurfaceZ(float x, float y);

    int32_t GetLeanX() const { return nLeanX; }
    int32_t GetLeanY() const { return nLeanY; }
    const MMatrix& GetLeanMatrix() const { return matLean; }
    ALeanFrame* GetFrame() const { return pFrame; }

    // Reads the board (entry 10) and then the frame (entry 11); 18 when the frame fails.
    static int32_t LoadAssets(CFileMM* pArchive);
    static void UnloadAssets();
    static CMesh* GetClassMesh() { return pClassMesh; }

private:
    int32_t nLastMouseX = 0;
    int32_t nLastMouseY = 0;
    int32_t nLeanX = 0;
    int32_t nLeanY = 0;
    ALeanFrame* pFrame = nullptr;
    MMatrix matLean;
    MMatrix matWork;
    MMatrix matStep;

    static inline CMesh* pClassMesh = nullptr;
};
