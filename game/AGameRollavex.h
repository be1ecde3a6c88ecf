#pragma once
#include <cstdint>
#include <memory>
#include "common/actors/ButtonDesc.h"
#include "common/scene/CGame.h"
#include "common/actors/TextDesc.h"
#include "game/records/ABestRun.h"
#include "game/records/ABestTime.h"
#include "game/maze/ALeanHost.h"
#include "game/maze/AMazeSet.h"
#include "game/options/AOptionsPanel.h"
#include "game/options/AOptionsRollavex.h"
#include "game/records/AProgress.h"
#include "game/ASoundSet.h"
#include "platform/math/MMatrix.h"

class BSound;
class CActorButton;
class CActorMesh;
class CActorSprite;
class CMesh;
class CSceneDialog;
class CSprite;
class CSpriteArray;
class MCamera;
class ALeanBall;
class ALeanBase;
class ALeanBoard;
class AGhostBall;
class AStatusRollavex;

// The maze game scene: loads the assets, builds the maze and the furniture,
// runs the intro, leans the board with the mouse and reacts to goal and loss.
class AGameRollavex : public CGame, public ALeanHost, public AOptionsPanel::Host {
public:
    enum : int32_t { IntroTicks = 512 };
    enum : uint32_t { KeyEscape = 27, KeyN = 78, KeyF9 = 120, KeyK = 75, KeyV = 86, KeyB = 66, KeyP = 80, KeyPause = 19,
                      KeyEnter = 13, KeyPageUp = 33, KeyPageDown = 34, KeyO = 79, KeyG = 71 };
    // The Next and Options buttons' pictures; the options panel's arrows and board.
    enum : uint32_t { NextButtonEntry = 4, OptionsEntry = 5 };

    AGameRollavex(CScreen* pScreen, int32_t lOriginX, int32_t lOriginY, int32_t nRedrawMode, int32_t fOnTop,
                  int32_t lReserved, int32_t nCollisionMode);
    ~AGameRollavex() override;

    void OnLeftButtonDown(uint16_t x, uint16_t y) override;
    void OnRightButtonDown(uint16_t x, uint16_t y) override;
    void OnLeftButtonUp(uint16_t x, uint16_t y) override;
    void OnRightButtonUp(uint16_t x, uint16_t y) override;
    void OnMouseMove(uint16_t x, uint16_t y) override;
    void OnDialogResult(CScene* pDialog, int32_t nAnswer) override;
    void OnDialogClosed(CScene* pDialog, int32_t nResult) override;
    int32_t OnSysKeyUp(uint32_t nKey) override;
    int32_t OnSysKeyDown(uint32_t nKey) override;
    int32_t OnKeyUp(uint32_t nKey) override;
    int32_t OnKeyDown(uint32_t nKey) override;
    int32_t Load() override;
    int32_t Begin() override;
    int32_t Unload() override;
    void Tick() override;
    int32_t TicksToNextChange() override;
    void NewGame(int counter) override;
    void StartTurn(int player) override;
    void EndTurn(int success, int player) override;
    void DeliverMouse(uint32_t type, uint16_t x, uint16_t y) override;
    // A replay moves on to the maze it recorded.
    void DeliverStage(int32_t nStage) override;
    void OnPadStick(int32_t x, int32_t y) override;
    void OnPadLost() override;
    // Losing the focus ends a lean and shows the pause.
    void OnFocusChange(bool fActive) override;
    // A change on the options panel takes effect and is kept.
    void ApplyOption(int32_t nRow) override;
    bool HasSound() const override;

    // What the board and the ball ask of the game.
    float GetLeanAngleX() const override;
    float GetLeanAngleY() const override;
    float GetSurfaceZ(float x, float y) override;
    const MMatrix& GetLeanMatrix() const override;
    const MMesh* GetBoardGeometry() const override;
    const MMesh* GetFrameGeometry() const override;
    bool IsPlayerLost() const override;
    bool IsLeanLocked() const override;
    bool IsMouseLocked() const override;
    void BallFalls() override;

    AStatusRollavex* GetRollStatus() const;
    ALeanBoard* GetBoard() const { return pBoard; }
    ALeanBall* GetBall() const { return pBall; }
    CActorSprite* GetIntroPicture() const { return pasAbout; }
    CSceneDialog* GetDialog() const { return pDialog; }
    int32_t GetIntroLeft() const { return lIntroLeft; }
    const ABestTime& GetBestTime() const { return bestTime; }
    CActorButton* GetNextButton() const { return pasNext; }
    AOptionsPanel* GetOptionsPanel() const { return pPanel.get(); }
    AGhostBall* GetGhost() const { return pGhost; }
    const ABestRun& GetBestRun() const { return bestRun; }
    int32_t GetMaze() const { return nMaze; }
    const AMazeSet& GetMazes() const { return mazes; }
    const AProgress& GetProgress() const { return progress; }
    // Goes to maze n with a new game, without asking whether it is unlocked.
    // A maze whose entries cannot be read is told as a damaged archive and ends the game.
    void PlayMaze(int32_t nMaze);

    // The maze the next Load starts on (0: the one played last).
    static void RequestStartMaze(int32_t nMaze) { nRequestedMaze = nMaze; }

    // Takes ownership of the intro, goal and fall sounds (any may be null).
    static void AdoptSounds(BSound* pIntro, BSound* pGoal, BSound* pFall);

private:
    void CreateActors();
    int32_t StartMaze() const;
    // Reads maze n's board and frame and opens its best time.
    int32_t LoadMaze(int32_t nMaze);
    // The ball's course, the status's maze line and best time, the progress
    // and the recording follow the maze now loaded.
    void ApplyMaze();
    // Enter and the Next button after a win; Page Down and Page Up.
    void ChooseMaze(uint32_t nKey);
    // The panel opens over the paused game and resumes it when it closes.
    void KeepWin();
    // Notes the ball's way and moves the ghost along the best run, by the clock.
    void FollowRun();
    bool IsGhostMoving() const;
    void KeepNow();
    void OpenOptions();
    void Apply(int32_t nRow);
    void OptionsClosed();
    AOptionsRollavex* Options();
    CActorButton* MakeButton(CSpriteArray* pImages, int32_t y, int32_t nCommand);
    void ViewThroughCamera();
    void StartLean(uint16_t x, uint16_t y);
    void EndLean();
    // P, Pause and a lost pad pause and resume; the status says so.
    void TogglePause();
    void ShowPauseState();
    void OpenHiddenDialog();
    bool IsStatusWon() const;
    static void PlayOnce(BSound* pSound);
    static void ReleaseClassAssets();

    std::unique_ptr<MCamera> pCamera;
    bool fLeaning = false;
    int32_t fKeyV = 0;
    int32_t fKeyK = 0;
    int32_t fIntroShown = 0;
    uint16_t wPressX = 0;
    uint16_t wPressY = 0;
    MMatrix matIdentity;
    CActorButton* pasQuit = nullptr;
    CActorButton* pasNew = nullptr;
    CActorButton* pasNext = nullptr;
    CActorButton* pasOptions = nullptr;
    std::unique_ptr<AOptionsPanel> pPanel;
    bool fPausedForPanel = false;
    bool fWinToKeep = false;
    AOptionsRollavex ownOptions; // the panel's without an application
    CActorSprite* pasAbout = nullptr;
    CActorMesh* pasScenery[4] = {};
    ALeanBase* pBase = nullptr;
    ALeanBoard* pBoard = nullptr;
    ALeanBall* pBall = nullptr;
    CSceneDialog* pDialog = nullptr;
    int32_t lIntroLeft = 0;
    ABestTime bestTime;
    ABestRun bestRun;
    AGhostBall* pGhost = nullptr;
    AMazeSet mazes;
    AProgress progress;
    int32_t nMaze = 1;
    // Labels and behaviour of the hidden dialog's answer; the dialog reads them
    // while it lives.
    char szDialogText[2][4] = {};
    TextDesc rgDialogTexts[2] = {};
    ButtonDesc bdDialog = {};

    enum : int32_t { Intro = 0, Goal = 1, Fall = 2, SoundCount = 3 };
    enum { NewImages = 0, QuitImages = 1, DialogImages = 2, SpriteSetCount = 3 };
    enum { IntroPicture = 0, DialogPicture = 1, SpriteCount = 2 };
    static inline ASoundSet<SoundCount> sounds;
    static inline CSpriteArray* rgpSpriteSets[SpriteSetCount] = {};
    static inline CSprite* rgpSprites[SpriteCount] = {};
    static inline CMesh* rgpScenery[4] = {};
    enum { NextImages = 0, OptionsImages = 1, LessImages = 2, MoreImages = 3, ButtonSetCount = 4 };
    static inline CSpriteArray* rgpButtonSets[ButtonSetCount] = {};
    static inline CSprite* pPanelBoard = nullptr;
    static inline int32_t nRequestedMaze = 0;
};
