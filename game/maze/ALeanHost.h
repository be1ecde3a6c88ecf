#pragma once
#include <cstdint>
#include "base/MouseEvent.h"

class CActor;
class MMatrix;
class MMesh;

// What the board and the ball ask of the game they play in. The running game
// publishes itself with SetRunning; the maze actors find it through Running.
class ALeanHost {
public:
    virtual ~ALeanHost() = default;

    // Lean in radians: x negated from the board's count, y not.
    virtual float GetLeanAngleX() const = 0;
    virtual float GetLeanAngleY() const = 0;
    virtual float GetSurfaceZ(float x, float y) = 0;
    virtual const MMatrix& GetLeanMatrix() const = 0;
    // Ray-test geometry in the meshes' own coordinates; null without them.
    virtual const MMesh* GetBoardGeometry() const = 0;
    virtual const MMesh* GetFrameGeometry() const = 0;
    // The status marks the current player as lost.
    virtual bool IsPlayerLost() const = 0;
    // The intro panel is up: the board does not lean.
    virtual bool IsLeanLocked() const = 0;
    // The end panel is up: the maze actors take no mouse events.
    virtual bool IsMouseLocked() const = 0;

    // The ball's reports: goal reached (player 0), fall begun, ball lost (0, 0).
    virtual void StartTurn(int player) = 0;
    virtual void BallFalls() = 0;
    virtual void EndTurn(int success, int player) = 0;

    static ALeanHost* Running() { return pRunning; }
    static void SetRunning(ALeanHost* pHost) { pRunning = pHost; }

    // The mouse filter of the board and the ball: left button presses and
    // releases, right ones only in the "DiceMoveMode" 1, never while hidden
    // or while the end panel is up.
    static int32_t WantsLeanMouse(const CActor* pActor, const MouseEvent* e);
    // Left press captures the mouse, left release frees it; right ones are taken.
    static int32_t TakeLeanMouse(CActor* pActor, const MouseEvent* e);

private:
    static inline ALeanHost* pRunning = nullptr;
};
