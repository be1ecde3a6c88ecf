#pragma once
#include <cstdint>

class CScene;

// The process-wide stack of scenes and the three passes of a frame over it,
// each bottom scene first. Input goes to the top scene (CInputRouter).
class CSceneStack {
public:
    static CScene* GetTop();
    static CScene* GetBottom();
    // On top, or under every other scene.
    static void Link(CScene* pScene, bool fOnTop);
    static void Unlink(CScene* pScene);

    // Measures each scene's ticks and updates its actors; deletes the killed ones.
    static void UpdateAll();
    // Opens the frame, draws every scene not covered by a whole-screen scene
    // above it, presents, then runs each scene's collision pass. Nothing
    // without a device or when the frame cannot begin.
    static void DrawAll();
    static void TickAll();
    // True when a scene has an invalid area; a draw pass validates every scene.
    static bool IsRepaintPending();
    // The soonest change due in any scene.
    static int32_t TicksToNextChange();
};
