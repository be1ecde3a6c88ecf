#include "platform/math/MPlane.h"
#include "platform/math/MMatrix.h"
#include "platform/math/MVector3.h"
#include <cmath>

MPlane::MPlane(float a, float b, float c, float d) : a(a), b(b), c(c), d(d) {}

MPlane& MPlane::Normalize()
{
    const float length = std::sqrt(a * a + b * b + c * c);
    const float scale = length > 0.0f ? 1.0f / length : 0.0f;
    a *= scale;
    b *= scale;
    c *= scale;
    d *= scale;
    return *this;
}

MPlane& MPlane::SetTransformed(const MPlane& plane, const MMatrix& m)
{
    const float p[4] = {plane.a, plane.b, plane.c, plane.d};
    float r[4];
    for (int j = 0; j < 4; ++j)
        r[j] = p[0] * m(0, j) + p[1] * m(1, j) + p[2] * m(2, j) + p[3] * m(3, j);
    a = r[0];
    b = r[1];
    c = r[2];
    d = r[3];
    return *this;
}

MPlane& MPlane::SetFromPointNormal(const MVector3& point, const MVector3& normal)
{
    a = normal.x;
    b = normal.y;
    c = normal.z;
    d = -point.Dot(normal);
    return *this;
}

MPlane& MPlane::SetFromPoints(const MVector3& p1, const MVector3& p2, const MVector3& p3)
{
    MVector3 normal = (p2 - p1).Cross(p3 - p1);
    normal.Normalize();
    return SetFromPointNormal(p1, normal);
}

float MPlane::DotCoord(const MVector3& p) const
{
    return a * p.x + b * p.y + c * p.z + d;
}
