#pragma once
#include "platform/math/MVector3.h"
#include <cstdint>

class MMatrix;

// Movable viewpoint giving the left-handed look-to view matrix.
// Mode 0 walks (moves keep to the ground plane), mode 1 flies.
class MCamera {
public:
    static constexpr uint32_t kWalk = 0;
    static constexpr uint32_t kFly = 1;

    explicit MCamera(uint32_t mode);
    virtual ~MCamera() = default;

    void MoveForward(float d);
    void MoveSideways(float d);
    void MoveUp(float d);
    // Re-orthonormalises the axes from look and right, then builds the view.
    void GetViewMatrix(MMatrix* view);

    const MVector3& GetRight() const { return vRight; }
    const MVector3& GetUp() const { return vUp; }
    const MVector3& GetLook() const { return vLook; }
    const MVector3& GetPosition() const { return vPosition; }

private:
    void MoveAlong(const MVector3& axis, float d);

    uint32_t nMode;
    MVector3 vRight;
    MVector3 vUp;
    MVector3 vLook;
    MVector3 vPosition;
};
