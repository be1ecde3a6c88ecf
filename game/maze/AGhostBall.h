#pragma once
#include "common/actors/CActorMesh.h"

class MVector3;

// The ghost of the best run: the ball's mesh, translucent, with a faint
// shadow. It only shows where the best run went; it never touches the real
// ball and makes no sound.
class AGhostBall : public CActorMesh {
public:
    explicit AGhostBall(CScene* pScene, CMesh* pBallMesh);

    void MoveTo(const MVector3& where);
    void DrawShadow() override;
};
