#pragma once
#include <cstdint>
#include "common/CActorMesh.h"
#include "game/ASoundSet.h"
#include "platform/MMatrix.h"

class BSound;
class CFileMM;
class ALeanHost;
class MMesh;

// The steel ball: rolls under the lean, stops and bounces at the walls, is
// pulled into holes and falls through them, and reports goal and loss.
class ALeanBall : public CActorMesh {
public:
    enum Sound : int32_t { RollSound = 0, DropStart = 1, DropEnd = 2, Bump = 3, SoundCount = 4 };

    ALeanBall(CScene* pScene, const MMatrix& placement);
    ~ALeanBall() override = default;

    int32_t Restart(int32_t a, int32_t b) override;
    void Update(int32_t dt) override;
    // Each update moves a ball that rolls, falls, is pulled or lies on a leaned board.
    int32_t TicksToNextChange() override;
    int32_t OnMouse(const MouseEvent* e) override;
    int32_t WantsMouse(const MouseEvent* e) override;
    void DrawShadow() override;

    float GetX() const { return matWorld(3, 0); }
    float GetY() const { return matWorld(3, 1); }
    float GetZ() const { return matWorld(3, 2); }
    float GetVX() const { return fVX; }
    float GetVY() const { return fVY; }
    bool IsPulled() const { return fPulled != 0; }
    bool IsFalling() const { return fFalling != 0; }
    const MMatrix& GetOrientation() const { return matOrient; }
    // Puts the ball at (x, y, z) with velocity (vx, vy).
    void Place(float x, float y, float z, float vx, float vy);

    // Roll, drop start, drop end, bump from entry 12, then the mesh from entry 13.
    // 68 when a sound cannot be read.
    static int32_t LoadAssets(CFileMM* pArchive);
    static void UnloadAssets();
    // Takes ownership of the four sounds (any may be null).
    static void AdoptSounds(BSound* pRoll, BSound* pDropStart, BSound* pDropEnd, BSound* pBump);

private:
    struct Velocity {
        float x, y;
    };

    void Reset();
    void Fall(ALeanHost* host, float t);
    void Roll(ALeanHost* host, float t);
    void TestGoal(ALeanHost* host);
    void TestHoles(ALeanHost* host);
    void RespondToWalls(ALeanHost* host, Velocity& v);
    bool TouchAxisWalls(const MMesh* frame, float aX, float aY, Velocity& v);
    bool TouchCorner(const MMesh* frame, int32_t sx, int32_t sy, float aX, float aY, Velocity& v);
    bool CastWall(const MMesh* frame, float dx, float dy, float reach, float* pDistance) const;
    void Turn(float t, const Velocity& v);
    void PlayBump(float level);
    void SetPosition(float x, float y, float z);

    int32_t fPulled = 0;
    int32_t fFalling = 0;
    int32_t fDropSoundPlayed = 0;
    float fVX = 0.0f;
    float fVY = 0.0f;
    MMatrix matOrient;
    MMatrix matStepX;
    MMatrix matStepY;

    static inline ASoundSet<SoundCount> sounds;
    static inline CMesh* pClassMesh = nullptr;
};
