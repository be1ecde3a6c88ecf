#include "common/actors/CActor.h"
#include "common/scene/CScene.h"
#include "common/actors/CShape.h"

namespace {

int32_t MulShift(int32_t a, int32_t b)
{
    return (Fixed::FromRaw(a) * Fixed::FromRaw(b)).Raw();
}

int32_t Abs(int32_t v) { return v < 0 ? -v : v; }

} // namespace

CActor::CActor(CScene* pOwner, int32_t x, int32_t y, int32_t z, int32_t nClass, int32_t nShapeKind)
    : pScene(pOwner), lX(x), lY(y), lZ(z), nCollideClass(nClass), nShape(nShapeKind)
{
    lX -= OriginX();
    lY -= OriginY();
    pScene->AddActor(this);
}

CActor::~CActor()
{
    Hide();
    if (CScene::GetCaptureActor() == this)
        CScene::SetMouseCapture(nullptr);
    pScene->RemoveActor(this);
}

int32_t CActor::OriginX() const { return pScene->GetOriginX(); }

int32_t CActor::OriginY() const { return pScene->GetOriginY(); }

void CActor::InvalidateBounds() { pScene->InvalidateRect(&rcBounds); }

void CActor::Kill()
{
    fDead = 1;
    nCollideClass = 2;
}

void CActor::Show()
{
    if (fHidden) {
        fHidden = 0;
        InvalidateBounds();
    }
}

void CActor::Hide()
{
    if (fBlinking) {
        fBlinking = 0;
        fHidden = 1;
        InvalidateBounds();
    } else if (!fHidden) {
        fHidden = 1;
        InvalidateBounds();
    }
}

void CActor::ToggleVisible()
{
    fHidden = !fHidden;
    InvalidateBounds();
}

void CActor::Blink(int32_t nCount, int32_t lShownTicks, int32_t lHiddenTicks)
{
    fBlinking = 1;
    lShownTime = lShownLeft = lShownTicks;
    nBlinkLeft = 2 * nCount;
    lHiddenTime = lHiddenLeft = lHiddenTicks;
}

void CActor::StopBlink() { fBlinking = 0; }

CSprite* CActor::GetImage() { return nullptr; }

int32_t CActor::WantsCollision(CActor*) { return 0; }

int32_t CActor::Collides(CActor* pOther) { return CShape::Collide(this, pOther); }

void CActor::PostUpdate() {}

void CActor::OnCollision(CActor*) {}

int32_t CActor::Restart(int32_t, int32_t)
{
    fGliding = 0;
    fArrived = 0;
    nBlinkLeft = 0;
    lTargetX = lTargetY = 0;
    lShownTime = lHiddenTime = 0;
    lShownLeft = lHiddenLeft = 256;
    return 0;
}

void CActor::GetCentre(int32_t* x, int32_t* y) { GetRectCentre(x, y); }

CFixPoint CActor::GetCentrePoint()
{
    CFixPoint pt;
    GetRectCentre(&pt.x, &pt.y);
    return pt;
}

void CActor::GetCentreX(int32_t* x) { GetRectCentreX(x); }

void CActor::GetCentreY(int32_t* y) { GetRectCentreY(y); }

void CActor::SetAuxB(int32_t v) { lAuxB = v; }

void CActor::SetAuxA(int32_t v) { lAuxA = v; }

void CActor::GetRectCentre(int32_t* x, int32_t* y) const
{
    GetRectCentreX(x);
    GetRectCentreY(y);
}

void CActor::GetRectCentreX(int32_t* x) const { *x = Fixed::Mid(rcBounds.left, rcBounds.right).Raw(); }

void CActor::GetRectCentreY(int32_t* y) const { *y = Fixed::Mid(rcBounds.top, rcBounds.bottom).Raw(); }

void CActor::MoveCentreTo(int32_t x, int32_t y)
{
    int32_t cx = 0, cy = 0;
    GetCentre(&cx, &cy);
    MoveTo(lX + OriginX() + x - cx, lY + OriginY() + y - cy, lZ);
}

void CActor::MoveCentreToX(int32_t x)
{
    int32_t cx = 0;
    GetCentreX(&cx);
    MoveToX(lX + OriginX() + x - cx);
}

void CActor::MoveCentreToY(int32_t y)
{
    int32_t cy = 0;
    GetCentreY(&cy);
    MoveToY(lY + OriginY() + y - cy);
}

void CActor::Update(int32_t dt)
{
    if (fMoving)
        MoveBy(MulShift(lVX, dt), MulShift(lVY, dt), MulShift(lVZ, dt));
    if (fGliding)
        StepGlide();
    if (fBlinking && !pScene->IsSuspended())
        StepBlink(dt);
}

void CActor::StepGlide()
{
    const int32_t px = lX + OriginX();
    const int32_t py = lY + OriginY();
    if ((lVX < 0 && px <= lTargetX + Fixed::kOne) || (lVX > 0 && px >= lTargetX - Fixed::kOne))
        lVX = 0;
    if ((lVY < 0 && py <= lTargetY + Fixed::kOne) || (lVY > 0 && py >= lTargetY - Fixed::kOne))
        lVY = 0;
    if (lVX == 0 && lVY == 0) {
        MoveToXY(lTargetX, lTargetY);
        fGliding = 0;
        fArrived = 1;
    }
}

void CActor::StepBlink(int32_t dt)
{
    if (fHidden) {
        if (lHiddenLeft > 0) {
            lHiddenLeft -= dt;
            if (lHiddenLeft <= 0) {
                SetBlinkHidden(0);
                lHiddenLeft = lHiddenTime;
            }
        }
    } else if (lShownLeft > 0) {
        lShownLeft -= dt;
        if (lShownLeft < 1) {
            SetBlinkHidden(1);
            lShownLeft = lShownTime;
        }
    }
}

void CActor::SetBlinkHidden(int32_t f)
{
    fHidden = f;
    InvalidateBounds();
    CountPhaseChange();
}

int32_t CActor::TicksToNextChange()
{
    if (fGliding || (fMoving && (lVX || lVY || lVZ)))
        return 0;
    if (!fBlinking || pScene->IsSuspended())
        return CScene::NoChange;
    const int32_t lLeft = fHidden ? lHiddenLeft : lShownLeft;
    return lLeft > 0 ? lLeft : CScene::NoChange;
}

void CActor::CountPhaseChange()
{
    if (nBlinkLeft > 0 && --nBlinkLeft == 0)
        StopBlink();
}

int32_t CActor::LimitMoveX(int32_t* dx)
{
    return LimitMove(dx, fFreeLeft, fFreeRight, rcBounds.left, rcBounds.right, pScene->GetRect().right);
}

int32_t CActor::LimitMoveY(int32_t* dy)
{
    return LimitMove(dy, fFreeTop, fFreeBottom, rcBounds.top, rcBounds.bottom, pScene->GetRect().bottom);
}

// The low limit is pixel 0, the high one the scene's size.
int32_t CActor::LimitMove(int32_t* d, int32_t fFreeLow, int32_t fFreeHigh, int32_t nLow, int32_t nHigh,
                          int32_t nLimit)
{
    if (!fFreeLow && *d <= 0 && Fixed::FromRaw(*d).Whole() + nLow < 0) {
        *d = Fixed::FromInt(-nLow).Raw();
        return *d < 0;
    }
    if (!fFreeHigh && *d >= 0 && Fixed::FromRaw(*d).Whole() + nHigh > nLimit) {
        *d = Fixed::FromInt(nLimit - nHigh).Raw();
        return *d > 0;
    }
    return 1;
}

bool CActor::IsOutsideScene() const
{
    const Rect& scene = pScene->GetRect();
    return rcBounds.left > scene.right || rcBounds.top > scene.bottom || rcBounds.right < 0 || rcBounds.bottom < 0;
}

void CActor::MoveBy(int32_t dx, int32_t dy, int32_t dz)
{
    bool fRepaint = false;
    if (dz != 0) {
        lZ += dz;
        fRepaint = pScene->ReorderActor(this) || fRedrawOnDepth;
    }
    const int32_t lOldX = lX;
    const int32_t lOldY = lY;
    if (LimitMoveX(&dx))
        lX += dx;
    if (LimitMoveY(&dy))
        lY += dy;
    if (fKillOffscreen && IsOutsideScene())
        Kill();
    if (fRepaint || lX != lOldX || lY != lOldY)
        Repaint();
}

void CActor::MoveTo(int32_t x, int32_t y, int32_t z) { MoveBy(x - OriginX() - lX, y - OriginY() - lY, z - lZ); }

void CActor::MoveToXY(int32_t x, int32_t y) { MoveBy(x - OriginX() - lX, y - OriginY() - lY, 0); }

void CActor::GlideTo(int32_t x, int32_t y, int32_t lSpeed)
{
    lTargetX = x;
    lTargetY = y;
    const int32_t dx = x - OriginX() - lX;
    const int32_t dy = y - OriginY() - lY;
    fGliding = 1;
    if (dy == 0)
        lVX = dx > 0 ? lSpeed : -lSpeed;
    if (dx == 0) {
        lVY = dy > 0 ? lSpeed : -lSpeed;
        return;
    }
    if (Abs(dx) <= Abs(dy)) {
        const int32_t lSlope = Fixed::Ratio(dx, dy).Raw();
        lVY = dy > 0 ? lSpeed : -lSpeed;
        lVX = MulShift(lSlope, lVY);
    } else {
        const int32_t lSlope = Fixed::Ratio(dy, dx).Raw();
        lVX = dx > 0 ? lSpeed : -lSpeed;
        lVY = MulShift(lSlope, lVX);
    }
}

void CActor::MoveToX(int32_t x) { MoveBy(x - OriginX() - lX, 0, 0); }

void CActor::MoveToY(int32_t y) { MoveBy(0, y - OriginY() - lY, 0); }

void CActor::MoveToZ(int32_t z) { MoveBy(0, 0, z - lZ); }

void CActor::SetVelocity(int32_t vx, int32_t vy, int32_t vz)
{
    lVX = vx;
    lVY = vy;
    lVZ = vz;
}

void CActor::SetVelocityV(const int32_t v[3]) { SetVelocity(v[0], v[1], v[2]); }

void CActor::SetVelocityX(int32_t vx) { SetVelocity(vx, lVY, 0); }

void CActor::SetVelocityY(int32_t vy) { SetVelocity(lVX, vy, 0); }

void CActor::SetVelocityZ(int32_t vz) { SetVelocity(lVX, lVY, vz); }

void CActor::AddVelocity(int32_t vx, int32_t vy, int32_t vz)
{
    lVX += vx;
    lVY += vy;
    lVZ += vz;
}

void CActor::AddVelocityV(const int32_t v[3]) { AddVelocity(v[0], v[1], v[2]); }

void CActor::AddVelocityX(int32_t vx) { AddVelocity(vx, 0, 0); }

void CActor::AddVelocityY(int32_t vy) { AddVelocity(0, vy, 0); }

void CActor::AddVelocityZ(int32_t vz) { AddVelocity(0, 0, vz); }

void CActor::StopMotion() { fMoving = 0; }

void CActor::StartMotion() { fMoving = 1; }

int32_t CActor::OnMouse(const MouseEvent*) { return 0; }

int32_t CActor::WantsMouse(const MouseEvent*) { return 0; }

void CActor::OffsetBy(int32_t dx, int32_t dy)
{
    if (fPinned)
        return;
    lX -= dx;
    lY -= dy;
    UpdateBounds();
}

void CActor::NoteDrawnChange() { InvalidateBounds(); }

void CActor::Repaint()
{
    if (!fHidden)
        InvalidateBounds();
    UpdateBounds();
    if (!fHidden)
        InvalidateBounds();
}
