#pragma once
#include <cstdint>
#include "common/actors/CActorMesh.h"
#include "game/maze/ALeanInput.h"
#include "platform/math/MMatrix.h"

class CFileMM;
class ALeanFrame;

// The playing surface with its holes; leans with the mouse, the keys and the
// pad, and carries the frame with it. Lean counts are thousandths of a radian,
// at most 100 each way; the mouse's lean and the keys' and pad's add up.
class ALeanBoard : public CActorMesh {
public:
    enum : int32_t { MaxLean = 100 };

    ALeanBoard(CScene* pScene, const MMatrix& placement);
    ~ALeanBoard() override = default;

    int32_t Restart(int32_t a, int32_t b) override;
    // Moves the keys' and the pad's lean by the frame's ticks; a recording
    // keeps that lean, and a replay gives it back.
    void Update(int32_t dt) override;
    int32_t OnMouse(const MouseEvent* e) override;
    int32_t WantsMouse(const MouseEvent* e) override;

    // Remembers where the cursor is when a button goes down.
    void BeginLean(int32_t x, int32_t y);
    // Leans by the cursor's travel since the last call (client pixels), times
    // the sensitivity in percent, y the other way round when inverted.
    void LeanTo(int32_t x, int32_t y);
    void SetMouseFeel(int32_t nPercent, bool fInvertY);
    ALeanInput& GetLeanInput() { return leanInput; }
    // z of the surface under (x, y) after the lean.
    float GetSurfaceZ(float x, float y);

    int32_t GetLeanX() const { return nLeanX; }
    int32_t GetLeanY() const { return nLeanY; }
    const MMatrix& GetLeanMatrix() const { return matLean; }
    ALeanFrame* GetFrame() const { return pFrame; }

    // Reads a maze's board and then its frame; 18 when the frame fails. The
    // meshes held before stay when a read throws.
    static int32_t LoadAssets(CFileMM* pArchive, uint32_t nBoardEntry, uint32_t nFrameEntry);
    // The board and its frame draw the class meshes loaded last.
    void TakeClassMeshes();
    static void UnloadAssets();
    static CMesh* GetClassMesh() { return pClassMesh; }

private:
    // nLeanX, nLeanY from the mouse's and the other lean, and the matrices.
    void ApplyLean();
    static bool IsLocked();

    int32_t nLastMouseX = 0;
    int32_t nLastMouseY = 0;
    int32_t nMouseX = 0; // the mouse's lean, in hundredths of a count
    int32_t nMouseY = 0;
    int32_t nOtherX = 0; // the keys' and the pad's lean
    int32_t nOtherY = 0;
    int32_t nLeanX = 0;
    int32_t nLeanY = 0;
    int32_t nSensitivity = 100;
    bool fInvertY = false;
    ALeanInput leanInput;
    ALeanFrame* pFrame = nullptr;
    MMatrix matLean;
    MMatrix matWork;
    MMatrix matStep;

    static inline CMesh* pClassMesh = nullptr;
};
