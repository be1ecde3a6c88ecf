#pragma once

class MMatrix;

// Point or direction, single precision, left-handed.
class MVector3 {
public:
    float x, y, z;

    MVector3(float x = 0.0f, float y = 0.0f, float z = 0.0f);
    virtual ~MVector3() = default;
    MVector3(const MVector3&) = default;
    MVector3& operator=(const MVector3&) = default;

    // Unit length; the zero vector stays zero.
    MVector3& Normalize();
    // this = (v, 1) × m, divided by the resulting w.
    MVector3& SetTransformCoord(const MVector3& v, const MMatrix& m);
    // this = (v, 0) × m (no translation).
    MVector3& SetTransformNormal(const MVector3& v, const MMatrix& m);

    // Component i: 0 x, 1 y, 2 z.
    float operator[](int i) const { return i == 0 ? x : i == 1 ? y : z; }
    float Length() const;
    float Dot(const MVector3& v) const { return x * v.x + y * v.y + z * v.z; }
    MVector3 Cross(const MVector3& v) const;

    MVector3 operator+(const MVector3& v) const { return MVector3(x + v.x, y + v.y, z + v.z); }
    MVector3 operator-(const MVector3& v) const { return MVector3(x - v.x, y - v.y, z - v.z); }
    MVector3 operator*(float s) const { return MVector3(x * s, y * s, z * s); }
    MVector3& operator+=(const MVector3& v);
};
