#include "common/scene/CCollisionMgr.h"
#include "common/actors/CActor.h"
#include "common/scene/CScene.h"

namespace {
constexpr int32_t kNoCollision = 2;
}

CCollisionMgr::CCollisionMgr(CScene* pOwner, int32_t nMode) : nWalkMode(nMode), pScene(pOwner) {}

CActor* CCollisionMgr::Start() const
{
    return nWalkMode == WalkFromTail ? pScene->GetLastActor() : pScene->GetFirstActor();
}

CActor* CCollisionMgr::Step(const CActor* pActor) const
{
    return nWalkMode == WalkFromTail ? pActor->pPrev : pActor->pNext;
}

bool CCollisionMgr::Pairs(const CActor* a, const CActor* b)
{
    if (!b->fDrawn)
        return false;
    if (a->nCollideClass == 0)
        return b->nCollideClass != kNoCollision;
    return b->nCollideClass == 0;
}

void CCollisionMgr::Collide(CActor* a, CActor* b)
{
    int32_t fContact = 0;
    if (a->WantsCollision(b))
        fContact = a->Collides(b);
    else if (b->WantsCollision(a))
        fContact = b->Collides(a);
    if (fContact) {
        a->OnCollision(b);
        b->OnCollision(a);
    }
}

void CCollisionMgr::Check()
{
    if (nDrawnCount < 2)
        return;
    for (CActor* a = Start(); a; a = Step(a)) {
        if (a->nCollideClass == kNoCollision || !a->fDrawn)
            continue;
        for (CActor* b = Step(a); b; b = Step(b)) {
            if (Pairs(a, b))
                Collide(a, b);
        }
    }
}
