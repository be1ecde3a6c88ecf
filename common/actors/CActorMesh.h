#pragma once
#include "common/actors/CActor.h"
#include "platform/math/MMatrix.h"
#include "platform/math/MPlane.h"
#include <cstdint>

class CMesh;
class MDeviceManager;

// Actor that draws a mesh with its own world transform and, when fShadow is
// set, a planar shadow of it cast along vLight onto plShadow. The scene draws
// every mesh before it draws their shadows. Mesh actors cover no screen
// rectangle. The mesh is not owned.
class CActorMesh : public CActor {
public:
    CActorMesh(CScene* pScene, const MMatrix* pWorld, CMesh* pMesh, int32_t fRedrawOnDepth);
    ~CActorMesh() override = default;

    void GetCentre(int32_t* x, int32_t* y) override;
    CFixPoint GetCentrePoint() override;
    void UpdateBounds() override;
    // A moved, turned or shadowed mesh notes its change of look.
    void PostUpdate() override;
    void Draw(const Rect* clip) override;
    void DrawShadow() override;
    bool IsMeshActor() const override { return true; }

    CMesh* GetMesh() const { return pMesh; }
    // Draws another mesh from now on; the actor does not own it.
    void SetMesh(CMesh* pOther) { pMesh = pOther; }
    const MMatrix& GetWorld() const { return matWorld; }
    const MMatrix& GetHome() const { return matHome; }
    bool CastsShadow() const { return fShadow != 0; }

protected:
    int32_t fShadow = 0;
    float fOpacity = 1.0f;        // below 1, blended over the scene
    float fShadowDarkness = 0.4f; // the shadow's opacity
    MMatrix matHome;  // the transform a new game resets to
    MMatrix matWorld; // the transform drawn with
    float vLight[4] = {0.3f, -0.3f, 1.0f, 0.0f};
    MPlane plShadow{0.0f, 0.0f, 1.0f, 0.0f};
    CMesh* pMesh;

private:
    MDeviceManager* DrawingDevice() const;

    MMatrix matNoted; // the transform last noted as drawn
    int32_t fShadowNoted = 0;
};
