#include "game/maze/ALeanHost.h"

#include "base/BApplication.h"
#include "common/actors/CActor.h"
#include "common/screen/COptions.h"
#include "common/scene/CScene.h"

namespace {
bool RightButtonMoves()
{
    const COptions* options = GetAppOptions();
    return options && options->DiceMoveMode == 1;
}
} // namespace

int32_t ALeanHost::WantsLeanMouse(const CActor* pActor, const MouseEvent* e)
{
    if (pActor->IsHidden() || (pRunning && pRunning->IsMouseLocked()))
        return 0;
    switch (e->nType) {
    case MouseEvent::LeftDown:
    case MouseEvent::LeftUp:
        return 1;
    case MouseEvent::RightDown:
    case MouseEvent::RightUp:
        return RightButtonMoves() ? 1 : 0;
    default:
        return 0;
    }
}

int32_t ALeanHost::TakeLeanMouse(CActor* pActor, const MouseEvent* e)
{
    switch (e->nType) {
    case MouseEvent::LeftDown:
        CScene::SetMouseCapture(pActor);
        return 1;
    case MouseEvent::LeftUp:
        if (CScene::GetCaptureActor() == pActor)
            CScene::SetMouseCapture(nullptr);
        return 1;
    case MouseEvent::RightDown:
    case MouseEvent::RightUp:
        return 1;
    default:
        return 0;
    }
}
