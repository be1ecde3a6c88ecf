#pragma once
#include <cstdint>
#include "base/MouseEvent.h"
#include "platform/window/MWindow.h"

class BDevice;
class BMusicSegment;
class CFileMM;
class CScene;

// The engine's screen: turns window input into scene-engine calls, runs the
// frame, carries out scene changes and controls the background music.
// Constructing it opens no window; without a device nothing is drawn.
class CScreen : public MWindow {
public:
    CScreen();
    ~CScreen() override;

    // Deletes the game scene and the music, keeps a windowed size the player
    // changed in the options, then asks the application to quit.
    void Close() override;
    // Owes a frame, drawn even while the window is inactive; the game's time
    // stands still meanwhile.
    void Repaint() override;
    // Also keeps the choice in the options.
    void ToggleFullScreen() override;
    int32_t OnSetCursor() override;
    void OnClose() override;
    void OnSize(int32_t nWidth, int32_t nHeight) override;
    void OnMove(int32_t x, int32_t y) override;
    void OnMouseMove(int32_t x, int32_t y) override;
    void OnNonClientMouseMove(int32_t x, int32_t y) override;
    void OnLeftButtonDown(int32_t x, int32_t y) override;
    void OnLeftDoubleClick(int32_t x, int32_t y) override;
    void OnRightButtonDown(int32_t x, int32_t y) override;
    void OnRightDoubleClick(int32_t x, int32_t y) override;
    void OnLeftButtonUp(int32_t x, int32_t y) override;
    void OnRightButtonUp(int32_t x, int32_t y) override;
    int32_t OnKeyDown(uint32_t nKey) override;
    int32_t OnKeyUp(uint32_t nKey) override;
    int32_t OnSysKeyDown(uint32_t nKey) override;
    int32_t OnSysKeyUp(uint32_t nKey) override;
    void InvalidateAllScenes() override;
    void OnActivate(uint32_t nState) override;
    void OnPadStick(int32_t x, int32_t y) override;
    void OnPadLost() override;
    void OnEnterMenuLoop() override;
    void OnExitMenuLoop() override;

    // Opens the archive and creates the game scene; 0 or a result code.
    virtual int32_t LoadAssetsAndCreateGame() = 0;
    // pScene's Load(); any result but 0 ends the program.
    virtual int32_t LoadGame();
    virtual int32_t StartGame();
    virtual int32_t ReleaseContent();
    // Ends pScene (scene null) or the given scene at the next frame; 99 quits.
    virtual void FinishScene(CScene* pScene, int32_t nResult, int32_t fResume);
    virtual int32_t IsMusicOff();
    virtual int32_t IsSoundOff();
    // Carries out a pending scene change, then the update, draw and tick
    // passes; the draw pass only when the picture changed.
    void Frame() override;
    // Nothing while the picture is to change or a scene change is pending;
    // else until the next change due, at most the ticks a frame may take.
    double GetIdleWait() const override;
    virtual void Redraw();

    void StopMusic();
    void ResumeMusic();
    void ToggleMusic();
    void StopMusicAtBoundary();
    // 0 or 71 when the music could not start.
    int32_t PlayMusic(int32_t fLoop);
    // Volumes in percent, by ear (half sounds about half as loud), 0 and below
    // silent; each takes effect at once. The music's is kept for music set
    // later; the effects' is that of every sound effect.
    void SetMusicVolume(int32_t lPercent);
    static void SetEffectsVolume(int32_t lPercent);
    // Whether there is a sound device: without one the game plays silently.
    static bool HasSound();

    BDevice* GetDevice() const { return pDevice; }
    void SetDevice(BDevice* pNewDevice) { pDevice = pNewDevice; }
    // Takes ownership and gives it the music's volume.
    void SetMusicSegment(BMusicSegment* pSegment);
    CFileMM* GetMMFile() const { return pMMFile; }
    bool IsMinimised() const { return fMinimised != 0; }
    bool IsMusicStopped() const { return fMusicStopped != 0; }
    bool IsFinishPending() const override { return fFinishPending != 0; }
    bool IsFrameOwed() const override { return fFrameOwed; }
    bool IsLeftButtonDown() const { return fLeftDown != 0; }
    bool IsRightButtonDown() const { return fRightDown != 0; }
    int32_t GetResultCode() const { return nResultCode; }

protected:
    // Full screen: the process-wide setting latched when the options loaded.
    static bool IsFullScreen();

    int32_t fLeftDown = 0;
    int32_t fRightDown = 0;
    int32_t fAudio = 0;
    int32_t lScreenReserved = 1;
    int32_t fFinishPending = 0;
    int32_t fResumeAfterDialog = 0;
    int32_t fMusicStopped = 1;
    int32_t fMinimised = 0;
    int32_t nResultCode = 0;
    BMusicSegment* pMusic = nullptr;
    int32_t lMusicVolume = 0; // hundredths of a decibel
    CFileMM* pMMFile = nullptr;
    CScene* pScene = nullptr;
    CScene* pSceneToFinish = nullptr;
    int32_t lIdleTicks = 0;
    MouseEvent meEvent;
    BDevice* pDevice = nullptr;
    bool fFrameOwed = false; // one frame to show a change while unfocused

private:
    // True when it drew.
    bool RunPasses();
    void DeleteScenes();
    // Returns true when the frame's passes should still run.
    bool CarryOutFinish();
    void CloseDialog(CScene* pDialog);
    // Window input enters the scene engine here, past the input recorder.
    void SendMouse(uint32_t nType, int32_t x, int32_t y);
    // nKind: CInputRecorder::KeyKind.
    int32_t SendKey(int nKind, uint32_t nKey);
    static bool IsMusicOptionOff();
};
