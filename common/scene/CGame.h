#pragma once
#include <cstdint>
#include "common/scene/CScene.h"
#include "common/screen/CInputRecorder.h"

class CScreen;
class CStatus;

// Scene base class for a game: status display, players and turns, panels,
// a state record, key flags, and the replay feed.
class CGame : public CScene, public CInputRecorder::Sink {
public:
    static constexpr int kStateSize = 10;

    CGame(CScreen* pScreen, int originX, int originY, int redrawMode, int fOnTop, int reserved, int collisionMode);
    ~CGame() override;

    virtual void NewGame(int counter);
    virtual void StartTurn(int player);
    virtual void EndTurn(int success, int player);
    virtual int EndGame(int code);
    virtual void ResetScore();
    virtual void OnTimeUp();
    virtual void AutoTurn();
    virtual void MarkPanel4();
    virtual void SetAuxValue(int value);
    virtual void RestoreState(const int record[kStateSize]);
    virtual int GetPlayerMode();
    virtual void GetLogicalWidth(int* out);
    virtual void GetLogicalHeight(int* out);
    virtual void MarkInputSeen();
    virtual void CaptureState();
    virtual void ClosePanel3();
    virtual void ClosePanel4();
    virtual int ShowPanel3();
    virtual int ShowPanel4();

    void OnLeftButtonUp(uint16_t x, uint16_t y) override;
    int32_t OnKeyUp(uint32_t key) override;
    int32_t OnKeyDown(uint32_t key) override;
    int32_t Load() override;
    int32_t Unload() override;
    void Tick() override;
    int32_t TicksToNextChange() override;
    int32_t OnEscape() override;
    int32_t CanResumeMusic() override;
    void Suspend(int32_t reason) override;
    void Resume() override;

    // Replayed input goes through the scene engine's dispatch.
    void DeliverMouse(uint32_t type, uint16_t x, uint16_t y) override;
    int DeliverKey(int kind, int key) override;
    // A game of one stage stays where it is.
    void DeliverStage(int32_t) override {}

    CStatus* GetStatus() const { return pStatus; }
    void SetStatus(CStatus* status); // takes ownership
    int GetCurrentPlayer() const { return nCurrentPlayer; }
    int GetPlayerCount() const { return nPlayers; }
    int IsTurnPending() const { return fTurnPending; }
    int IsPanel3Shown() const { return fPanel3Shown; }
    int IsPanel4Shown() const { return fPanel4Shown; }
    int IsGameOver() const { return fGameOver; }
    int IsInputSeen() const { return fInputSeen; }
    int IsClockHeld() const { return fClockHeld; }
    int GetAuxValue() const { return lAuxValue; }
    int GetKeyFlag(int index) const { return index >= 0 && index < 6 ? rgfKeys[index] : 0; }
    const int* GetStateRecord() const { return rglState; }

    static int GetGameCounter();

    // Key flag indices.
    enum { kKeyHorizontal = 0, kKeyCtrl = 1, kKeyUp = 4, kKeyDown = 5 };

protected:
    // Index of the key flag a key sets, or -1.
    static int KeyFlagIndex(uint32_t key);

    CStatus* pStatus = nullptr;
    int rglState[kStateSize] = {};
    int rgfKeys[6] = {};
    int lAuxValue = 0;
    int nPlayers = 1;
    int nCurrentPlayer = 0;
    int fTurnPending = 0;
    int fPanel4Shown = 0;
    int fPanel3Shown = 0;
    int fClockHeld = 0;
    int fInputSeen = 0;
    int fGameOver = 0;
    int fAutoTurn = 1;
};
