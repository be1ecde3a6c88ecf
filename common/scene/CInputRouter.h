#pragma once
#include <cstdint>
#include "base/MouseEvent.h"

class CActor;
class CScene;

// Routes mouse and key events to the scenes. A mouse event goes to the actor
// holding the capture, else to the front-most actor of the top scene under the
// pointer that wants it (and, for an image, is opaque there), else to the top
// scene's own handler. Keys go to the top scene; a release goes only to the
// scene that had the press.
class CInputRouter {
public:
    // 1 when handled; 0 when not.
    static int32_t DispatchMouse(const MouseEvent* e);
    // nKind: CInputRecorder::KeyKind. 1 when no scene exists or the release
    // belongs to another scene.
    static int32_t DispatchKey(int nKind, uint32_t nKey);
    // Null releases the capture.
    static void SetCapture(CActor* pActor);
    // Releases the capture and lets its actor end its press without a command.
    static void CancelCapture();
    static CActor* GetCaptureActor();
    // A scene that goes keeps no press.
    static void Forget(const CScene* pScene);

private:
    struct ButtonHandlers {
        void (CScene::*pDown)(uint16_t, uint16_t);
        void (CScene::*pUp)(uint16_t, uint16_t);
        void (CScene::*pDouble)(uint16_t, uint16_t);
    };
    static bool RouteToActors(CScene* pScene, const MouseEvent* e, int32_t* pnResult);
    static int32_t HandleOwnMouse(CScene* pScene, const MouseEvent* e);
    static void HandleButton(CScene* pScene, const MouseEvent* e, uint32_t nStep, int32_t* pfHeld,
                             const ButtonHandlers& handlers);
};
