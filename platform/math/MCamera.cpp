#include "platform/math/MCamera.h"
#include "platform/math/MMatrix.h"

MCamera::MCamera(uint32_t mode)
    : nMode(mode), vRight(1.0f, 0.0f, 0.0f), vUp(0.0f, 1.0f, -2.0f), vLook(0.0f, 1.0f, 2.4f),
      vPosition(0.0f, -3.0f, -6.0f)
{
    MoveForward(-3.1f);
}

void MCamera::MoveAlong(const MVector3& axis, float d)
{
    if (nMode == kWalk) {
        vPosition.x += axis.x * d;
        vPosition.z += axis.z * d;
    } else if (nMode == kFly) {
        vPosition += axis * d;
    }
}

void MCamera::MoveForward(float d)
{
    MoveAlong(vLook, d);
}

void MCamera::MoveSideways(float d)
{
    MoveAlong(vRight, d);
}

void MCamera::MoveUp(float d)
{
    if (nMode == kWalk)
        vPosition.y += d;
    else if (nMode == kFly)
        vPosition += vUp * d;
}

void MCamera::GetViewMatrix(MMatrix* view)
{
    vLook.Normalize();
    vUp = vLook.Cross(vRight);
    vUp.Normalize();
    vRight = vUp.Cross(vLook);
    vRight.Normalize();

    const MVector3* axes[3] = {&vRight, &vUp, &vLook};
    view->SetIdentity();
    for (int j = 0; j < 3; ++j) {
        view->m[0][j] = axes[j]->x;
        view->m[1][j] = axes[j]->y;
        view->m[2][j] = axes[j]->z;
        view->m[3][j] = -vPosition.Dot(*axes[j]);
    }
}
