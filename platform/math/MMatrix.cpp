#include "platform/math/MMatrix.h"
#include "base/Trace.h"
#include "platform/math/MPlane.h"
#include <algorithm>
#include <cmath>
#include <cstring>

MMatrix::MMatrix()
{
    Trace("Address of MMatrix is %p.\n", static_cast<void*>(this));
    SetIdentity();
}

bool MMatrix::operator==(const MMatrix& other) const { return std::equal(Data(), Data() + 16, other.Data()); }

MMatrix& MMatrix::SetIdentity()
{
    std::memset(m, 0, sizeof m);
    for (int i = 0; i < 4; ++i)
        m[i][i] = 1.0f;
    return *this;
}

MMatrix& MMatrix::SetTranslation(float x, float y, float z)
{
    SetIdentity();
    m[3][0] = x;
    m[3][1] = y;
    m[3][2] = z;
    return *this;
}

// Rotation in the plane of axes i and j, turning i towards j.
MMatrix& MMatrix::SetRotation(int i, int j, float angle)
{
    SetIdentity();
    m[i][i] = m[j][j] = std::cos(angle);
    m[i][j] = std::sin(angle);
    m[j][i] = -m[i][j];
    return *this;
}

MMatrix& MMatrix::SetRotationX(float angle)
{
    return SetRotation(1, 2, angle);
}

MMatrix& MMatrix::SetRotationY(float angle)
{
    return SetRotation(2, 0, angle);
}

MMatrix& MMatrix::SetProduct(const MMatrix& a, const MMatrix& b)
{
    float r[4][4];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] +
                      a.m[i][3] * b.m[3][j];
    std::memcpy(m, r, sizeof m);
    return *this;
}

MMatrix& MMatrix::SetInverse(const MMatrix& a, float* determinant)
{
    const float* s = a.Data();
    float inv[16];
    // Cofactors of the transpose (the adjugate), two by two minors shared.
    const float s0 = s[0] * s[5] - s[4] * s[1], s1 = s[0] * s[6] - s[4] * s[2];
    const float s2 = s[0] * s[7] - s[4] * s[3], s3 = s[1] * s[6] - s[5] * s[2];
    const float s4 = s[1] * s[7] - s[5] * s[3], s5 = s[2] * s[7] - s[6] * s[3];
    const float c5 = s[10] * s[15] - s[14] * s[11], c4 = s[9] * s[15] - s[13] * s[11];
    const float c3 = s[9] * s[14] - s[13] * s[10], c2 = s[8] * s[15] - s[12] * s[11];
    const float c1 = s[8] * s[14] - s[12] * s[10], c0 = s[8] * s[13] - s[12] * s[9];
    const float det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (determinant)
        *determinant = det;
    if (det == 0.0f)
        return *this;
    inv[0] = s[5] * c5 - s[6] * c4 + s[7] * c3;
    inv[1] = -s[1] * c5 + s[2] * c4 - s[3] * c3;
    inv[2] = s[13] * s5 - s[14] * s4 + s[15] * s3;
    inv[3] = -s[9] * s5 + s[10] * s4 - s[11] * s3;
    inv[4] = -s[4] * c5 + s[6] * c2 - s[7] * c1;
    inv[5] = s[0] * c5 - s[2] * c2 + s[3] * c1;
    inv[6] = -s[12] * s5 + s[14] * s2 - s[15] * s1;
    inv[7] = s[8] * s5 - s[10] * s2 + s[11] * s1;
    inv[8] = s[4] * c4 - s[5] * c2 + s[7] * c0;
    inv[9] = -s[0] * c4 + s[1] * c2 - s[3] * c0;
    inv[10] = s[12] * s4 - s[13] * s2 + s[15] * s0;
    inv[11] = -s[8] * s4 + s[9] * s2 - s[11] * s0;
    inv[12] = -s[4] * c3 + s[5] * c1 - s[6] * c0;
    inv[13] = s[0] * c3 - s[1] * c1 + s[2] * c0;
    inv[14] = -s[12] * s3 + s[13] * s1 - s[14] * s0;
    inv[15] = s[8] * s3 - s[9] * s1 + s[10] * s0;
    float* out = &m[0][0];
    for (int i = 0; i < 16; ++i)
        out[i] = inv[i] / det;
    return *this;
}

MMatrix& MMatrix::SetTranspose(const MMatrix& a)
{
    float r[4][4];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r[i][j] = a.m[j][i];
    std::memcpy(m, r, sizeof m);
    return *this;
}

MMatrix& MMatrix::SetShadow(const float light[4], const MPlane& plane)
{
    MPlane p = plane;
    p.Normalize();
    const float n[4] = {p.a, p.b, p.c, p.d};
    const float dot = n[0] * light[0] + n[1] * light[1] + n[2] * light[2] + n[3] * light[3];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            m[i][j] = (i == j ? dot : 0.0f) - n[i] * light[j];
    return *this;
}

MMatrix& MMatrix::SetPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar)
{
    std::memset(m, 0, sizeof m);
    m[1][1] = 1.0f / std::tan(fovY / 2.0f);
    m[0][0] = m[1][1] / aspect;
    m[2][2] = zFar / (zFar - zNear);
    m[2][3] = 1.0f;
    m[3][2] = -zNear * zFar / (zFar - zNear);
    return *this;
}
