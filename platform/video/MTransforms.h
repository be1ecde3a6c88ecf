#pragma once
#include <cstdint>
#include "platform/math/MMatrix.h"

// Transform slots, numbered as Direct3D 9 numbers them.
enum MTransformState : int32_t {
    kTransformView = 2,
    kTransformProjection = 3,
    kTransformWorld = 256,
};

// The device's world, view and projection matrices and the saved world
// matrix; all start as the identity. Row vectors, left-handed.
class MTransforms {
public:
    // The game's projection: vertical view pi/4, aspect 1.33, near 1, far 100.
    static constexpr float kFovY = 0.7853982f;
    static constexpr float kAspect = 1.33f;
    static constexpr float kNear = 1.0f;
    static constexpr float kFar = 100.0f;

    // Other slot numbers are ignored.
    void Set(int32_t state, const MMatrix& matrix);
    void Get(int32_t state, MMatrix* matrix) const;
    void SaveWorld() { matSavedWorld = matWorld; }
    void RestoreWorld() { matWorld = matSavedWorld; }
    // The projection slot takes the game's projection.
    void SetDefaultProjection();

    const MMatrix& World() const { return matWorld; }
    const MMatrix& View() const { return matView; }
    const MMatrix& Projection() const { return matProjection; }

private:
    MMatrix* Slot(int32_t state);

    MMatrix matWorld;
    MMatrix matView;
    MMatrix matProjection;
    MMatrix matSavedWorld;
};
