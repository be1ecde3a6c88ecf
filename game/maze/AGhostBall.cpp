#include "game/maze/AGhostBall.h"

#include "base/Fixed.h"
#include "game/maze/ALeanFrame.h"
#include "game/maze/ALeanHost.h"
#include "platform/math/MVector3.h"

namespace {
constexpr float kOpacity = 0.35f;
constexpr float kShadowDarkness = 0.12f;
// Under the ball's own shadow, so the two do not fight.
constexpr float kShadowDrop = -1.325f;
const MMatrix kNowhere;
} // namespace

AGhostBall::AGhostBall(CScene* pScene, CMesh* pBallMesh) : CActorMesh(pScene, &kNowhere, pBallMesh, 0)
{
    fOpacity = kOpacity;
    fShadowDarkness = kShadowDarkness;
    fShadow = 1;
    // One deeper than the other meshes: drawn after them, over what they drew.
    MoveBy(0, 0, Fixed::kOne);
    Hide();
}

void AGhostBall::MoveTo(const MVector3& where) { matWorld.SetTranslation(where.x, where.y, where.z); }

void AGhostBall::DrawShadow()
{
    if (ALeanHost* host = ALeanHost::Running())
        ALeanFrame::LeanedBoardPlane(host->GetLeanMatrix(), kShadowDrop, &plShadow);
    CActorMesh::DrawShadow();
}
