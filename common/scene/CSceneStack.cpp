#include "common/scene/CSceneStack.h"
#include <algorithm>
#include "base/BDevice.h"
#include "common/scene/CCollisionMgr.h"
#include "common/scene/CScene.h"

namespace {

CScene* g_pTop = nullptr;
CScene* g_pBottom = nullptr;

bool IsCoveredByAbove(const CScene* pScene, int32_t nWidth, int32_t nHeight)
{
    const CScene* pAbove = pScene->GetAbove();
    return pAbove && pAbove->GetRect().Width() == nWidth && pAbove->GetRect().Height() == nHeight;
}

} // namespace

CScene* CSceneStack::GetTop() { return g_pTop; }

CScene* CSceneStack::GetBottom() { return g_pBottom; }

void CSceneStack::Link(CScene* pScene, bool fOnTop)
{
    if (!g_pTop) {
        g_pTop = g_pBottom = pScene;
    } else if (fOnTop) {
        pScene->pBelow = g_pTop;
        g_pTop->pAbove = pScene;
        g_pTop = pScene;
    } else {
        pScene->pAbove = g_pBottom;
        g_pBottom->pBelow = pScene;
        g_pBottom = pScene;
    }
}

void CSceneStack::Unlink(CScene* pScene)
{
    (pScene->pBelow ? pScene->pBelow->pAbove : g_pBottom) = pScene->pAbove;
    (pScene->pAbove ? pScene->pAbove->pBelow : g_pTop) = pScene->pBelow;
    pScene->pAbove = pScene->pBelow = nullptr;
}

void CSceneStack::UpdateAll()
{
    for (CScene* s = g_pBottom; s; s = s->pAbove)
        s->UpdatePass();
}

void CSceneStack::DrawAll()
{
    BDevice* pDevice = g_pBottom ? g_pBottom->GetDevice() : nullptr;
    if (!pDevice || pDevice->BeginFrame() != 0)
        return;
    const int32_t w = pDevice->GetBackBufferWidth();
    const int32_t h = pDevice->GetBackBufferHeight();
    for (CScene* s = g_pBottom; s; s = s->pAbove) {
        s->fRepaintPending = 0;
        if (!IsCoveredByAbove(s, w, h))
            s->Draw();
    }
    pDevice->EndFrame();
    for (CScene* s = g_pBottom; s; s = s->pAbove)
        s->pCollisionMgr->Check();
}

// A dialog's tick may report its answer, and the parent may delete the dialog.
void CSceneStack::TickAll()
{
    for (CScene* s = g_pBottom; s;) {
        CScene* pNextScene = s->pAbove;
        s->Tick();
        s = pNextScene;
    }
}

bool CSceneStack::IsRepaintPending()
{
    for (const CScene* s = g_pBottom; s; s = s->pAbove) {
        if (s->fRepaintPending)
            return true;
    }
    return false;
}

int32_t CSceneStack::TicksToNextChange()
{
    int32_t lTicks = CScene::NoChange;
    for (CScene* s = g_pBottom; s; s = s->pAbove)
        lTicks = std::min(lTicks, s->TicksToNextChange());
    return lTicks;
}
