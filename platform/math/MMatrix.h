#pragma once

class MPlane;

// 4 × 4 transform, row by row; row vectors (p × M), translation in row 4,
// so A × B applies A first. Angles in radians, left-handed.
class MMatrix {
public:
    float m[4][4];

    // Starts as the identity.
    MMatrix();
    virtual ~MMatrix() = default;
    MMatrix(const MMatrix&) = default;
    MMatrix& operator=(const MMatrix&) = default;

    MMatrix& SetIdentity();
    MMatrix& SetTranslation(float x, float y, float z);
    MMatrix& SetRotationX(float angle);
    MMatrix& SetRotationY(float angle);
    // this = a × b; either may be this object.
    MMatrix& SetProduct(const MMatrix& a, const MMatrix& b);
    // this = inverse of a; determinant receives the determinant when not null.
    // A singular matrix leaves this unchanged.
    MMatrix& SetInverse(const MMatrix& a, float* determinant);
    MMatrix& SetTranspose(const MMatrix& a);
    // Flattens geometry onto plane along light (x, y, z, w); w 0 is a
    // directional light, 1 a point light.
    MMatrix& SetShadow(const float light[4], const MPlane& plane);
    // Left-handed perspective projection; fovY the vertical field of view.
    MMatrix& SetPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

    const float* Data() const { return &m[0][0]; }
    bool operator==(const MMatrix& other) const;
    float operator()(int row, int column) const { return m[row][column]; }

private:
    MMatrix& SetRotation(int i, int j, float angle);
};
