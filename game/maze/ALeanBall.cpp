#include "game/maze/ALeanBall.h"

#include <algorithm>
#include <cmath>
#include "base/BSound.h"
#include "base/Result.h"
#include "common/assets/CFileMM.h"
#include "common/assets/CMesh.h"
#include "game/maze/AClassMesh.h"
#include "game/maze/ALeanFrame.h"
#include "game/maze/ALeanHost.h"
#include "game/maze/AMazeSet.h"
#include "platform/mesh/MMesh.h"
#include "platform/math/MVector3.h"

namespace {
constexpr float kAccelGain = 50.0f;
constexpr float kDeadZone = 0.025f;
constexpr float kRollThreshold = 0.01f;
constexpr float kRollFactor = float(1.0 / 0.3);
constexpr float kRestHeight = 0.45f;
constexpr float kFallSpeed = 7.0f;
constexpr float kFallEnd = 0.8f;
constexpr float kWallProbeZ = -0.2f;
constexpr float kWallReach = 0.3f;
constexpr float kWallRest = 0.299f;
constexpr float kBounce = 0.3f;
constexpr float kBounceFloor = 0.1f;
constexpr float kHoleProbeZ = -0.3f;
constexpr float kHoleSpread = 0.3f;
constexpr float kPull = 3.0f;
constexpr float kSoundFullScale = 6.0f;
constexpr float kSoundScale = 0.16666667f;
constexpr float kBumpThreshold = 1.0f;
// Below this level the volume factor would fall under silence.
constexpr float kQuietestLevel = 1e-5f;
constexpr float kStepSeconds = float(ALeanBall::kStepTicks) / 256.0f;
constexpr float kShadowDrop = -1.32f;

// Hole probes, in the order they are cast; bit i of the miss mask is probe i.
constexpr float kProbes[4][2] = {{kHoleSpread, kHoleSpread},
                                 {kHoleSpread, -kHoleSpread},
                                 {-kHoleSpread, -kHoleSpread},
                                 {-kHoleSpread, kHoleSpread}};

// Pull velocity (in units of kPull) for each mask of missing probes but all four.
constexpr int8_t kPullTable[15][2] = {
    {-1, 1},  // none missing
    {1, 1},   // 0
    {1, -1},  // 1
    {1, 0},   // 0 1
    {-1, -1}, // 2
    {0, 1},   // 0 2
    {0, -1},  // 1 2
    {1, -1},  // 0 1 2
    {-1, 1},  // 3
    {0, 1},   // 0 3
    {0, 1},   // 1 3
    {1, 1},   // 0 1 3
    {-1, 0},  // 2 3
    {-1, 1},  // 0 2 3
    {-1, -1}, // 1 2 3
};

// Volume factor for a speed: the amplitude follows the level min(speed, 6) / 6,
// that is 20·log10(level) dB, and the factor gives 100 dB a unit.
float Loudness(float speed)
{
    const float level = std::min(speed, kSoundFullScale) * kSoundScale;
    return level < kQuietestLevel ? 0.0f : 1.0f + std::log10(level) / 5.0f;
}

float DeadZone(float v) { return (v > -kDeadZone && v < kDeadZone) ? 0.0f : v; }

// Approach speed u = s·v: fast ones reverse at 0.3 of their speed, slow ones stop.
float Bounce(float v, int32_t s)
{
    const float u = float(s) * v;
    if (u > kBounceFloor)
        return -kBounce * v;
    return u > 0.0f ? 0.0f : v;
}

// Fast approaches keep 0.3 of their speed, slow ones are left alone.
float Slide(float v, int32_t s) { return float(s) * v > kBounceFloor ? kBounce * v : v; }

void SetSoundVolume(BSound* sound, float volume)
{
    if (sound)
        sound->SetVolume(volume);
}
} // namespace

ALeanBall::ALeanBall(CScene* pScene, const MMatrix& placement) : CActorMesh(pScene, &placement, pClassMesh, 0)
{
    Reset();
    if (sounds.Get(RollSound))
        sounds.Get(RollSound)->Play(true);
}

void ALeanBall::SetCourse(const AMaze& maze)
{
    fStartX = maze.fStartX;
    fStartY = maze.fStartY;
    fGoalX = maze.fGoalX;
    fGoalY = maze.fGoalY;
    fGoalHalf = maze.fGoalHalf;
}

int32_t ALeanBall::Restart(int32_t, int32_t)
{
    SetVelocity(0, 0, 0);
    Reset();
    return 0;
}

void ALeanBall::Reset()
{
    StartMotion();
    fPulled = fFalling = 0;
    fShadow = 1;
    fDropSoundPlayed = 0;
    fVX = fVY = 0.0f;
    matOrient.SetIdentity();
    nCarried = 0;
    Place(fStartX, fStartY, 0.0f, 0.0f, 0.0f);
    SetSoundVolume(sounds.Get(RollSound), 0.0f);
}

void ALeanBall::Place(float x, float y, float z, float vx, float vy)
{
    vPosition = MVector3(x, y, z);
    fVX = vx;
    fVY = vy;
    ForgetLastStep();
    PlaceDrawn();
}

void ALeanBall::Update(int32_t dt)
{
    ALeanHost* host = ALeanHost::Running();
    for (nCarried += dt; nCarried >= kStepTicks; nCarried -= kStepTicks)
        Step(host);
    PlaceDrawn();
    CActorMesh::Update(dt);
}

void ALeanBall::ForgetLastStep()
{
    vLastStep = vPosition;
    matLastOrient = matOrient;
    fTurnX = fTurnY = 0.0f;
}

void ALeanBall::Step(ALeanHost* host)
{
    ForgetLastStep();
    if (host && !fFalling && !host->IsPlayerLost()) {
        TestGoal(host);
        TestHoles(host);
    }
    if (host && fFalling)
        Fall(host);
    else if (host && !host->IsPlayerLost())
        Roll(host);
}

// Between the last two steps as far as the carried ticks reach: the position
// and the turn of the last step.
void ALeanBall::PlaceDrawn()
{
    const float share = float(nCarried) / float(kStepTicks);
    const MVector3 drawn = vLastStep + (vPosition - vLastStep) * share;
    matStepX.SetRotationX(share * fTurnX);
    matStepY.SetRotationY(share * fTurnY);
    matWorld.SetProduct(matLastOrient, matStepX);
    matWorld.SetProduct(matWorld, matStepY);
    matWorld.m[3][0] = drawn.x;
    matWorld.m[3][1] = drawn.y;
    matWorld.m[3][2] = drawn.z;
}

int32_t ALeanBall::TicksToNextChange()
{
    const ALeanHost* host = ALeanHost::Running();
    const bool fLeaned = host && (host->GetLeanAngleX() != 0.0f || host->GetLeanAngleY() != 0.0f);
    if (fFalling || fPulled || fVX != 0.0f || fVY != 0.0f || fLeaned)
        return 0;
    return CActorMesh::TicksToNextChange();
}

void ALeanBall::Fall(ALeanHost* host)
{
    if (sounds.Get(DropStart) && !fDropSoundPlayed) {
        sounds.Get(DropStart)->Play(false);
        fDropSoundPlayed = 1;
    }
    SetSoundVolume(sounds.Get(RollSound), 0.0f);
    vPosition.z += kFallSpeed * kStepSeconds;
    if (vPosition.z > kFallEnd) {
        host->EndTurn(0, 0);
        if (sounds.Get(DropEnd))
            sounds.Get(DropEnd)->Play(false);
        vPosition.z = kFallEnd;
        fFalling = 0;
    }
}

void ALeanBall::Roll(ALeanHost* host)
{
    Velocity v{fVX, fVY};
    if (!fPulled) {
        v.x = DeadZone(host->GetLeanAngleX() * kStepSeconds * kAccelGain + fVX);
        v.y = DeadZone(host->GetLeanAngleY() * kStepSeconds * kAccelGain + fVY);
    }
    RespondToWalls(host, v);
    vPosition.x += kStepSeconds * v.x;
    vPosition.y += kStepSeconds * v.y;
    Turn(v);
    vPosition.z = host->GetSurfaceZ(vPosition.x, vPosition.y) - kRestHeight;
    fVX = v.x;
    fVY = v.y;
    SetSoundVolume(sounds.Get(RollSound), Loudness(std::fabs(v.x) + std::fabs(v.y)));
}

void ALeanBall::Turn(const Velocity& v)
{
    if (std::fabs(v.x) <= kRollThreshold && std::fabs(v.y) <= kRollThreshold)
        return;
    fTurnX = kStepSeconds * v.y * kRollFactor;
    fTurnY = -(kStepSeconds * v.x) * kRollFactor;
    matStepX.SetRotationX(fTurnX);
    matStepY.SetRotationY(fTurnY);
    matStepX.SetProduct(matStepX, matStepY);
    matOrient.SetProduct(matOrient, matStepX);
}

void ALeanBall::TestGoal(ALeanHost* host)
{
    if (std::fabs(GetX() - fGoalX) < fGoalHalf && std::fabs(GetY() - fGoalY) < fGoalHalf)
        host->StartTurn(0);
}

void ALeanBall::TestHoles(ALeanHost* host)
{
    const MMesh* board = host->GetBoardGeometry();
    if (!board)
        return;
    const MVector3 origin(GetX(), GetY(), kHoleProbeZ);
    int32_t hit = 0;
    float distance = 0.0f;
    board->Intersect(origin, MVector3(0.0f, 0.0f, 1.0f), &hit, &distance);
    if (hit)
        return;
    fPulled = 1;
    uint32_t misses = 0;
    for (uint32_t i = 0; i < 4; ++i) {
        MVector3 direction(kProbes[i][0], kProbes[i][1], 1.0f);
        board->Intersect(origin, direction.Normalize(), &hit, &distance);
        if (!hit)
            misses |= 1u << i;
    }
    if (misses == 0xF) {
        host->BallFalls();
        fFalling = 1;
        fPulled = 0;
        fShadow = 0;
        return;
    }
    fVX = kPull * float(kPullTable[misses][0]);
    fVY = kPull * float(kPullTable[misses][1]);
}

bool ALeanBall::CastWall(const MMesh* frame, float dx, float dy, float reach, float* pDistance) const
{
    int32_t hit = 0;
    frame->Intersect(MVector3(GetX(), GetY(), kWallProbeZ), MVector3(dx, dy, 0.0f), &hit, pDistance);
    return hit && reach >= *pDistance;
}

void ALeanBall::RespondToWalls(ALeanHost* host, Velocity& v)
{
    const MMesh* frame = host->GetFrameGeometry();
    if (!frame)
        return;
    const float aX = host->GetLeanAngleX();
    const float aY = host->GetLeanAngleY();
    if (TouchAxisWalls(frame, aX, aY, v))
        return;
    const bool touched = (!(v.x > 0 && v.y > 0) && TouchCorner(frame, -1, -1, aX, aY, v)) ||
                         (!(v.x < 0 && v.y > 0) && TouchCorner(frame, 1, -1, aX, aY, v)) ||
                         (!(v.x < 0 && v.y < 0) && TouchCorner(frame, 1, 1, aX, aY, v)) ||
                         (!(v.x > 0 && v.y < 0) && TouchCorner(frame, -1, 1, aX, aY, v));
    if (touched)
        PlayBump(std::fabs(v.x) + std::fabs(v.y));
}

bool ALeanBall::TouchAxisWalls(const MMesh* frame, float aX, float aY, Velocity& v)
{
    // +x, +y, -x, -y: a wall in direction s along the axis.
    struct Wall {
        int32_t axis, s;
    };
    static constexpr Wall kWalls[4] = {{0, 1}, {1, 1}, {0, -1}, {1, -1}};
    bool touched = false;
    for (const Wall& wall : kWalls) {
        float& speed = wall.axis == 0 ? v.x : v.y;
        const float s = float(wall.s);
        if (s * speed < 0.0f)
            continue;
        const float lean = wall.axis == 0 ? aX : aY;
        float d = 0.0f;
        if (!CastWall(frame, wall.axis == 0 ? s : 0.0f, wall.axis == 1 ? s : 0.0f,
                      kWallReach - kWallReach * s * lean, &d))
            continue;
        (wall.axis == 0 ? vPosition.x : vPosition.y) -= s * ((kWallRest - kWallReach * s * lean) - d);
        PlayBump(s * speed);
        if (s * speed > 0.0f)
            speed = 0.0f;
        touched = true;
    }
    return touched;
}

bool ALeanBall::TouchCorner(const MMesh* frame, int32_t sx, int32_t sy, float aX, float aY, Velocity& v)
{
    const float fx = float(sx), fy = float(sy);
    float d = 0.0f;
    if (CastWall(frame, 0.707f * fx, 0.707f * fy, kWallReach - 0.15f * fx * aX - 0.15f * fy * aY, &d)) {
        v.x = Bounce(v.x, sx);
        v.y = Bounce(v.y, sy);
        return true;
    }
    if (CastWall(frame, 0.383f * fx, 0.924f * fy, kWallReach - kWallReach * fy * aY, &d)) {
        v.x = Slide(v.x, sx);
        v.y = Bounce(v.y, sy);
        return true;
    }
    if (CastWall(frame, 0.924f * fx, 0.383f * fy, kWallReach - kWallReach * fx * aX, &d)) {
        v.x = Bounce(v.x, sx);
        v.y = Slide(v.y, sy);
        return true;
    }
    return false;
}

void ALeanBall::PlayBump(float level)
{
    BSound* bump = sounds.Get(Bump);
    if (level <= kBumpThreshold || !bump || bump->IsPlaying())
        return;
    bump->SetVolume(Loudness(level));
    bump->Play(false);
}

int32_t ALeanBall::OnMouse(const MouseEvent* e) { return ALeanHost::TakeLeanMouse(this, e); }

int32_t ALeanBall::WantsMouse(const MouseEvent* e) { return ALeanHost::WantsLeanMouse(this, e); }

void ALeanBall::DrawShadow()
{
    ALeanHost* host = ALeanHost::Running();
    if (host)
        ALeanFrame::LeanedBoardPlane(host->GetLeanMatrix(), kShadowDrop, &plShadow);
    CActorMesh::DrawShadow();
}

void ALeanBall::AdoptSounds(BSound* pRoll, BSound* pDropStart, BSound* pDropEnd, BSound* pBump)
{
    sounds.Adopt({pRoll, pDropStart, pDropEnd, pBump});
}

int32_t ALeanBall::LoadAssets(CFileMM* pArchive)
{
    UnloadAssets();
    pArchive->SeekEntryPoint(12);
    if (sounds.ReadFrom(pArchive) != 0)
        return Result::kSoundUnreadable;
    AClassMesh::Load(pClassMesh, pArchive, 13);
    return 0;
}

void ALeanBall::UnloadAssets()
{
    sounds.Release();
    AClassMesh::Release(pClassMesh);
}
