#pragma once
#include <cstdint>
#include "common/actors/CActorMesh.h"
#include "game/ASoundSet.h"
#include "platform/math/MMatrix.h"
#include "platform/math/MVector3.h"

class BSound;
class CFileMM;
class ALeanHost;
class MMesh;
struct AMaze;

// The steel ball: rolls under the lean, stops and bounces at the walls, is
// pulled into holes and falls through them, and reports goal and loss.
// Its physics runs in steps of a fixed length, whatever the frames' lengths;
// it is drawn between its last two steps by the ticks carried over.
class ALeanBall : public CActorMesh {
public:
    enum Sound : int32_t { RollSound = 0, DropStart = 1, DropEnd = 2, Bump = 3, SoundCount = 4 };
    static constexpr int32_t kStepTicks = 4;

    ALeanBall(CScene* pScene, const MMatrix& placement);
    ~ALeanBall() override = default;

    int32_t Restart(int32_t a, int32_t b) override;
    void Update(int32_t dt) override;
    // Each update moves a ball that rolls, falls, is pulled or lies on a leaned board.
    int32_t TicksToNextChange() override;
    int32_t OnMouse(const MouseEvent* e) override;
    int32_t WantsMouse(const MouseEvent* e) override;
    void DrawShadow() override;

    float GetX() const { return vPosition.x; }
    float GetY() const { return vPosition.y; }
    float GetZ() const { return vPosition.z; }
    // Where the ball is drawn: the world matrix's translation, which changes
    // only when the drawn ball moves.
    MVector3 GetDrawnPosition() const { return MVector3(matWorld(3, 0), matWorld(3, 1), matWorld(3, 2)); }
    float GetVX() const { return fVX; }
    float GetVY() const { return fVY; }
    bool IsPulled() const { return fPulled != 0; }
    bool IsFalling() const { return fFalling != 0; }
    const MMatrix& GetOrientation() const { return matOrient; }
    // Puts the ball at (x, y, z) with velocity (vx, vy).
    void Place(float x, float y, float z, float vx, float vy);
    // The maze's start and goal, from the next restart on.
    void SetCourse(const AMaze& maze);

    // Roll, drop start, drop end, bump from entry 12, then the mesh from entry 13.
    // 68 when a sound cannot be read.
    static int32_t LoadAssets(CFileMM* pArchive);
    static void UnloadAssets();
    static CMesh* GetClassMesh() { return pClassMesh; }
    // Takes ownership of the four sounds (any may be null).
    static void AdoptSounds(BSound* pRoll, BSound* pDropStart, BSound* pDropEnd, BSound* pBump);

private:
    struct Velocity {
        float x, y;
    };

    void Reset();
    void Step(ALeanHost* host);
    void ForgetLastStep();
    void Fall(ALeanHost* host);
    void Roll(ALeanHost* host);
    void TestGoal(ALeanHost* host);
    void TestHoles(ALeanHost* host);
    void RespondToWalls(ALeanHost* host, Velocity& v);
    bool TouchAxisWalls(const MMesh* frame, float aX, float aY, Velocity& v);
    bool TouchCorner(const MMesh* frame, int32_t sx, int32_t sy, float aX, float aY, Velocity& v);
    bool CastWall(const MMesh* frame, float dx, float dy, float reach, float* pDistance) const;
    void Turn(const Velocity& v);
    void PlayBump(float level);
    void PlaceDrawn();

    int32_t fPulled = 0;
    int32_t fFalling = 0;
    int32_t fDropSoundPlayed = 0;
    float fVX = 0.0f;
    float fVY = 0.0f;
    MMatrix matOrient;
    MMatrix matStepX;
    MMatrix matStepY;
    MVector3 vPosition;     // the physics' own position
    MVector3 vLastStep;     // the position before the last step
    MMatrix matLastOrient;  // the orientation before the last step
    float fTurnX = 0.0f;    // the last step's turns about x and y
    float fTurnY = 0.0f;
    int32_t nCarried = 0;   // ticks carried towards the next step
    float fStartX = 0.0f, fStartY = 0.0f;
    float fGoalX = 0.0f, fGoalY = 0.0f, fGoalHalf = 0.0f;

    static inline ASoundSet<SoundCount> sounds;
    static inline CMesh* pClassMesh = nullptr;
};
