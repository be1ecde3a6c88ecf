#pragma once

class MVector3;
class MMatrix;

// Plane a·x + b·y + c·z + d = 0.
class MPlane {
public:
    float a, b, c, d;

    MPlane(float a = 0.0f, float b = 0.0f, float c = 0.0f, float d = 0.0f);
    virtual ~MPlane() = default;
    MPlane(const MPlane&) = default;
    MPlane& operator=(const MPlane&) = default;

    // Scales so that (a, b, c) has length 1.
    MPlane& Normalize();
    // this = (a, b, c, d) × m. To move a plane by a transform T, pass the
    // inverse transpose of T.
    MPlane& SetTransformed(const MPlane& plane, const MMatrix& m);
    MPlane& SetFromPointNormal(const MVector3& point, const MVector3& normal);
    // Normal (p2 − p1) × (p3 − p1), normalised.
    MPlane& SetFromPoints(const MVector3& p1, const MVector3& p2, const MVector3& p3);
    // a·x + b·y + c·z + d.
    float DotCoord(const MVector3& p) const;
};
