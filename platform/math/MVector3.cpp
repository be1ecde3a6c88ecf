#include "platform/math/MVector3.h"
#include "base/Trace.h"
#include "platform/math/MMatrix.h"
#include <cmath>

MVector3::MVector3(float x, float y, float z) : x(x), y(y), z(z)
{
    Trace("Address of MVector3 is %p.\n", static_cast<void*>(this));
}

MVector3& MVector3::Normalize()
{
    const float length = Length();
    if (length > 0.0f) {
        x /= length;
        y /= length;
        z /= length;
    }
    return *this;
}

MVector3& MVector3::SetTransformCoord(const MVector3& v, const MMatrix& m)
{
    const float w = v.x * m(0, 3) + v.y * m(1, 3) + v.z * m(2, 3) + m(3, 3);
    SetTransformNormal(v, m);
    x += m(3, 0);
    y += m(3, 1);
    z += m(3, 2);
    if (w != 0.0f) {
        x /= w;
        y /= w;
        z /= w;
    }
    return *this;
}

MVector3& MVector3::SetTransformNormal(const MVector3& v, const MMatrix& m)
{
    const float tx = v.x * m(0, 0) + v.y * m(1, 0) + v.z * m(2, 0);
    const float ty = v.x * m(0, 1) + v.y * m(1, 1) + v.z * m(2, 1);
    const float tz = v.x * m(0, 2) + v.y * m(1, 2) + v.z * m(2, 2);
    x = tx;
    y = ty;
    z = tz;
    return *this;
}

float MVector3::Length() const
{
    return std::sqrt(Dot(*this));
}

MVector3 MVector3::Cross(const MVector3& v) const
{
    return MVector3(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
}

MVector3& MVector3::operator+=(const MVector3& v)
{
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
}
