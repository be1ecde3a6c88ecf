#pragma once
#include <cstdint>
#include "base/Fixed.h"
#include "base/MouseEvent.h"
#include "base/Rect.h"
#include "common/actors/CFixPoint.h"

class CScene;
class CSprite;

// Base of everything a scene holds and shows. Positions, depths and
// velocities are fixed values (pixel * 256); time is in ticks (1/256 s).
// Positions passed to the MoveTo / GlideTo family and returned by GetCentre
// include the scene origin; lX / lY exclude it.
class CActor {
public:
    // Mirror modes the scene's pixel hit test reads.
    enum : int32_t { MirrorNone = 0, MirrorH = 1, MirrorV = 16, MirrorBoth = 17 };
    CActor(CScene* pScene, int32_t x, int32_t y, int32_t z, int32_t nCollideClass, int32_t nShape);
    CActor(const CActor&) = delete;
    CActor& operator=(const CActor&) = delete;

    virtual void Kill();
    virtual void Show();
    virtual void Hide();
    virtual void ToggleVisible();
    virtual void Blink(int32_t nCount, int32_t lShownTicks, int32_t lHiddenTicks);
    virtual void StopBlink();
    virtual CSprite* GetImage();
    virtual int32_t WantsCollision(CActor* pOther);
    virtual int32_t Collides(CActor* pOther);
    virtual void PostUpdate();
    virtual void OnCollision(CActor* pOther);
    virtual int32_t Restart(int32_t a, int32_t b);
    virtual void GetCentre(int32_t* x, int32_t* y);
    virtual CFixPoint GetCentrePoint();
    virtual void GetCentreX(int32_t* x);
    virtual void GetCentreY(int32_t* y);
    virtual void SetAuxB(int32_t v);
    virtual void SetAuxA(int32_t v);
    void GetRectCentre(int32_t* x, int32_t* y) const;
    void GetRectCentreX(int32_t* x) const;
    void GetRectCentreY(int32_t* y) const;
    virtual void MoveCentreTo(int32_t x, int32_t y);
    virtual void MoveCentreToX(int32_t x);
    virtual void MoveCentreToY(int32_t y);
    virtual void Update(int32_t dt);
    virtual int32_t LimitMoveX(int32_t* dx);
    virtual int32_t LimitMoveY(int32_t* dy);
    virtual void MoveBy(int32_t dx, int32_t dy, int32_t dz);
    virtual void MoveTo(int32_t x, int32_t y, int32_t z);
    virtual void MoveToXY(int32_t x, int32_t y);
    virtual void GlideTo(int32_t x, int32_t y, int32_t lSpeed);
    virtual void MoveToX(int32_t x);
    virtual void MoveToY(int32_t y);
    virtual void MoveToZ(int32_t z);
    virtual void SetVelocity(int32_t vx, int32_t vy, int32_t vz);
    virtual void SetVelocityV(const int32_t v[3]);
    virtual void SetVelocityX(int32_t vx);
    virtual void SetVelocityY(int32_t vy);
    virtual void SetVelocityZ(int32_t vz);
    virtual void AddVelocity(int32_t vx, int32_t vy, int32_t vz);
    virtual void AddVelocityV(const int32_t v[3]);
    virtual void AddVelocityX(int32_t vx);
    virtual void AddVelocityY(int32_t vy);
    virtual void AddVelocityZ(int32_t vz);
    virtual void StopMotion();
    virtual void StartMotion();
    virtual int32_t OnMouse(const MouseEvent* e);
    virtual int32_t WantsMouse(const MouseEvent* e);
    virtual void UpdateBounds() = 0;
    virtual ~CActor();
    virtual void OffsetBy(int32_t dx, int32_t dy);
    virtual void Draw(const Rect* clip) = 0;
    // Mesh actors answer true: the scene draws them before the 2D actors.
    virtual bool IsMeshActor() const { return false; }
    // The capture this actor held went elsewhere before its release.
    virtual void OnCaptureLost() {}
    // A mesh actor's shadow, drawn after the scene drew every mesh.
    virtual void DrawShadow() {}
    // Ticks until the actor's look is due to change by itself: 0 while it
    // moves or glides, the rest of the blink phase while it blinks, else
    // CScene::NoChange.
    virtual int32_t TicksToNextChange();

    // Invalidate the old bounds, recompute them, invalidate the new ones.
    void Repaint();
    // The actor's look changed (position, turn, frame, colour, visibility):
    // its scene draws again.
    void NoteDrawnChange();
    // A pinned actor stays put when the scene scrolls.
    void SetPinned(int32_t f) { fPinned = f; }

    CScene* GetScene() const { return pScene; }
    CActor* GetPrev() const { return pPrev; }
    CActor* GetNext() const { return pNext; }
    int32_t GetX() const { return lX; }
    int32_t GetY() const { return lY; }
    int32_t GetZ() const { return lZ; }
    int32_t GetVX() const { return lVX; }
    int32_t GetVY() const { return lVY; }
    int32_t GetVZ() const { return lVZ; }
    const Rect& GetBounds() const { return rcBounds; }
    int32_t GetCollideClass() const { return nCollideClass; }
    int32_t GetShape() const { return nShape; }
    int32_t GetMirror() const { return nMirror; }
    bool IsDead() const { return fDead != 0; }
    bool IsHidden() const { return fHidden != 0; }
    bool IsDrawn() const { return fDrawn != 0; }
    bool IsMoving() const { return fMoving != 0; }
    bool IsBlinking() const { return fBlinking != 0; }
    bool IsGliding() const { return fGliding != 0; }
    bool HasArrived() const { return fArrived != 0; }

protected:
    int32_t OriginX() const;
    int32_t OriginY() const;
    void InvalidateBounds();
    // Where an image (sprite or mesh) with its offsets lies at the actor's position.
    template <typename Image> Rect ImageBounds(const Image& image) const
    {
        const int32_t left = Fixed::FromRaw(lX).Whole() + image.nXOffset;
        const int32_t top = Fixed::FromRaw(lY).Whole() + image.nYOffset;
        return Rect{left, top, left + image.nWidth, top + image.nHeight};
    }

    CActor* pPrev = nullptr;
    CActor* pNext = nullptr;
    CScene* pScene;
    int32_t lX, lY, lZ;
    int32_t lVX = 0, lVY = 0, lVZ = 0;
    Rect rcBounds;
    int32_t nCollideClass;
    int32_t nShape;
    int32_t fDead = 0;
    int32_t fHidden = 0;
    int32_t fPinned = 0;
    int32_t fUpdated = 0;
    int32_t fMoving = 0;
    int32_t fRedrawOnDepth = 0;
    int32_t fKillOffscreen = 0;
    int32_t fDrawn = 0;
    int32_t fBlinking = 0;
    int32_t fGliding = 0;
    int32_t fArrived = 0;
    int32_t fFreeLeft = 1, fFreeTop = 1, fFreeRight = 1, fFreeBottom = 1;
    int32_t nBlinkLeft = 0;
    int32_t lShownTime = 0, lShownLeft = 256;
    int32_t lHiddenTime = 0, lHiddenLeft = 256;
    int32_t lTargetX = 0, lTargetY = 0;
    int32_t nMirror = MirrorNone;
    int32_t lAuxA = 10, lAuxB = 0;

private:
    friend class CScene;
    friend class CCollisionMgr;

    void StepGlide();
    void StepBlink(int32_t dt);
    void SetBlinkHidden(int32_t f);
    void CountPhaseChange();
    bool IsOutsideScene() const;
    static int32_t LimitMove(int32_t* d, int32_t fFreeLow, int32_t fFreeHigh, int32_t nLow, int32_t nHigh,
                             int32_t nLimit);
};
