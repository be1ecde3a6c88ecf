#pragma once
#include <climits>
#include <cstdint>
#include "base/Fixed.h"
#include "base/MouseEvent.h"
#include "base/Rect.h"

class BDevice;
class CActor;
class CCollisionMgr;
class CScreen;

// One layer of what the screen shows. Scenes form a process-wide stack:
// input goes to the top scene, time to all, drawing runs bottom up.
// Times are ticks (1/256 s); origins and scales are fixed values (1/256).
class CScene {
public:
    // Kind 11 stays suspended when Escape closes panel 1.
    enum : int32_t { KindDialog = 3, KindStaysSuspended = 11, KindGame = 13 };
    // Redraw mode 0 redraws the whole back buffer; SetRect with 3 keeps the mode.
    enum : int32_t { RedrawWhole = 0, KeepRedrawMode = 3 };
    // A frame gives at most 25 ticks (about 0.1 s), so a stall never moves an actor far in one step.
    enum : int32_t { MaxElapsed = 25 };
    enum : int32_t { QuitCode = 99 };
    // What TicksToNextChange answers when nothing is due to change.
    enum : int32_t { NoChange = INT32_MAX };

    CScene(CScreen* pScreen, int32_t lOriginX, int32_t lOriginY, int32_t nRedrawMode, int32_t fOnTop,
           int32_t lReserved, int32_t nCollisionMode);
    CScene(const CScene&) = delete;
    CScene& operator=(const CScene&) = delete;

    virtual void OnLeftButtonDown(uint16_t x, uint16_t y);
    virtual void OnLeftDoubleClick(uint16_t x, uint16_t y);
    virtual void OnRightButtonDown(uint16_t x, uint16_t y);
    virtual void OnRightDoubleClick(uint16_t x, uint16_t y);
    virtual void OnLeftButtonUp(uint16_t x, uint16_t y);
    virtual void OnRightButtonUp(uint16_t x, uint16_t y);
    virtual void OnMouseMove(uint16_t x, uint16_t y);
    virtual void OnNonClientMouseMove(uint16_t x, uint16_t y);
    virtual void OnDialogResult(CScene* pDialog, int32_t nAnswer);
    virtual void OnDialogClosed(CScene* pDialog, int32_t nResult);
    virtual void OnMenuEnter();
    virtual void OnMenuExit();
    // The pad's stick (thousandths, y down), a lost pad, the window's focus.
    virtual void OnPadStick(int32_t, int32_t) {}
    virtual void OnPadLost() {}
    virtual void OnFocusChange(bool) {}
    virtual int32_t OnSysKeyUp(uint32_t nKey);
    virtual int32_t OnSysKeyDown(uint32_t nKey);
    virtual int32_t OnKeyUp(uint32_t nKey);
    virtual int32_t OnKeyDown(uint32_t nKey);
    virtual int32_t Load();
    virtual int32_t Begin();
    virtual int32_t Unload();
    virtual void SetSoundVolume(float fVolume);
    virtual void Tick();
    virtual void Draw();
    virtual int32_t ShowPanel2();
    virtual int32_t PageUp();
    virtual int32_t PageDown();
    virtual void ClosePanel2();
    virtual void ClosePanel1();
    virtual int32_t OnEscape();
    virtual ~CScene();
    virtual int32_t CanResumeMusic();
    virtual void Suspend(int32_t nReason);
    virtual void Resume();
    virtual void ToggleSuspend(int32_t nReason);
    // Ticks until something the scene shows is due to change by itself (a
    // moving actor, a blink, a fade step); NoChange when nothing is.
    virtual int32_t TicksToNextChange();

    // The scene engine as the game and the actors call it. The passes and the
    // stack are CSceneStack's, the routing and the capture CInputRouter's.
    // The three passes of a frame, in this order; DrawAllScenes alone redraws.
    static void UpdateAllScenes();
    static void DrawAllScenes();
    static void TickAllScenes();
    static int32_t DispatchMouseEvent(const MouseEvent* e);
    static int32_t DispatchKeyDown(uint32_t nKey);
    static int32_t DispatchKeyUp(uint32_t nKey);
    static int32_t DispatchSysKeyDown(uint32_t nKey);
    static int32_t DispatchSysKeyUp(uint32_t nKey);
    static void SetMouseCapture(CActor* pActor);
    static CActor* GetCaptureActor();

    // Actor list, ascending depth from first to last; the scene owns the actors.
    void AddActor(CActor* pActor);
    void RemoveActor(CActor* pActor);
    // 1 when the actor moved in the list.
    int32_t ReorderActor(CActor* pActor);
    CActor* GetFirstActor() const { return pFirstActor; }
    CActor* GetLastActor() const { return pLastActor; }

    // In redraw mode 0 any invalid area makes the next draw pass repaint
    // the whole back buffer.
    void InvalidateRect(const Rect* rc);
    void Invalidate();
    // Mode 3 keeps the current redraw mode.
    void SetRect(const Rect& rc, int32_t nMode, int32_t fInvalidate);

    void FadeIn();
    int32_t IsScreenCovered();
    static int32_t GetTextWidth(const char* szText, int32_t nFont);
    static int32_t GetTextHeight(const char* szText, int32_t nFont);

    CScreen* GetScreen() const { return pScreen; }
    // The screen's device; null without a screen.
    BDevice* GetDevice() const;
    CScene* GetAbove() const { return pAbove; }
    CScene* GetBelow() const { return pBelow; }
    int32_t GetOriginX() const { return lOriginX; }
    int32_t GetOriginY() const { return lOriginY; }
    int32_t GetXScale() const { return lXScale; }
    int32_t GetYScale() const { return lYScale; }
    const Rect& GetRect() const { return rcScene; }
    int32_t GetKind() const { return nKind; }
    int32_t GetRedrawMode() const { return nRedrawMode; }
    bool IsScaled() const { return fScaled != 0; }
    bool IsSuspended() const { return fSuspended != 0; }
    bool IsUserPaused() const { return fUserPaused != 0; }
    bool IsLeftHeld() const { return fLeftHeld != 0; }
    bool IsRightHeld() const { return fRightHeld != 0; }
    bool IsPanel1Shown() const { return fPanel1Shown != 0; }
    bool IsPanel2Shown() const { return fPanel2Shown != 0; }
    int32_t GetUpdateElapsed() const { return lUpdateElapsed; }
    int32_t GetTickElapsed() const { return lTickElapsed; }
    int32_t GetSceneTime() const { return lSceneTime; }
    int32_t GetOpenDialogs() const { return nOpenDialogs; }
    void AddOpenDialog() { ++nOpenDialogs; }
    void RemoveOpenDialog() { --nOpenDialogs; }

protected:
    void DeleteActors();
    // Application time in ticks.
    static int32_t NowTicks();
    // Seconds as ticks, wrapping modulo 2^32 (every 194 days), and the ticks
    // from one such count to a later one, right across the wrap.
    static int32_t TicksAt(double dSeconds);
    static int32_t TicksBetween(int32_t lFrom, int32_t lTo);
    // Elapsed ticks since the stamp (0 while frozen), 0 to 25.
    int32_t MeasureElapsed(int32_t* plStamp) const;
    bool IsTimeFrozen() const;

    CScene* pBelow = nullptr;
    CScene* pAbove = nullptr;
    int32_t lReserved;
    int32_t lXScale = Fixed::kOne, lYScale = Fixed::kOne;
    int32_t lOriginX, lOriginY;
    CActor* pFirstActor = nullptr;
    CActor* pLastActor = nullptr;
    CCollisionMgr* pCollisionMgr = nullptr;
    int32_t lUpdateElapsed = 0;
    int32_t lUpdateStamp = 0;
    int32_t lTickElapsed = 0;
    int32_t lTickStamp = 0;
    int32_t lSceneTime = 0;
    CScreen* pScreen;
    Rect rcScene;
    int32_t nRedrawMode = 0;
    int32_t nKind = 0;
    int32_t fScaled = 0;
    int32_t fSuspended = 0;
    int32_t fCanPause = 1;
    int32_t fStatusClocksRunning = 0;
    int32_t fPanel1Shown = 0;
    int32_t fPanel2Shown = 0;
    int32_t fMenuFrozen = 0;
    int32_t fLeftHeld = 0;
    int32_t fRightHeld = 0;
    int32_t fUserPaused = 0;
    int32_t nOpenDialogs = 0;
    int32_t fRepaintPending = 0;

private:
    friend class CSceneStack;
    friend class CInputRouter;

    // Where time enters the scene: the measured ticks of a pass, which the
    // input recorder writes, or replaces while it replays.
    int32_t TakeElapsed(int32_t* plStamp, int nPass);
    // This scene's part of the update pass.
    void UpdatePass();
    void UpdateActors();
    void ReapActors();
    void DrawMeshes(const Rect& clip);
    void DrawSprites(const Rect& clip);
    void DrawActor(CActor* pActor, const Rect& clip);
};
